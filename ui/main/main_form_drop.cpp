// Files handed to the window from outside: a path on the command line, or one
// local file dropped on the window. Both load as a file chosen in the dialog does.
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <optional>

#include "main/main_form.h"

namespace larkspan {

namespace {

// The path of the one local file in a drag; nothing for several files, a remote
// address or anything else.
std::optional<QString> OneLocalFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return std::nullopt;
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls.constFirst().isLocalFile()) return std::nullopt;
  return urls.constFirst().toLocalFile();
}

}  // namespace

void Main_Form::LoadLater(const QString& path) {
  // Absolute and clean, as the dialog returns it, so that the next dialog opens in
  // the file's folder with its name.
  const QString full = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
  QTimer::singleShot(0, this, [this, full] { LoadFile(full); });
}

void Main_Form::dragEnterEvent(QDragEnterEvent* event) {
  if (!ScanActive() && OneLocalFile(event->mimeData())) event->acceptProposedAction();
}

void Main_Form::dropEvent(QDropEvent* event) {
  const std::optional<QString> path = OneLocalFile(event->mimeData());
  if (ScanActive() || !path) return;
  event->acceptProposedAction();
  // The run starts after the drop has been answered: the program the file came
  // from does not wait for the listing.
  LoadLater(*path);
}

}  // namespace larkspan
