// larkspan-scan: prints the listing of an Intel HEX file on standard output.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "console_view.h"
#include "larkspan/version.h"
#include "scan_run.h"

namespace {

constexpr int kExitComplete = 0;
constexpr int kExitFileError = 1;
constexpr int kExitUsage = 2;

constexpr char kUsage[] =
    "Usage: larkspan-scan [OPTION]... FILE\n"
    "List the records of the Intel HEX file FILE, one line per record (data, end,\n"
    "extended segment address, start segment address), followed by a summary of the\n"
    "lowest and highest load offsets and extended segment addresses.\n"
    "\n"
    "The listing goes to standard output; warnings about lines that cannot be read go\n"
    "to standard error. When standard error is a terminal, it shows the progress.\n"
    "\n"
    "  -h, --help     display this help and exit\n"
    "  -V, --version  output version information and exit\n"
    "\n"
    "Exit status: 0 when the listing is complete (with or without warnings),\n"
    "1 when FILE cannot be opened or read, 2 for wrong usage.\n";

int UsageError(const std::string& problem) {
  std::fprintf(stderr, "larkspan-scan: %s\nTry 'larkspan-scan --help' for more information.\n",
               problem.c_str());
  return kExitUsage;
}

bool SameTarget(int first, int second) {
  struct stat a {};
  struct stat b {};
  if (::fstat(first, &a) != 0 || ::fstat(second, &b) != 0) return false;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

int Scan(const std::string& path) {
  const larkspan::ConsoleView::Options options{
      .showProgress = ::isatty(STDERR_FILENO) != 0,
      .sharedTarget = SameTarget(STDOUT_FILENO, STDERR_FILENO)};
  larkspan::ScanOutcome outcome;
  {
    larkspan::ConsoleView view(stdout, stderr, options);
    larkspan::FormState form{path};
    outcome = larkspan::ScanRun(view, form).Run();
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    std::fprintf(stderr, "larkspan-scan: cannot write the listing: %s\n", std::strerror(errno));
    return kExitFileError;
  }
  return outcome == larkspan::ScanOutcome::Complete ? kExitComplete : kExitFileError;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> files;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (optionsEnded || arg == "-" || !arg.starts_with('-')) {
      files.emplace_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "-h" || arg == "--help") {
      std::fputs(kUsage, stdout);
      return kExitComplete;
    } else if (arg == "-V" || arg == "--version") {
      std::printf("larkspan-scan %s\n", larkspan::kVersionText);
      return kExitComplete;
    } else {
      return UsageError("unknown option '" + std::string(arg) + "'");
    }
  }
  if (files.size() != 1) {
    return UsageError(files.empty() ? "missing FILE" : "only one FILE can be listed at a time");
  }
  try {
    return Scan(files.front());
  } catch (const std::exception& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "larkspan-scan: %s: %s\n", files.front().c_str(), e.what());
    return kExitFileError;
  }
}
