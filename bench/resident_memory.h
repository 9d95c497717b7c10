// The resident memory of this process, for the benchmarks.
#pragma once

#include <fstream>
#include <string>

namespace larkspan::bench {

// A figure of /proc/self/status in KiB (Linux), -1 when it cannot be read.
inline long StatusKiB(const std::string& key) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with(key)) return std::stol(line.substr(key.size()));
  }
  return -1;
}

// Resident set size now, and its peak so far.
inline long ResidentKiB() {
  return StatusKiB("VmRSS:");
}
inline long PeakResidentKiB() {
  return StatusKiB("VmHWM:");
}

}  // namespace larkspan::bench
