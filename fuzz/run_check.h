// Checks that what a scan run gave its listing view is consistent with the input:
// every listing line has one of the known forms, warnings name lines that exist,
// and the summary agrees with the records listed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "recording_view.h"
#include "scan_run.h"

namespace larkspan::testing {

// Number of lines in `bytes` by the line-reading rule: a line ends at CR, CR LF or
// LF, and a last line without terminator counts too.
long long CountLines(std::string_view bytes);

// Runs a scan over the file at `path` (whose content is `bytes`) and returns the
// problems found; empty when everything is consistent.
std::vector<std::string> CheckScan(const std::string& path, std::string_view bytes);

// The checks alone, on a finished run's events.
std::vector<std::string> CheckEvents(const RecordingView& view, ScanOutcome outcome,
                                     long long lines);

}  // namespace larkspan::testing
