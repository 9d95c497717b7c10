// Checks that the memory map of a scan run agrees with a plain model of memory: a
// byte per address, written record by record.
#pragma once

#include <string>
#include <vector>

namespace larkspan::testing {

// Scans the file at `path` with the memory map; returns the problems found.
std::vector<std::string> CheckMap(const std::string& path);

}  // namespace larkspan::testing
