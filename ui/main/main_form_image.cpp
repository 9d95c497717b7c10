// The memory image of the file last loaded in a window of its own, in step with
// the list: the list's selected record shows as its bytes, and a double-click on
// a byte selects the record that wrote it.
#include <QAction>
#include <QItemSelectionModel>
#include <QListView>

#include <optional>

#include "image/image_view.h"
#include "image/image_window.h"
#include "main/listing_model.h"
#include "main/main_form.h"
#include "main/map_pass.h"
#include "memory/memory_map.h"

namespace larkspan {

void Main_Form::ConnectImage() {
  connect(Func_Image, &QAction::triggered, this, [this] { Func_Image_Click(); });
  // Entries become selected after they became current, by a click as by keys.
  connect(Contents_List->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { ShowRecordInImage(); });
}

void Main_Form::Func_Image_Click() {
  if (Image_Window == nullptr) {
    Image_Window = new ImageWindow(this);
    ShareChecksumPicker(Image_Window->Checksum_Kind);
    connect(Image_Window, &ImageWindow::byteActivated, this,
            [this](std::uint32_t address) { Image_Byte_DblClick(address); });
    UpdateImage();
  }
  const bool shown = Image_Window->isVisible();
  Image_Window->show();
  Image_Window->raise();
  Image_Window->activateWindow();
  GatherMap();
  if (!shown) ShowRecordInImage();
}

// The window shows the image of a file read to its end, and nothing during a run:
// the run gathers the next image in place of the last.
void Main_Form::UpdateImage() {
  if (Image_Window == nullptr) return;
  const MemoryMap* map = scanActive_ ? nullptr : LastMap();
  if (map != nullptr && map->Complete()) {
    Image_Window->SetImage(&map->Image(), CurrentFile, QString());
    ShowRecordInImage();
    return;
  }
  // The window opens only after a first load: there is a run or a map.
  Image_Window->SetImage(nullptr, CurrentFile,
                         scanActive_ || mapPass_->Running()
                             ? QStringLiteral("Reading the file ...")
                             : QStringLiteral("No image: the file was not read to its end"));
}

void Main_Form::ShowRecordInImage() {
  const MemoryMap* map = LastMap();
  if (Image_Window == nullptr || !Image_Window->isVisible() || scanActive_ || map == nullptr ||
      !map->Complete()) {
    return;
  }
  const auto addresses = map->Image().AddressesOfLine(Contents_Model->LineOfRow(ListIndex()));
  if (addresses)
    Image_Window->View->Select(addresses->first, addresses->first + addresses->second - 1);
}

void Main_Form::Image_Byte_DblClick(std::uint32_t address) {
  const MemoryMap* map = LastMap();
  if (scanActive_ || map == nullptr) return;
  const std::optional<std::int64_t> line = map->Image().LineAt(address);
  if (!line) return;
  const std::int64_t row = Contents_Model->RowOfLine(*line);
  if (row < 0 || row >= Contents_Model->rowCount()) return;
  // The list's selection raises its click, which shows the index in the indicator.
  Contents_List->setCurrentIndex(Contents_Model->index(static_cast<int>(row)));
}

}  // namespace larkspan
