// larkspan-scan --compare FIRST SECOND: what the two files put in memory,
// compared.
#pragma once

#include "options.h"

namespace larkspan {

// Reads both files (either may be "-", standard input), compares their images
// and prints the differences as text or JSON. Returns the exit status as cmp
// does: 0 identical (same data and entry points), 1 different, 2 trouble (a file
// that cannot be read). With --check the faults go to standard error as usual and
// do not change the status.
int RunCompare(const ScanOptions& options);

}  // namespace larkspan
