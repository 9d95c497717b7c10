// larkspan-scan: prints the listing of Intel HEX files on standard output.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "console_view.h"
#include "dump.h"
#include "listing/listing.h"
#include "listing/record_check.h"
#include "map_json.h"
#include "map_report.h"
#include "memory/memory_map.h"
#include "options.h"
#include "records/scan_run.h"

namespace {

using namespace larkspan;

bool SameTarget(int first, int second) {
  struct stat a {};
  struct stat b {};
  if (::fstat(first, &a) != 0 || ::fstat(second, &b) != 0) return false;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// "larkspan-scan: check: NAME: faults N (checksum N, byte count N, ...)"; the
// overlaps, the last kind, are counted only with the map.
void PrintFaults(const std::string& name, const FaultCounts& faults, bool map) {
  std::string line = "larkspan-scan: check: " + name + ": faults ";
  line += std::to_string(faults.Total()) + " (";
  for (std::size_t kind = 0; kind < kFaultKinds - (map ? 0 : 1); ++kind) {
    if (kind != 0) line += ", ";
    line += std::string(kFaultNames[kind]) + " " + std::to_string(faults.counts[kind]);
  }
  std::fprintf(stderr, "%s)\n", line.c_str());
}

// Lists one file ("-": standard input); returns its exit status.
int Scan(const std::string& path, const ScanOptions& options) {
  const bool standardInput = path == "-";
  const std::string name = standardInput ? "standard input" : path;
  ScanEvents events;
  RecordCheck check(events);
  MemoryMap map(events, {.warn = true, .checkOverlaps = options.check});
  const bool image = options.map || options.dump;
  ScanOutcome outcome;
  {
    ConsoleView console(stdout, stderr,
                        {.showProgress = ::isatty(STDERR_FILENO) != 0,
                         .sharedTarget = SameTarget(STDOUT_FILENO, STDERR_FILENO)});
    Listing listing(events, console, options.linear);
    if (options.check) events.Add(check);
    events.Add(image ? static_cast<ScanListener&>(map) : listing);
    events.Add(console);
    outcome = ScanRun(events).Run(name, standardInput ? STDIN_FILENO : -1);
  }
  const FaultCounts& faults = check.Faults();
  if (options.json) {
    std::puts(MapJson(name, map, options.check ? &faults : nullptr).dump(2).c_str());
  } else if (options.map && outcome == ScanOutcome::Complete) {
    WriteMapText(stdout, map);
  } else if (options.dump && outcome == ScanOutcome::Complete) {
    WriteDump(stdout, map.Image());
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    std::fprintf(stderr, "larkspan-scan: cannot write the listing: %s\n", std::strerror(errno));
    return kExitFileError;
  }
  if (outcome != ScanOutcome::Complete) return kExitFileError;
  if (!options.check) return kExitComplete;
  PrintFaults(name, faults, image);
  return faults.Total() > 0 ? kExitFaults : kExitComplete;
}

int ScanCatching(const std::string& path, const ScanOptions& options) {
  try {
    return Scan(path, options);
  } catch (const std::exception& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "larkspan-scan: %s: %s\n", path.c_str(), e.what());
    return kExitFileError;
  }
}

// The worse of two exit statuses: a file error, then faults, then success.
int Worse(int a, int b) {
  const auto rank = [](int status) { return status == kExitFaults ? 1 : status * 2; };
  return rank(a) >= rank(b) ? a : b;
}

}  // namespace

int main(int argc, char** argv) {
  const ParsedCommandLine command = ParseCommandLine(argc, argv);
  if (command.exitStatus) return *command.exitStatus;
  const ScanOptions& options = command.options;
  const bool headers = options.files.size() > 1 && !options.json;
  int status = kExitComplete;
  for (std::size_t i = 0; i < options.files.size(); ++i) {
    const std::string& path = options.files[i];
    if (headers) {
      std::printf("%s==> %s <==\n", i == 0 ? "" : "\n",
                  path == "-" ? "standard input" : path.c_str());
    }
    status = Worse(status, ScanCatching(path, options));
  }
  return status;
}
