#include "listing/srecord_listing.h"

#include "records/header_text.h"
#include "records/number_text.h"
#include "records/record_format.h"

namespace larkspan {

namespace {

// The index of the address field, the first character after the byte count.
constexpr std::size_t kAddressIndex = srec::kCountIndex + 2;

}  // namespace

void SRecordListing::OnSRecord(const SRecord& record) {
  switch (record.type) {
    case srec::kHeader:
      return ListHeader(record);
    case srec::kData16:
      return ListData<4>(record);
    case srec::kData24:
      return ListData<6>(record);
    case srec::kData32:
      return ListData<8>(record);
    case srec::kCount16:
    case srec::kCount24:
      return ListCount(record);
    case srec::kStart32:
    case srec::kStart24:
    case srec::kStart16:
      return ListStart(record);
    default:
      events_.Warn(UnknownType(record.line, srec::kTypeTexts[record.type]));
  }
}

// "Data record: AAAAh: DD...": the address field and the data, as far as the
// line has them, as they stand.
template <std::size_t kAddressDigits>
void SRecordListing::ListData(const SRecord& record) {
  constexpr std::size_t kDataIndex = kAddressIndex + kAddressDigits;
  constexpr std::size_t kFrameBytes = kAddressDigits / 2 + 1;  // address and checksum
  const std::string_view data =
      format::Field(record.text, kDataIndex, 2 * (std::size_t{record.count} - kFrameBytes));
  output_.AddToList(
      PutDataLine<kAddressDigits>(dataLine_.data(), record.text.data() + kAddressIndex, data),
      LineKind::kData, record.line);
  addresses_.Note(record.address, record.line);
}

// `Header: "text"`: the data bytes, any byte shown safely.
void SRecordListing::ListHeader(const SRecord& record) {
  text_.assign(PrefixOf(LineKind::kHeader));
  text_.push_back('"');
  text_.append(HeaderText(record.Data()));
  text_.push_back('"');
  Add(LineKind::kHeader, record.line);
}

// "Record count: N": the address field's value, in decimal.
void SRecordListing::ListCount(const SRecord& record) {
  text_.assign(PrefixOf(LineKind::kRecordCount));
  AppendDecimal(text_, record.address);
  Add(LineKind::kRecordCount, record.line);
}

// "Start address: AAAAAAAAh": the address field's value in 8 digits, whatever
// its width.
void SRecordListing::ListStart(const SRecord& record) {
  text_.assign(PrefixOf(LineKind::kStartAddress));
  AppendHex(text_, record.address, 8);
  text_.push_back('h');
  Add(LineKind::kStartAddress, record.line);
}

void SRecordListing::Add(LineKind kind, std::int64_t line) {
  output_.AddToList(text_, kind, line);
}

void SRecordListing::OnEnd(std::int64_t /*lines*/) {
  if (!active_) return;
  AddSeparator(output_);
  AddSpan(output_, text_, "address: ", addresses_);
}

}  // namespace larkspan
