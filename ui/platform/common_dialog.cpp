#include "platform/common_dialog.h"

#include <QDir>
#include <QFileDialog>

namespace larkspan {

void CommonDialog::SetUp(QFileDialog& dialog) const {
  dialog.setWindowTitle(DialogTitle);
  dialog.setDirectory(QDir(InitDir).absolutePath());
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode((Flags & kFileMustExist) != 0 ? QFileDialog::ExistingFile
                                                   : QFileDialog::AnyFile);
  // Qt filters by the pattern in parentheses at the end of a choice and shows
  // what precedes it, the description; "*.*" is every file, also one without a dot.
  const QStringList parts = Filter.split(QLatin1Char('|'));
  QStringList choices;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& pattern = parts.at(i + 1);
    choices << parts.at(i) + QStringLiteral(" (") +
                   (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern) +
                   QLatin1Char(')');
  }
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilters(choices);
  if (!FileName.isEmpty()) dialog.selectFile(FileName);
}

}  // namespace larkspan
