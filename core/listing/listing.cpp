#include "listing/listing.h"

#include "listing/hex_to_long.h"
#include "records/record_format.h"

namespace larkspan {

using format::Field;

void Listing::OnRecord(const Record& record) {
  switch (record.type) {
    case format::kData:
      ListData(record);
      return;
    case format::kEnd:
      text_.assign("End record.");
      Add(LineKind::kPlain, record.line);
      return;
    case format::kExtendedSegment:
      ListExtended(record, LineKind::kExtendedAddress, format::kSegmentWidth, state_.Extended);
      return;
    case format::kStartSegment:
      ListStart(record);
      return;
    case format::kExtendedLinear:
      if (!linear_) break;
      ListExtended(record, LineKind::kExtendedLinear, format::kUpperWordWidth, state_.Linear);
      return;
    case format::kStartLinear:
      if (!linear_) break;
      ListStartLinear(record);
      return;
    default:
      break;
  }
  WarnUnknown(record);
}

void Listing::ListData(const Record& record) {
  const std::string_view data =
      Field(record.text, format::kDataIndex, std::size_t{record.count} * 2);
  output_.AddToList(PutDataLine<format::kOffsetWidth>(
                        dataLine_.data(), record.text.data() + format::kOffsetIndex, data),
                    LineKind::kData, record.line);
  state_.Address.Note(record.offset, record.line);
}

// "Extended address: SSSS0h" for a segment, "Extended linear address: UUUU0000h"
// for an upper word: the value the field stands for, in the file's characters.
void Listing::ListExtended(const Record& record, LineKind kind, std::size_t width, Span& span) {
  const std::string_view value = Field(record.text, format::kDataIndex, width);
  if (!format::IsHexField(value, width)) {
    WarnInvalid(record);
    return;
  }
  const bool segment = kind == LineKind::kExtendedAddress;
  text_.assign(PrefixOf(kind));
  text_.append(value);
  text_.append(segment ? "0h" : "0000h");
  Add(kind, record.line);
  const std::uint32_t unit = segment ? format::kParagraphBytes : format::kUpperWordUnit;
  span.Note(std::int64_t{HexToLong(value)} * unit, record.line);
}

void Listing::ListStart(const Record& record) {
  text_.assign(PrefixOf(LineKind::kStartRecord));
  text_.append(Field(record.text, format::kDataIndex, format::kSegmentWidth));
  text_.append("h: ");
  text_.append(Field(record.text, format::kStartIpHighIndex, format::kStartIpWidth));
  text_.append(" ");
  text_.append(Field(record.text, format::kStartIpLowIndex, format::kStartIpWidth));
  Add(LineKind::kStartRecord, record.line);
}

void Listing::ListStartLinear(const Record& record) {
  const std::string_view eip = Field(record.text, format::kDataIndex, format::kEipWidth);
  if (!format::IsHexField(eip, format::kEipWidth)) {
    WarnInvalid(record);
    return;
  }
  text_.assign(PrefixOf(LineKind::kStartLinear));
  text_.append(eip);
  text_.append("h");
  Add(LineKind::kStartLinear, record.line);
}

void Listing::Add(LineKind kind, std::int64_t line) {
  output_.AddToList(text_, kind, line);
}

void Listing::WarnUnknown(const Record& record) {
  events_.Warn(
      UnknownType(record.line, Field(record.text, format::kTypeIndex, format::kTypeWidth)));
}

void Listing::WarnInvalid(const Record& record) {
  events_.Warn(InvalidRecord(record.line));
}

void Listing::OnEnd(std::int64_t /*lines*/) {
  if (!intelHex_) return;
  AddSeparator(output_);
  AddSpan(output_, text_, "address: ", state_.Address);
  AddSpan(output_, text_, "Extended address: ", state_.Extended);
  if (linear_) AddSpan(output_, text_, "Extended linear address: ", state_.Linear);
}

}  // namespace larkspan
