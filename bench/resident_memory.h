// The resident memory of this process, for the benchmarks.
#pragma once

#include <fstream>
#include <string>

namespace larkspan::bench {

// Resident set size in KiB (Linux), -1 when it cannot be read.
inline long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("VmRSS:")) return std::stol(line.substr(6));
  }
  return -1;
}

}  // namespace larkspan::bench
