// What the commands that take several files share: a header before each file's
// output when there are several, and with --json one document per file, alone or
// as an array.
#pragma once

#include <nlohmann/json.hpp>

#include <functional>
#include <string>

#include "options.h"

namespace larkspan {

// Runs `run` on each file of `options`, which prints the file's text (and checks
// that it went out) or adds its document to the list it is given, and returns the
// file's exit status; then prints the documents. Returns the worst status, a
// failed write of the documents included.
using FileRun = std::function<int(const std::string& path, nlohmann::ordered_json& documents)>;
int ForEachFile(const ScanOptions& options, const FileRun& run);

// True when everything written to standard output has gone out; else says so on
// standard error.
bool Flushed();

}  // namespace larkspan
