// larkspan-scan --crc ALGORITHM[,ALGORITHM]... FILE...: checksums of each file's
// memory image, and with --verify-at the value stored in it checked.
#pragma once

#include "options.h"

namespace larkspan {

// Reads each file (any may be "-", standard input) and prints its checksums as
// text, each file after a line "==> FILE <==" when there are several, or as JSON.
// Returns the exit status: 1 when a file cannot be read, 3 when a stored value
// does not match (or with --check a file has a fault), else 0; the worst of the
// files counts.
int RunChecksums(const ScanOptions& options);

}  // namespace larkspan
