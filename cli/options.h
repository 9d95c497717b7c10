// The command line of larkspan-scan.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "checksum/checksum_algorithm.h"
#include "compare/image_compare.h"
#include "records/file_format.h"

namespace larkspan {

struct ScanOptions {
  std::vector<std::string> files;  // "-" is standard input
  bool check = false;
  bool linear = false;  // list extended and start linear address records
  bool map = false;     // the memory map instead of the listing
  bool json = false;    // the map as JSON
  bool dump = false;    // the data as a hex dump instead of the listing
  // The format every file is read in; none, each file's content tells.
  std::optional<FileFormat> format;
  bool compare = false;           // compare the images of two files
  CompareOptions compareOptions;  // --fill and --range
  bool rangeGiven = false;        // --range, else the range of the data
  // --crc: the checksums of each file's image, and --verify-at, where it is stored.
  std::vector<ChecksumAlgorithm> checksums;
  std::optional<std::uint32_t> verifyAt;
};

// Reads the options and files. Answers --help and --version, and wrong usage,
// on the console; in these cases the result is the exit status to end with.
struct ParsedCommandLine {
  ScanOptions options;
  std::optional<int> exitStatus;
};
ParsedCommandLine ParseCommandLine(int argc, char** argv);

inline constexpr int kExitComplete = 0;
inline constexpr int kExitFileError = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitFaults = 3;

// The worse of two exit statuses: a file error, then faults, then success.
inline int WorseStatus(int a, int b) {
  const auto rank = [](int status) { return status == kExitFaults ? 1 : status * 2; };
  return rank(a) >= rank(b) ? a : b;
}

}  // namespace larkspan
