// The memory map of a file as text, for people: ranges, gaps, totals, overlaps,
// entry points and record counts.
#pragma once

#include <cstdio>

#include "memory/memory_map.h"

namespace larkspan {

void WriteMapText(std::FILE* out, const MemoryMap& map);

}  // namespace larkspan
