// The command line of larkspan-scan.
#pragma once

#include <optional>
#include <string>
#include <vector>

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

}  // namespace larkspan
