#include "platform/qt_platform.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QTreeView>

#include <cstdio>
#include <cstdlib>

#include "platform/common_dialog.h"
#include "platform/program_icon.h"

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

// Opens the dialog large enough that the detail view's Size, Type and Date
// Modified columns show their texts whole, within the screen the dialog is on.
void SizeForDetails(QFileDialog& dialog) {
  constexpr QSize kSize(820, 500);
  const QScreen* screen = dialog.screen();
  dialog.resize(screen != nullptr ? kSize.boundedTo(screen->availableGeometry().size()) : kSize);
  auto* details = dialog.findChild<QTreeView*>();
  if (details == nullptr) return;
  const QFontMetrics metrics(details->font());
  const int padding = 3 * metrics.averageCharWidth();
  const QDateTime longDate(QDate(2000, 12, 28), QTime(23, 59, 59));
  const QString samples[] = {QStringLiteral("1023.9 MiB"), QStringLiteral("plain text document"),
                             QLocale().toString(longDate, QLocale::ShortFormat)};
  for (int column = 1; column <= 3; ++column) {
    details->header()->resizeSection(column,
                                     metrics.horizontalAdvance(samples[column - 1]) + padding);
  }
}

QSettings UserSettings() {
  return QSettings(QStringLiteral("larkspan"), QStringLiteral("larkspan"));
}

}  // namespace

bool QtPlatform::MessageBox(QWidget* parent, BoxIcon icon, const QString& title,
                            const QString& text, const QString& checkBox) {
  QMessageBox box(ToQt(icon), title, text, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.setWindowIcon(ProgramIcon());
  if (!checkBox.isEmpty()) box.setCheckBox(new QCheckBox(checkBox, &box));
  box.exec();
  return box.checkBox() != nullptr && box.checkBox()->isChecked();
}

std::optional<QString> QtPlatform::ChooseFile(QWidget* parent, const CommonDialog& settings) {
  QFileDialog dialog(parent);
  settings.SetUp(dialog);
  SizeForDetails(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QDir::cleanPath(QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath());
}

bool QtPlatform::Option(const QString& key) {
  return UserSettings().value(key, false).toBool();
}

void QtPlatform::SetOption(const QString& key, bool on) {
  UserSettings().setValue(key, on);
}

QString QtPlatform::Choice(const QString& key) {
  return UserSettings().value(key).toString();
}

void QtPlatform::SetChoice(const QString& key, const QString& value) {
  UserSettings().setValue(key, value);
}

void QtPlatform::ExitProgram() {
  std::fflush(nullptr);
  std::_Exit(EXIT_SUCCESS);
}

}  // namespace larkspan
