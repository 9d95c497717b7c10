// The data of a file's memory image as a hex dump: rows of 16 addresses, the
// bytes in hexadecimal and as characters, so that two files can be compared by
// address with diff.
#pragma once

#include <cstdio>

#include "memory/memory_image.h"

namespace larkspan {

// Writes every row of 16 addresses (aligned to 16) that holds data, in address
// order, laid out as RowLayout says; rows without data that fold are written as
// one line "*  NNNh (N) bytes without data", N the bytes of the folded rows. An
// image without data writes nothing. `image` is finished.
void WriteDump(std::FILE* out, const MemoryImage& image);

}  // namespace larkspan
