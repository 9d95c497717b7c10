// Checks that what a scan run gave its listing view is consistent with the input:
// every listing line has one of the known forms of the file's format, warnings
// name lines that exist, and the summary agrees with the records listed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace larkspan::testing {

// Runs a scan over the file at `path` (whose content is `bytes`), in the format
// the file tells and again in the other one, and returns the problems found;
// empty when everything is consistent.
std::vector<std::string> CheckScan(const std::string& path, std::string_view bytes);

}  // namespace larkspan::testing
