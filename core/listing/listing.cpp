#include "listing/listing.h"

#include <cstring>

#include "listing/hex_to_long.h"
#include "records/number_text.h"
#include "records/record_format.h"

namespace larkspan {

namespace {

using format::Field;

// Copies the `n` characters of a field with moves of 16 bytes, the last one
// overlapping the one before, and fewer bytes only for a short field: as quick as
// a fixed-size copy, where a copy of unknown size would start a slow string move.
void CopyField(char* to, const char* from, std::size_t n) {
  constexpr std::size_t kMove = 16;
  if (n >= kMove) {
    for (std::size_t i = 0; i + kMove < n; i += kMove) std::memcpy(to + i, from + i, kMove);
    std::memcpy(to + n - kMove, from + n - kMove, kMove);
    return;
  }
  for (; n != 0; --n) *to++ = *from++;
}

}  // namespace

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

// "Data record: OOOOh: DD...": the most common line, built in place.
void Listing::ListData(const Record& record) {
  constexpr std::string_view kHead = PrefixOf(LineKind::kData);
  constexpr std::size_t kOffsetAt = kHead.size(), kSuffixAt = kOffsetAt + format::kOffsetWidth;
  const std::string_view data =
      Field(record.text, format::kDataIndex, std::size_t{record.count} * 2);
  char* line = dataLine_.data();
  std::memcpy(line, kHead.data(), kHead.size());
  std::memcpy(line + kOffsetAt, record.text.data() + format::kOffsetIndex, format::kOffsetWidth);
  std::memcpy(line + kSuffixAt, kOffsetSuffix.data(), kOffsetSuffix.size());
  CopyField(line + kDataAt, data.data(), data.size());
  output_.AddToList(std::string_view(line, kDataAt + data.size()), LineKind::kData, record.line);
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
  text_.assign(kSeparator);
  Add(LineKind::kPlain);
  ListSpan("address: ", state_.Address);
  ListSpan("Extended address: ", state_.Extended);
  if (linear_) ListSpan("Extended linear address: ", state_.Linear);
}

// "First NAMEXh in line: N" and "Last NAMEXh in line: N", when a value was met.
void Listing::ListSpan(std::string_view name, const Span& span) {
  if (!span.Used) return;
  ListMark("First " + std::string(name), span.First);
  ListMark("Last " + std::string(name), span.Last);
}

void Listing::ListMark(std::string_view label, const Mark& mark) {
  text_.assign(label);
  AppendHex(text_, static_cast<std::uint32_t>(mark.Value));
  text_.append("h in line: ");
  AppendDecimal(text_, mark.Line);
  Add(LineKind::kPlain);
}

}  // namespace larkspan
