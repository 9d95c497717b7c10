// Checks that the memory map of a scan run agrees with a plain model of memory: a
// byte per address, written record by record, in either record format.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "records/file_format.h"

namespace larkspan::testing {

// Scans the file at `path` with the memory map, in `format` or the one the file
// tells; returns the problems found.
std::vector<std::string> CheckMap(const std::string& path, std::optional<FileFormat> format);

}  // namespace larkspan::testing
