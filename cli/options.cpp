#include "options.h"

#include <getopt.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "larkspan/version.h"
#include "memory/image_search.h"

namespace larkspan {

namespace {

constexpr char kUsage[] =
    "Usage: larkspan-scan [OPTION]... FILE...\n"
    "List the records of each Intel HEX file FILE, one line per record (data, end,\n"
    "extended segment address, start segment address), followed by a summary of the\n"
    "lowest and highest load offsets and extended segment addresses. A FILE whose\n"
    "first line that is not blank starts with 'S' and a digit is an S-record file:\n"
    "its records (header, data, record count, start address) are listed alike,\n"
    "followed by the lowest and highest data record addresses.\n"
    "With more than one FILE, each listing is preceded by a line '==> FILE <==' and\n"
    "separated from the one before by an empty line. When FILE is -, read standard\n"
    "input.\n"
    "\n"
    "The listing goes to standard output; warnings about lines that cannot be read go\n"
    "to standard error. When standard error is a terminal, it shows the progress.\n"
    "\n"
    "  -c, --check    also warn about every checksum, byte count, non-hexadecimal\n"
    "                 character and end record fault (in S-record files: record\n"
    "                 count, termination record and address overflow faults\n"
    "                 instead of end record ones), with its line, and end each\n"
    "                 file with a count of its faults on standard error; with\n"
    "                 --map or --dump, data written twice with other values is a\n"
    "                 fault too\n"
    "  -l, --linear   also list extended linear address (04) and start linear\n"
    "                 address (05) records, and their lowest and highest values\n"
    "  -m, --map      print the memory map instead of the listing: the address\n"
    "                 ranges with data, the gaps, overlapping records, the entry\n"
    "                 points and the number of records of each type\n"
    "  -j, --json     print the memory map as JSON: one document, or with several\n"
    "                 FILEs one array of their documents\n"
    "  -d, --dump     print the data by address instead of the listing. A row\n"
    "                 shows 16 addresses: the first, the bytes in upper-case\n"
    "                 hexadecimal, and the bytes as characters between '|' bars.\n"
    "                 A byte without data shows as '--', and as a space between\n"
    "                 the bars. Of bytes written twice, the last shows. Two or\n"
    "                 more rows without data fold into one line: '*  NNh (N)\n"
    "                 bytes without data'. Implies --linear; not with --map or\n"
    "                 --json\n"
    "      --format=FORMAT  read every FILE as FORMAT, whatever it starts with:\n"
    "                       ihex (Intel HEX) or srec (S-record)\n"
    "      --compare  compare what two FILEs put in memory, whatever their format,\n"
    "                 record layout or order: each run of addresses that changed or\n"
    "                 holds data in one file only, with the lines that wrote it and\n"
    "                 its first bytes; the entry points when they differ; a summary.\n"
    "                 Exit status as cmp: 0 identical, 1 different, 2 trouble\n"
    "      --fill=XX  with --compare, a byte with data in one file only counts as\n"
    "                 equal when it is XX (hexadecimal; erased flash reads FF)\n"
    "      --range=FIRST:LAST  with --compare, compare only the addresses from\n"
    "                 FIRST to LAST (hexadecimal, with or without 0x or h)\n"
    "  -h, --help     display this help and exit\n"
    "  -V, --version  output version information and exit\n"
    "\n"
    "Exit status: 0 when the listing is complete (with or without warnings),\n"
    "1 when a FILE cannot be opened or read, 2 for wrong usage, 3 with --check when\n"
    "a FILE has a fault (an invalid record included; unknown record types are not\n"
    "faults). With several files, the worst status of them counts: 1, then 3, then 0.\n";

// The values getopt gives for the long options without a short form.
enum : int { kFormatOption = 0x100, kCompare, kFill, kRange };

constexpr option kLongOptions[] = {
    {"check", no_argument, nullptr, 'c'},
    {"linear", no_argument, nullptr, 'l'},
    {"map", no_argument, nullptr, 'm'},
    {"json", no_argument, nullptr, 'j'},
    {"dump", no_argument, nullptr, 'd'},  // implies --linear
    {"format", required_argument, nullptr, kFormatOption},
    {"compare", no_argument, nullptr, kCompare},
    {"fill", required_argument, nullptr, kFill},
    {"range", required_argument, nullptr, kRange},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {nullptr, 0, nullptr, 0},
};

ParsedCommandLine Ending(int status) {
  return {{}, status};
}

ParsedCommandLine UsageError(const std::string& problem) {
  std::fprintf(stderr, "larkspan-scan: %s\nTry 'larkspan-scan --help' for more information.\n",
               problem.c_str());
  return Ending(kExitUsage);
}

// The option getopt stopped at: a short option by its letter, a long one without
// a short form by its name, another long one as written, without a value.
std::string Offending(char** argv) {
  for (const option& longOption : kLongOptions) {
    if (optopt >= kFormatOption && longOption.val == optopt) {
      return "--" + std::string(longOption.name);
    }
  }
  if (optopt != 0) return std::string("-") + static_cast<char>(optopt);
  const std::string_view written = argv[optind - 1];
  return std::string(written.substr(0, written.find('=')));
}

// "FIRST:LAST", both hexadecimal, FIRST not above LAST.
bool ParseRange(std::string_view text, CompareOptions& options) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return false;
  const std::optional<std::uint32_t> first = ParseAddress(text.substr(0, colon));
  const std::optional<std::uint32_t> last = ParseAddress(text.substr(colon + 1));
  if (!first || !last || *first > *last) return false;
  options.first = *first;
  options.last = *last;
  return true;
}

bool ParseFill(std::string_view text, CompareOptions& options) {
  const std::optional<std::uint32_t> fill = ParseAddress(text);
  if (!fill || *fill > 0xFF) return false;
  options.fill = static_cast<std::uint8_t>(*fill);
  return true;
}

std::optional<std::string> CompareProblem(const ScanOptions& options, bool compareValues) {
  if (!options.compare) {
    if (compareValues) return "--fill and --range need --compare";
    return std::nullopt;
  }
  if (options.files.size() != 2) return "--compare needs exactly two FILEs";
  if (options.dump || (options.map && !options.json)) {
    return "--compare cannot be combined with --map or --dump";
  }
  return std::nullopt;
}

// The format named `name` as --format names it.
std::optional<FileFormat> FormatNamed(std::string_view name) {
  for (const FileFormat format : {FileFormat::IntelHex, FileFormat::SRecord}) {
    if (name == FormatName(format)) return format;
  }
  return std::nullopt;
}

}  // namespace

