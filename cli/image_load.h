// Reading a file's memory image for the commands that work on images.
#pragma once

#include <memory>
#include <string>

#include "options.h"
#include "session/scan_session.h"

namespace larkspan {

struct LoadedImage {
  std::string name;                // "standard input" for "-"
  std::shared_ptr<MemoryMap> map;  // none when the file could not be read
  std::string error;               // why it could not be read
  std::uint64_t faults = 0;        // with --check
};

// Reads `path` ("-": standard input) into a memory map, in the format
// --format asks for. Warnings and, with --check, the faults go to standard error.
LoadedImage LoadImage(const std::string& path, const ScanOptions& options);

}  // namespace larkspan
