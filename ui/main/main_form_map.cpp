// The memory map of the file last loaded, for the map, image and compare windows. A load
// gathers it only when a view needs it during the load: a load without an open
// view reads the file once, for the listing alone. A view opened later has it
// gathered by a second pass on a worker thread, and says "reading" meanwhile;
// the window stays responsive, and a new load stops the pass.
#include <QAction>
#include <QFile>

#include <exception>

#include "compare/compare_window.h"
#include "image/image_window.h"
#include "main/main_form.h"
#include "main/map_pass.h"
#include "map/map_window.h"
#include "memory/memory_map.h"
#include "session/scan_session.h"

namespace larkspan {

void Main_Form::ConnectMapPass() {
  mapPass_ = new MapPass(this);
  connect(mapPass_, &MapPass::Gathered, this,
          [this](std::shared_ptr<MemoryMap> map) { MapGathered(std::move(map)); });
}

bool Main_Form::MapWanted() const {
  return Func_Check->isChecked() || (Map_Window != nullptr && Map_Window->isVisible()) ||
         (Image_Window != nullptr && Image_Window->isVisible()) ||
         (Compare_Window != nullptr && Compare_Window->isVisible()) || secondPass_->Running();
}

// The pass lists into nothing, so that the map hears the warnings a listing
// gives, as in a load that gathers it; 32-bit records as the load listed them.
void Main_Form::GatherMap() {
  if (scanActive_ || map_ != nullptr || mapPass_->Running() || CurrentFile.isEmpty()) return;
  const std::string path = QFile::encodeName(CurrentFile).toStdString();
  const bool linear = Func_Linear->isChecked();
  mapPass_->Start([path, linear](std::stop_token stop) -> std::shared_ptr<MemoryMap> {
    DiscardedListing listing;
    ScanListener quiet;
    ScanSession session({.listing = &listing, .linear = linear, .check = false, .map = true},
                        quiet);
    try {
      if (session.Run(path, -1, std::move(stop)) == ScanOutcome::Stopped) return nullptr;
    } catch (const std::exception&) {
      // Nothing in a run is expected to throw; the map then says the file was not
      // read to its end.
    }
    return session.Map();
  });
  RefreshMap();
  UpdateImage();
  UpdateCompare();
}

void Main_Form::MapGathered(std::shared_ptr<MemoryMap> map) {
  map_ = std::move(map);
  RefreshMap();
  UpdateImage();
  UpdateCompare();
}

}  // namespace larkspan
