// One pass over a HEX file: listing lines, warnings, progress and summary.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "scan/listing_view.h"
#include "scan/record_check.h"
#include "scan/scan_state.h"

namespace larkspan {

class TextFile;

enum class ScanOutcome {
  Complete,   // the whole file was read and the summary listed
  FileError,  // the file could not be opened or read; the error box was shown
};

// How a run reads and what it reports beyond the listing.
struct ScanOptions {
  // Also check every record (checksum, byte count, characters, end record) and
  // warn about each fault; Faults() counts them.
  bool check = false;
  // Read this open descriptor instead of opening the file; the file's name is then
  // only used in messages.
  int inputFd = -1;
};

// Reads the file named by `form.CurrentFile` line by line and fills the view's list
// with one line per known record (data, end, extended segment address, start
// segment address), warns about lines it cannot decode, shows progress every 100
// lines and ends with a summary of the lowest and highest addresses. Pending events
// are processed every 100 lines, and every 4 MiB within a single very long line.
class ScanRun {
 public:
  // Characters of a line that the listing can ever show: start code, byte count,
  // offset and type (9), then up to 255 data bytes of two characters each.
  static constexpr std::size_t kKeptCharacters = 9 + 2 * 255;
  static constexpr std::int64_t kProgressInterval = 100;

  ScanRun(ListingView& view, FormState& form, ScanOptions options = {})
      : view_(view), form_(form), options_(options) {}

  ScanOutcome Run();
  // The faults found by a checked run (all zero when the run does not check).
  FaultCounts Faults() const { return check_ ? check_->Faults() : FaultCounts{}; }

 private:
  void ReadLines(TextFile& file);
  void ShowProgress();
  bool Open(TextFile& file);
  void DecodeRecord(std::string_view line, std::uint64_t length);
  void ListData(std::string_view line, std::int32_t count, std::string_view offsetText);
  void ListExtended(std::string_view segment);
  void ListStart(std::string_view line);
  void Warn(std::string_view title, std::string_view datatype);
  void WarnInvalid();
  void ListSummary();
  void ListMark(std::string_view label, const Mark& mark);
  void ReportFileError(const std::string& reason);
  void ShowList();

  ListingView& view_;
  FormState& form_;
  ScanOptions options_;
  std::optional<RecordCheck> check_;  // only in a checked run
  ScanState state_;
  std::string text_;  // the listing line being built, reused for every line
};

}  // namespace larkspan
