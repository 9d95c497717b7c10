#include "qt_platform.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

#include "program_icon.h"

namespace larkspan {

namespace {

QMessageBox::Icon ToQt(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Information:
      return QMessageBox::Information;
    case BoxIcon::Warning:
      return QMessageBox::Warning;
    case BoxIcon::Critical:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

// `text` with every carriage return, and carriage return and line feed, made a
// line feed: Qt breaks lines only at line feeds.
QString WithLineFeeds(QString text) {
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

}  // namespace

void QtPlatform::MessageBox(QWidget* parent, BoxIcon icon, const QString& title,
                            const QString& text) {
  QMessageBox box(ToQt(icon), title, WithLineFeeds(text), QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.setWindowIcon(ProgramIcon());
  box.exec();
}

std::optional<QString> QtPlatform::ChooseFile(QWidget* parent, const OpenFileRequest& request) {
  QFileDialog dialog(parent, request.title, QDir(request.folder).absolutePath());
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(request.existingOnly ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  // Descriptions already name their patterns; the patterns Qt filters by stay hidden.
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilters(request.filters);
  if (request.selectedFilter < request.filters.size()) {
    dialog.selectNameFilter(request.filters.at(request.selectedFilter));
  }
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QDir::cleanPath(QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath());
}

void QtPlatform::ExitProgram() {
  std::fflush(nullptr);
  std::_Exit(EXIT_SUCCESS);
}

}  // namespace larkspan
