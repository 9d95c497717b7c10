// The listing of an S-record file: one line per record, in the style of the
// Intel HEX listing, then a separator and the lowest and highest data address.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "listing/listing_output.h"
#include "listing/scan_state.h"
#include "records/scan_events.h"
#include "records/srecord_format.h"

namespace larkspan {

// Lists S0 as `Header: "text"`, S1 to S3 as `Data record: AAAAh: DD...` with the
// address and data as they stand in the file, in as many digits as the type has,
// S5 and S6 as `Record count: N`, S7 to S9 as `Start address: AAAAAAAAh`; warns
// about record types that are not defined.
class SRecordListing final : public ScanListener {
 public:
  SRecordListing(const ScanEvents& events, ListingOutput& output)
      : events_(events), output_(output) {}

  void OnFormat(FileFormat format) override { active_ = format == FileFormat::SRecord; }
  void OnSRecord(const SRecord& record) override;
  void OnEnd(std::int64_t lines) override;

 private:
  static constexpr std::size_t kLongestAddress = 2 * srec::kAddressBytes[srec::kData32];

  template <std::size_t kAddressDigits>
  void ListData(const SRecord& record);
  void ListHeader(const SRecord& record);
  void ListCount(const SRecord& record);
  void ListStart(const SRecord& record);
  void Add(LineKind kind, std::int64_t line);

  const ScanEvents& events_;
  ListingOutput& output_;
  bool active_ = false;  // the file is an S-record file: the summary is this listing's
  Span addresses_;       // of the data records
  std::string text_;     // the listing line being built, reused for every line
  std::array<char, kDataLineFrame + kLongestAddress + 2 * srec::kMaxCount> dataLine_;
};

}  // namespace larkspan
