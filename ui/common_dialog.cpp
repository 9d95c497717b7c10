#include "common_dialog.h"

#include <QStringList>

namespace larkspan {

namespace {

// One choice of the filter string as a Qt name filter: the description, then the
// patterns in parentheses. "*.*" means every file, also files without a dot.
QString NameFilter(const QString& description, const QString& patterns) {
  QStringList qtPatterns;
  for (const QString& pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const QString trimmed = pattern.trimmed();
    qtPatterns << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
  }
  return description + QLatin1String(" (") + qtPatterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

}  // namespace

OpenFileRequest CommonDialog::Request() const {
  OpenFileRequest request;
  request.title = DialogTitle;
  request.folder = InitDir;
  request.fileName = FileName;
  const QStringList parts = Filter.split(QLatin1Char('|'));
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    request.filters << NameFilter(parts.at(i), parts.at(i + 1));
  }
  request.existingOnly = (Flags & kFileMustExist) != 0;
  return request;
}

void CommonDialog::ShowOpen() {
  const auto chosen = platform_.ChooseFile(parent_, Request());
  if (chosen) {
    FileName = *chosen;
    return;
  }
  if (CancelError) throw DialogCancelled();
  FileName.clear();
}

}  // namespace larkspan
