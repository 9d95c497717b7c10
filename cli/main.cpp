// larkspan-scan: prints the listing of Intel HEX and S-record files on standard
// output, or their memory map, as text or JSON, or their data by address, or
// compares two images, or gives checksums of an image.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <string>

#include "checksum_command.h"
#include "compare_command.h"
#include "console_view.h"
#include "dump.h"
#include "each_file.h"
#include "map_json.h"
#include "map_report.h"
#include "options.h"
#include "session/scan_session.h"

namespace {

using namespace larkspan;

using Json = nlohmann::ordered_json;

bool SameTarget(int first, int second) {
  struct stat a {};
  struct stat b {};
  if (::fstat(first, &a) != 0 || ::fstat(second, &b) != 0) return false;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Lists one file ("-": standard input); returns its exit status. With --json the
// file's document is added to `documents`.
int Scan(const std::string& path, const ScanOptions& options, Json& documents) {
  const bool standardInput = path == "-";
  const std::string name = standardInput ? "standard input" : path;
  std::optional<ConsoleView> console;
  console.emplace(stdout, stderr,
                  ConsoleView::Options{.showProgress = ::isatty(STDERR_FILENO) != 0,
                                       .sharedTarget = SameTarget(STDOUT_FILENO, STDERR_FILENO)});
  const bool map = options.map || options.dump;
  ScanSession session({.listing = map ? nullptr : &*console,
                       .linear = options.linear,
                       .check = options.check,
                       .map = map,
                       .format = options.format},
                      *console);
  const ScanOutcome outcome = session.Run(name, standardInput ? STDIN_FILENO : -1);
  console.reset();  // its listing lines written out before what follows
  const FaultReport faults = session.Faults();
  if (options.json) {
    documents.push_back(MapJson(name, *session.Map(), options.check ? &faults : nullptr));
  } else if (options.map && outcome == ScanOutcome::Complete) {
    WriteMapText(stdout, *session.Map());
  } else if (options.dump && outcome == ScanOutcome::Complete) {
    WriteDump(stdout, session.Map()->Image());
  }
  if (!Flushed()) return kExitFileError;
  if (outcome != ScanOutcome::Complete) return kExitFileError;
  if (!options.check) return kExitComplete;
  WriteFaults(stderr, name, faults);
  return faults.total > 0 ? kExitFaults : kExitComplete;
}

int ScanCatching(const std::string& path, const ScanOptions& options, Json& documents) {
  try {
    return Scan(path, options, documents);
  } catch (const std::exception& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "larkspan-scan: %s: %s\n", path.c_str(), e.what());
    return kExitFileError;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const ParsedCommandLine command = ParseCommandLine(argc, argv);
  if (command.exitStatus) return *command.exitStatus;
  const ScanOptions& options = command.options;
  if (options.compare) return RunCompare(options);
  if (!options.checksums.empty()) return RunChecksums(options);
  return ForEachFile(options, [&options](const std::string& path, Json& documents) {
    return ScanCatching(path, options, documents);
  });
}
