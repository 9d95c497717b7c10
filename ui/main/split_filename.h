// Cutting a path into its folder and its file name.
#pragma once

#include <QString>

namespace larkspan {

// The folder part of `filename` when `pathPart` is true, else the file-name part.
// The cut is at the last slash: the name is what follows it, the folder what
// precedes it, and a file in the root folder has the folder "/". Without a slash
// the folder is "." and the name is the whole text.
QString SplitFilename(const QString& filename, bool pathPart);

}  // namespace larkspan
