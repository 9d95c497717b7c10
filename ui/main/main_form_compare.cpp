// The file last loaded compared with a second file chosen from the Function menu
// or named on the command line. The second file's map is read by a pass of its
// own on a worker thread; the compare window opens once it is read, and shows the
// compare as soon as the first file's map is there too. Each new load compares
// the new file with the same second file.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <exception>

#include "compare/compare_window.h"
#include "main/main_form.h"
#include "main/map_pass.h"
#include "memory/memory_map.h"
#include "platform/platform.h"
#include "session/scan_session.h"

namespace larkspan {

namespace {

// The file error of a map that was not read to its end, or what stands for it.
const Message* FileErrorOf(const MemoryMap& map) {
  for (const Message& message : map.Warnings()) {
    if (message.kind == MessageKind::FileError) return &message;
  }
  return nullptr;
}

}  // namespace

void Main_Form::ConnectCompare() {
  secondPass_ = new MapPass(this);
  connect(secondPass_, &MapPass::Gathered, this,
          [this](std::shared_ptr<MemoryMap> map) { SecondGathered(std::move(map)); });
  connect(Func_Compare, &QAction::triggered, this, [this] { Func_Compare_Click(); });
}

void Main_Form::Func_Compare_Click() {
  const QString& current = secondFile_.isEmpty() ? CurrentFile : secondFile_;
  if (const std::optional<QString> chosen =
          ChooseHexFile(QStringLiteral("Compare with file:"), current)) {
    CompareWith(*chosen);
  }
}

void Main_Form::CompareLater(const QString& path) {
  const QString full = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
  QTimer::singleShot(0, this, [this, full] { CompareWith(full); });
}

void Main_Form::CompareWith(const QString& path) {
  const std::string name = QFile::encodeName(path).toStdString();
  readingSecond_ = path;
  secondPass_->Start([name](std::stop_token stop) -> std::shared_ptr<MemoryMap> {
    ScanListener quiet;
    ScanSession session({.map = true}, quiet);
    try {
      if (session.Run(name, -1, std::move(stop)) == ScanOutcome::Stopped) return nullptr;
    } catch (const std::exception&) {
      // The map then says the file was not read to its end.
    }
    return session.Map();
  });
  GatherMap();
}

void Main_Form::SecondGathered(std::shared_ptr<MemoryMap> map) {
  const QString path = readingSecond_;
  if (!map->Complete()) {
    const Message* error = FileErrorOf(*map);
    platform_.MessageBox(
        this, BoxIcon::Critical,
        error != nullptr ? QString::fromLocal8Bit(error->title) : QStringLiteral("File error"),
        error != nullptr ? QString::fromLocal8Bit(JoinLines(*error, "\n"))
                         : QStringLiteral("Cannot read file: ") + path,
        QString());
    return;
  }
  secondFile_ = path;
  second_ = std::move(map);
  if (Compare_Window == nullptr) {
    Compare_Window = new CompareWindow(this);
    connect(Compare_Window, &CompareWindow::byteActivated, this,
            [this](std::uint32_t address) { Image_Byte_DblClick(address); });
  }
  Compare_Window->show();
  Compare_Window->raise();
  Compare_Window->activateWindow();
  GatherMap();
  UpdateCompare();
}

// The window compares the map of a file read to its end, and shows nothing
// during a run.
void Main_Form::UpdateCompare() {
  if (Compare_Window == nullptr || !Compare_Window->isVisible() || second_ == nullptr) return;
  const bool ready = !scanActive_ && map_ != nullptr && map_->Complete();
  const QString note = scanActive_ || mapPass_->Running()
                           ? QStringLiteral("Reading the file ...")
                           : QStringLiteral("No image: the file was not read to its end");
  Compare_Window->SetCompare(ready ? map_ : nullptr, CurrentFile, second_, secondFile_,
                             ready ? QString() : note);
}

}  // namespace larkspan
