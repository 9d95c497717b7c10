// The listing of a file: one line per known record, then a separator and a
// summary of the lowest and highest addresses.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "listing/listing_output.h"
#include "listing/listing_texts.h"
#include "listing/scan_state.h"
#include "records/record_format.h"
#include "records/scan_events.h"

namespace larkspan {

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
  void ListData(const Record& record);
  void ListExtended(const Record& record, LineKind kind, std::size_t width, Span& span);
  void ListStart(const Record& record);
  void ListStartLinear(const Record& record);
  void Add(LineKind kind, std::int64_t line = -1);
  void WarnUnknown(const Record& record);
  void WarnInvalid(const Record& record);

  const ScanEvents& events_;
  ListingOutput& output_;
  bool linear_;
  bool intelHex_ = true;  // the file is in Intel HEX: the summary is this listing's
  ScanState state_;
  std::string text_;  // the listing line being built, reused for every line
  std::array<char, kDataLineFrame + format::kOffsetWidth + 2 * format::kMaxDataBytes>
      dataLine_;  // the line of a data record
};

}  // namespace larkspan
