#include "image_load.h"

#include <unistd.h>

#include <cstdio>
#include <exception>

#include "console_view.h"

namespace larkspan {

LoadedImage LoadImage(const std::string& path, const ScanOptions& options) {
  const bool standardInput = path == "-";
  LoadedImage loaded;
  loaded.name = standardInput ? "standard input" : path;
  ConsoleView console(stdout, stderr, {.showProgress = ::isatty(STDERR_FILENO) != 0});
  ScanSession session({.check = options.check, .map = true, .format = options.format}, console);
  try {
    if (session.Run(loaded.name, standardInput ? STDIN_FILENO : -1) != ScanOutcome::Complete) {
      const std::span<const Message> warnings = session.Map()->Warnings();
      if (!warnings.empty()) loaded.error = JoinLines(warnings.back(), "; ");
      return loaded;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "larkspan-scan: %s: %s\n", path.c_str(), e.what());
    loaded.error = e.what();
    return loaded;
  }
  if (options.check) {
    WriteFaults(stderr, loaded.name, session.Faults());
    loaded.faults = session.Faults().total;
  }
  loaded.map = session.Map();
  return loaded;
}

}  // namespace larkspan
