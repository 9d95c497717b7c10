// The listing of a file: one line per known record, then a separator and a
// summary of the lowest and highest addresses.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "listing/listing_texts.h"
#include "listing/scan_state.h"
#include "records/record_format.h"
#include "records/scan_events.h"

namespace larkspan {

// Where the listing lines go: the window's list or the console.
class ListingOutput {
 public:
  virtual ~ListingOutput() = default;
  // Appends an entry at the end of the list: every listing line goes through
  // here. `text` begins with the prefix of its `kind`; `line` is the line of the
  // record it stands for, -1 for the separator and the summary. Listing texts are
  // 8-bit: one byte is one character (Latin-1), as read from the file.
  virtual void AddToList(std::string_view text, LineKind kind, std::int64_t line) = 0;
};

// Lists data, end, extended segment address and start segment address records
// with their fields as they stand in the file, and warns about record types it
// does not decode. With `linear`, extended linear address (04) and start linear
// address (05) records are listed as well, and the summary gives the lowest and
// highest extended linear addresses.
class Listing final : public ScanListener {
 public:
  Listing(const ScanEvents& events, ListingOutput& output, bool linear = false)
      : events_(events), output_(output), linear_(linear) {}

  void OnFormat(FileFormat format) override { intelHex_ = format == FileFormat::IntelHex; }
  void OnRecord(const Record& record) override;
  void OnEnd(std::int64_t lines) override;

 private:
  // A data record's line: "Data record: OOOOh: " and the data's digits.
  static constexpr std::string_view kOffsetSuffix = "h: ";
  static constexpr std::size_t kDataAt =
      PrefixOf(LineKind::kData).size() + format::kOffsetWidth + kOffsetSuffix.size();

  void ListData(const Record& record);
  void ListExtended(const Record& record, LineKind kind, std::size_t width, Span& span);
  void ListStart(const Record& record);
  void ListStartLinear(const Record& record);
  void Add(LineKind kind, std::int64_t line = -1);
  void WarnUnknown(const Record& record);
  void WarnInvalid(const Record& record);
  void ListSpan(std::string_view name, const Span& span);
  void ListMark(std::string_view label, const Mark& mark);

  const ScanEvents& events_;
  ListingOutput& output_;
  bool linear_;
  bool intelHex_ = true;  // the file is in Intel HEX: the summary is this listing's
  ScanState state_;
  std::string text_;  // the listing line being built, reused for every line
  std::array<char, kDataAt + 2 * format::kMaxDataBytes> dataLine_;  // the line of a data record
};

}  // namespace larkspan
