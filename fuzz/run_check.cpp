#include "run_check.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "listing/listing.h"
#include "listing/record_check.h"
#include "listing/srecord_check.h"
#include "listing/srecord_listing.h"
#include "map_check.h"
#include "recording_view.h"
#include "records/scan_run.h"

namespace larkspan::testing {

namespace {

bool IsHex(std::string_view text, std::size_t width) {
  return text.size() == width && std::all_of(text.begin(), text.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
         });
}

long HexValue(std::string_view text) {
  return std::stol(std::string(text), nullptr, 16);
}

bool HasLineBreakOrSpace(std::string_view text) {
  return text.find_first_of("\r\n ") != std::string_view::npos;
}

// What the listing so far says about addresses.
struct Seen {
  std::optional<long> lowOffset, highOffset, lowExtended, highExtended;
  static void Note(std::optional<long>& low, std::optional<long>& high, long value) {
    low = low ? std::min(*low, value) : value;
    high = high ? std::max(*high, value) : value;
  }
};

// Checks one record line of the listing; notes its address.
bool CheckRecordLine(std::string_view text, Seen& seen) {
  if (text == "End record.") return true;
  if (text.starts_with("Data record: ")) {
    const auto rest = text.substr(13);
    if (rest.size() < 7 || !IsHex(rest.substr(0, 4), 4) || rest.substr(4, 3) != "h: ") return false;
    const auto data = rest.substr(7);
    if (data.size() > 510 || HasLineBreakOrSpace(data)) return false;
    Seen::Note(seen.lowOffset, seen.highOffset, HexValue(rest.substr(0, 4)));
    return true;
  }
  if (text.starts_with("Extended address: ")) {
    const auto rest = text.substr(18);
    if (rest.size() != 6 || !IsHex(rest.substr(0, 4), 4) || rest.substr(4) != "0h") return false;
    Seen::Note(seen.lowExtended, seen.highExtended, HexValue(rest.substr(0, 4)) * 16);
    return true;
  }
  if (text.starts_with("Start record: ")) {
    // Segment (up to 4 characters) "h: " high byte (up to 2) " " low byte (up to 2).
    const auto rest = text.substr(14);
    const auto h = rest.find("h: ");
    if (h == std::string_view::npos || h > 4) return false;
    const auto bytes = rest.substr(h + 3);
    const auto gap = bytes.find(' ');
    return gap != std::string_view::npos && gap <= 2 && bytes.size() - gap - 1 <= 2 &&
           !HasLineBreakOrSpace(rest.substr(0, h)) && !HasLineBreakOrSpace(bytes.substr(gap + 1));
  }
  return false;
}

bool IsDecimal(std::string_view text) {
  return !text.empty() && text.size() <= 8 &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Checks one record line of an S-record listing; notes its address.
bool CheckSRecordLine(std::string_view text, Seen& seen) {
  if (text.starts_with("Header: \"")) {
    const auto quoted = text.substr(8);
    return quoted.size() >= 2 && quoted.back() == '"' &&
           std::all_of(quoted.begin(), quoted.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
  }
  if (text.starts_with("Data record: ")) {
    const auto rest = text.substr(13);
    const auto h = rest.find("h: ");
    if ((h != 4 && h != 6 && h != 8) || !IsHex(rest.substr(0, h), h)) return false;
    const auto data = rest.substr(h + 3);  // some of the line's characters as they stand
    if (data.size() > format::kLongestRecord || HasLineBreakOrSpace(data)) return false;
    Seen::Note(seen.lowOffset, seen.highOffset, HexValue(rest.substr(0, h)));
    return true;
  }
  if (text.starts_with("Record count: ")) return IsDecimal(text.substr(14));
  if (text.starts_with("Start address: ")) {
    const auto rest = text.substr(15);
    return rest.size() == 9 && IsHex(rest.substr(0, 8), 8) && rest.back() == 'h';
  }
  return false;
}

// "<label>Xh in line: N" with X the upper-case hex of `value`, N below `lines`.
bool CheckMark(std::string_view text, std::string_view label, long value, long long lines) {
  if (!text.starts_with(label)) return false;
  const auto rest = std::string(text.substr(label.size()));
  char expected[32];
  std::snprintf(expected, sizeof expected, "%lXh in line: ", value);
  if (!rest.starts_with(expected)) return false;
  const auto line = std::stoll(rest.substr(std::string_view(expected).size()));
  return line >= 0 && line < lines;
}

void CheckSummary(const std::vector<std::string>& summary, const Seen& seen, long long lines,
                  std::vector<std::string>& problems) {
  std::size_t next = 0;
  auto expect = [&](std::string_view label, const std::optional<long>& value) {
    if (!value) return;
    if (next >= summary.size() || !CheckMark(summary[next], label, *value, lines)) {
      problems.push_back("summary line " + std::to_string(next) + " is not " + std::string(label) +
                         "...");
    }
    ++next;
  };
  expect("First address: ", seen.lowOffset);
  expect("Last address: ", seen.highOffset);
  expect("First Extended address: ", seen.lowExtended);
  expect("Last Extended address: ", seen.highExtended);
  if (next < summary.size()) problems.push_back("unexpected summary line: " + summary[next]);
}

// Warnings in line order, each naming a line of the file.
void CheckWarnings(const RecordingView& view, long long lines, std::vector<std::string>& problems) {
  long long previous = -1;
  for (const auto& warning : view.With("warning:")) {
    const bool unknown = warning.starts_with("Unknown datatype: Unknown datatype in line: ");
    const bool invalid = warning.starts_with("Invalid record: Invalid record in line: ");
    if (!unknown && !invalid) {
      problems.push_back("unknown warning: " + warning);
      continue;
    }
    const auto number = warning.substr(warning.find("in line: ") + 9);
    const long long line = std::stoll(number);
    if (line <= previous || line >= lines) problems.push_back("warning names line " + number);
    previous = line;
    if (!warning.ends_with("; Line will be ignored."))
      problems.push_back("warning text: " + warning);
  }
}

// Titles of the warnings that only a checked run gives.
constexpr std::array<std::string_view, 6> kFaultTitles = {
    "Checksum error",   "Byte count mismatch", "Invalid character",
    "Record after end", "Second end record",   "No end record"};

bool IsFaultWarning(std::string_view event) {
  return event.starts_with("warning:") &&
         std::any_of(kFaultTitles.begin(), kFaultTitles.end(), [&](std::string_view title) {
           return event.substr(8).starts_with(std::string(title) + ": ");
         });
}

// The run's listeners as a session adds them: the checks when asked for, then
// the listing of each format, then `view`.
struct Listeners {
  ScanEvents events;
  RecordCheck check{events};
  SRecordCheck srecordCheck{events};
  Listing listing;
  SRecordListing srecordListing;

  Listeners(RecordingView& view, bool checked)
      : listing(events, view), srecordListing(events, view) {
    if (checked) {
      events.Add(check);
      events.Add(srecordCheck);
    }
    events.Add(listing);
    events.Add(srecordListing);
    events.Add(view);
  }
};

// A checked run gives the events of the unchecked run with warnings added that
// name lines in order. In Intel HEX they are fault warnings ("No end record"
// last, with the number of lines), and each fault warning and each invalid
// record counts once; in an S-record file some warnings are not faults.
void CheckCheckedRun(const std::string& path, std::optional<FileFormat> format,
                     const RecordingView& plain, long long lines,
                     std::vector<std::string>& problems) {
  RecordingView view;
  Listeners run(view, true);
  ScanRun scan(run.events, format);
  scan.Run(path);
  const bool intelHex = scan.Format() == FileFormat::IntelHex;
  std::size_t matched = 0;
  long long added = 0, previous = -1;
  for (const auto& event : view.events) {
    if (matched < plain.events.size() && event == plain.events[matched]) {
      ++matched;
      continue;
    }
    ++added;
    if (!event.starts_with("warning:") || (intelHex && !IsFaultWarning(event))) {
      problems.push_back("checked run: " + event);
    } else if (event.starts_with("warning:No end record: ")) {
      const bool beforeSummary = matched < plain.events.size() &&
                                 plain.events[matched] == "add:" + std::string(kSeparator);
      if (!beforeSummary ||
          event != "warning:No end record: No end record in the file; Lines read: " +
                       std::to_string(lines)) {
        problems.push_back("checked run: " + event);
      }
      previous = lines;  // nothing may follow
    } else if (const auto at = event.find(" in line: "); at != std::string::npos) {
      const long long line = std::stoll(event.substr(at + 10));
      if (line < previous || line >= lines) problems.push_back("checked run: " + event);
      previous = line;
    }
  }
  if (matched != plain.events.size())
    problems.push_back("a checked run lists or warns differently");
  const long long invalid = static_cast<long long>(view.With("warning:Invalid record: ").size());
  const long long faults = run.check.Faults().Total() + run.srecordCheck.Faults().Total();
  if (intelHex ? faults != added + invalid : faults < invalid || faults > added + invalid) {
    problems.push_back("checked run: faults miscounted");
  }
}

// Number of lines in `bytes` by the line-reading rule: a line ends at CR, CR LF or
// LF, and a last line without terminator counts too.
long long CountLines(std::string_view bytes) {
  long long lines = 0;
  bool open = false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n') {
      ++lines;
      open = false;
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      open = true;
    }
  }
  return lines + (open ? 1 : 0);
}

// The checks of a finished run's events.
std::vector<std::string> CheckEvents(const RecordingView& view, ScanOutcome outcome,
                                     FileFormat format, long long lines) {
  std::vector<std::string> problems;
  const auto& events = view.events;
  if (outcome != ScanOutcome::Complete) problems.push_back("the run did not complete");
  if (events.empty() || events.back() != "end:" + std::to_string(lines)) {
    problems.push_back("the run did not end with the number of lines");
  }
  const auto listed = view.With("add:");
  const auto separator = std::find(listed.begin(), listed.end(), kSeparator);
  if (separator == listed.end()) {
    problems.push_back("no separator");
    return problems;
  }
  Seen seen;
  const auto check = format == FileFormat::SRecord ? CheckSRecordLine : CheckRecordLine;
  for (auto it = listed.begin(); it != separator; ++it) {
    if (!check(*it, seen)) problems.push_back("not a listing line: " + *it);
  }
  CheckSummary(std::vector<std::string>(separator + 1, listed.end()), seen, lines, problems);
  CheckWarnings(view, lines, problems);
  const auto progress = view.With("progress:");
  if (static_cast<long long>(progress.size()) != lines / 100) {
    problems.push_back("progress shown " + std::to_string(progress.size()) + " times for " +
                       std::to_string(lines) + " lines");
  }
  const auto records = std::distance(listed.begin(), separator);
  if (records + static_cast<long long>(view.With("warning:").size()) > lines) {
    problems.push_back("more records and warnings than lines");
  }
  return problems;
}

// Checks a run in `format`, or in the one the file tells, adding the problems
// found, each after `prefix`; returns the format the file was read in.
FileFormat CheckScanIn(const std::string& path, long long lines, std::optional<FileFormat> format,
                       const std::string& prefix, std::vector<std::string>& problems) {
  RecordingView view;
  Listeners run(view, false);
  ScanRun scan(run.events, format);
  const ScanOutcome outcome = scan.Run(path);
  const FileFormat read = scan.Format().value_or(FileFormat::IntelHex);
  auto found = CheckEvents(view, outcome, read, lines);
  if (format && read != *format) found.push_back("the run did not keep the format given");
  CheckCheckedRun(path, format, view, lines, found);
  for (std::string& problem : CheckMap(path, format)) found.push_back(std::move(problem));
  for (const std::string& problem : found) problems.push_back(prefix + problem);
  return read;
}

}  // namespace

// The file in the format it tells, then forced into the other one.
std::vector<std::string> CheckScan(const std::string& path, std::string_view bytes) {
  const long long lines = CountLines(bytes);
  std::vector<std::string> problems;
  const FileFormat told = CheckScanIn(path, lines, std::nullopt, "", problems);
  const FileFormat other = told == FileFormat::SRecord ? FileFormat::IntelHex : FileFormat::SRecord;
  CheckScanIn(path, lines, other, std::string(FormatName(other)) + ": ", problems);
  return problems;
}

}  // namespace larkspan::testing
