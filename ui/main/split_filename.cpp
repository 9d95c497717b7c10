#include "main/split_filename.h"

namespace larkspan {

QString SplitFilename(const QString& filename, bool pathPart) {
  const qsizetype position = filename.lastIndexOf(QLatin1Char('/'));
  if (position < 0) return pathPart ? QStringLiteral(".") : filename;
  if (!pathPart) return filename.mid(position + 1);
  return position == 0 ? QStringLiteral("/") : filename.left(position);
}

}  // namespace larkspan
