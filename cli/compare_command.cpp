#include "compare_command.h"

#include <unistd.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <optional>

#include "compare/image_compare.h"
#include "compare_report.h"
#include "console_view.h"
#include "session/scan_session.h"

namespace larkspan {

namespace {

constexpr int kIdentical = 0, kDifferent = 1, kTrouble = 2;

struct Loaded {
  std::string name;
  std::shared_ptr<MemoryMap> map;  // none when the file could not be read
};

Loaded Load(const std::string& path, const ScanOptions& options) {
  const bool standardInput = path == "-";
  Loaded loaded{standardInput ? "standard input" : path, nullptr};
  ConsoleView console(stdout, stderr, {.showProgress = ::isatty(STDERR_FILENO) != 0});
  ScanSession session({.check = options.check, .map = true, .format = options.format}, console);
  try {
    if (session.Run(loaded.name, standardInput ? STDIN_FILENO : -1) != ScanOutcome::Complete) {
      return loaded;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "larkspan-scan: %s: %s\n", path.c_str(), e.what());
    return loaded;
  }
  if (options.check) WriteFaults(stderr, loaded.name, session.Faults());
  loaded.map = session.Map();
  return loaded;
}

}  // namespace

int RunCompare(const ScanOptions& options) {
  const Loaded first = Load(options.files[0], options);
  const Loaded second = Load(options.files[1], options);
  if (!first.map || !second.map) return kTrouble;
  const ImageCompare compare(first.map->Image(), first.map->Entries(), second.map->Image(),
                             second.map->Entries(), options.compareOptions);
  if (options.json) {
    std::puts(CompareJson(first.name, second.name, compare).dump(2).c_str());
  } else {
    WriteCompareText(stdout, compare);
  }
  if (std::fflush(stdout) != 0) return kTrouble;
  return compare.Identical() ? kIdentical : kDifferent;
}

}  // namespace larkspan