ParsedCommandLine ParseCommandLine(int argc, char** argv) {
  ParsedCommandLine parsed;
  bool compareValues = false;  // --fill or --range given
  opterr = 0;                  // the messages are ours
  optind = 1;
  for (int option; (option = getopt_long(argc, argv, ":cdjlmhV", kLongOptions, nullptr)) != -1;) {
    switch (option) {
      case 'c':
        parsed.options.check = true;
        break;
      case 'l':
        parsed.options.linear = true;
        break;
      case 'd':
        parsed.options.dump = parsed.options.linear = true;
        break;
      case 'j':
        parsed.options.json = true;
        [[fallthrough]];
      case 'm':
        parsed.options.map = true;
        break;
      case kFormatOption:
        parsed.options.format = FormatNamed(optarg);
        if (!parsed.options.format) {
          return UsageError("invalid format '" + std::string(optarg) + "' for '--format' (" +
                            std::string(FormatName(FileFormat::IntelHex)) + " or " +
                            std::string(FormatName(FileFormat::SRecord)) + ")");
        }
        break;
      case kCompare:
        parsed.options.compare = true;
        break;
      case kFill:
        if (!ParseFill(optarg, parsed.options.compareOptions)) {
          return UsageError("invalid fill byte '" + std::string(optarg) + "'");
        }
        compareValues = true;
        break;
      case kRange:
        if (!ParseRange(optarg, parsed.options.compareOptions)) {
          return UsageError("invalid address range '" + std::string(optarg) + "'");
        }
        compareValues = true;
        break;
      case ':':
        return UsageError("option '" + Offending(argv) + "' requires an argument");
      case 'h':
        std::fputs(kUsage, stdout);
        return Ending(kExitComplete);
      case 'V':
        std::printf("larkspan-scan %s\n", kVersionText);
        return Ending(kExitComplete);
      default:
        return UsageError("unknown option '" + Offending(argv) + "'");
    }
  }
  for (int i = optind; i < argc; ++i) parsed.options.files.emplace_back(argv[i]);
  if (parsed.options.files.empty()) return UsageError("missing FILE");
  if (const std::optional<std::string> problem = CompareProblem(parsed.options, compareValues)) {
    return UsageError(*problem);
  }
  if (parsed.options.dump && parsed.options.map) {
    return UsageError("--dump cannot be combined with --map or --json");
  }
  return parsed;
}

}  // namespace larkspan
