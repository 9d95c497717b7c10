// larkspan-scan: prints the listing of Intel HEX files on standard output.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "cli/console_view.h"
#include "larkspan/version.h"
#include "scan/scan_run.h"

namespace {

constexpr int kExitComplete = 0;
constexpr int kExitFileError = 1;
constexpr int kExitUsage = 2;
constexpr int kExitFaults = 3;

constexpr char kUsage[] =
    "Usage: larkspan-scan [OPTION]... FILE...\n"
    "List the records of each Intel HEX file FILE, one line per record (data, end,\n"
    "extended segment address, start segment address), followed by a summary of the\n"
    "lowest and highest load offsets and extended segment addresses.\n"
    "With more than one FILE, each listing is preceded by a line '==> FILE <==' and\n"
    "separated from the one before by an empty line. When FILE is -, read standard\n"
    "input.\n"
    "\n"
    "The listing goes to standard output; warnings about lines that cannot be read go\n"
    "to standard error. When standard error is a terminal, it shows the progress.\n"
    "\n"
    "  -c, --check    also warn about every checksum, byte count, non-hexadecimal\n"
    "                 character and end record fault, with its line, and end each\n"
    "                 file with a count of its faults on standard error\n"
    "  -h, --help     display this help and exit\n"
    "  -V, --version  output version information and exit\n"
    "\n"
    "Exit status: 0 when the listing is complete (with or without warnings),\n"
    "1 when a FILE cannot be opened or read, 2 for wrong usage, 3 with --check when\n"
    "a FILE has a fault (an invalid record included; unknown record types are not\n"
    "faults). With several files, the worst status of them counts: 1, then 3, then 0.\n";

struct Arguments {
  std::vector<std::string> files;
  bool check = false;
};

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

// "larkspan-scan: check: NAME: faults N (checksum N, byte count N, ...)".
void PrintFaults(const std::string& name, const larkspan::FaultCounts& faults) {
  std::string line = "larkspan-scan: check: " + name + ": faults ";
  line += std::to_string(faults.Total()) + " (";
  for (std::size_t kind = 0; kind < larkspan::kFaultKinds; ++kind) {
    if (kind != 0) line += ", ";
    line += std::string(larkspan::kFaultNames[kind]) + " " + std::to_string(faults.counts[kind]);
  }
  std::fprintf(stderr, "%s)\n", line.c_str());
}

// Lists one file ("-": standard input); returns its exit status.
int Scan(const std::string& path, bool check) {
  const bool standardInput = path == "-";
  const std::string name = standardInput ? "standard input" : path;
  const larkspan::ConsoleView::Options options{
      .showProgress = ::isatty(STDERR_FILENO) != 0,
      .sharedTarget = SameTarget(STDOUT_FILENO, STDERR_FILENO)};
  larkspan::ScanOutcome outcome;
  larkspan::FaultCounts faults;
  {
    larkspan::ConsoleView view(stdout, stderr, options);
    larkspan::FormState form{name};
    larkspan::ScanRun run(view, form, {.check = check, .inputFd = standardInput ? 0 : -1});
    outcome = run.Run();
    faults = run.Faults();
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    std::fprintf(stderr, "larkspan-scan: cannot write the listing: %s\n", std::strerror(errno));
    return kExitFileError;
  }
  if (outcome != larkspan::ScanOutcome::Complete) return kExitFileError;
  if (!check) return kExitComplete;
  PrintFaults(name, faults);
  return faults.Total() > 0 ? kExitFaults : kExitComplete;
}

int ScanCatching(const std::string& path, bool check) {
  try {
    return Scan(path, check);
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

// Parses the command line into `arguments`; returns -1 to go on, else an exit status.
int Parse(int argc, char** argv, Arguments& arguments) {
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (optionsEnded || arg == "-" || !arg.starts_with('-')) {
      arguments.files.emplace_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "-c" || arg == "--check") {
      arguments.check = true;
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
  return arguments.files.empty() ? UsageError("missing FILE") : -1;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments arguments;
  if (const int status = Parse(argc, argv, arguments); status >= 0) return status;
  const bool headers = arguments.files.size() > 1;
  int status = kExitComplete;
  for (std::size_t i = 0; i < arguments.files.size(); ++i) {
    const std::string& path = arguments.files[i];
    if (headers) {
      std::printf("%s==> %s <==\n", i == 0 ? "" : "\n",
                  path == "-" ? "standard input" : path.c_str());
    }
    status = Worse(status, ScanCatching(path, arguments.check));
  }
  return status;
}
