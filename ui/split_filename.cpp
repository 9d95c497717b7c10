#include "split_filename.h"

namespace larkspan {

namespace {

#ifdef _WIN32
constexpr char16_t kSeparator = u'\\';
#else
constexpr char16_t kSeparator = u'/';
#endif

}  // namespace

QString SplitFilename(const QString& filename, bool pathPart) {
  const qsizetype position = filename.lastIndexOf(QChar(kSeparator));
  if (position < 0) return pathPart ? QStringLiteral(".") : filename;
  if (!pathPart) return filename.mid(position + 1);
#ifndef _WIN32
  if (position == 0) return QStringLiteral("/");
#endif
  return filename.left(position);
}

}  // namespace larkspan
