#include "memory/memory_map.h"

#include <numeric>

#include "records/number_text.h"
#include "records/record_format.h"

namespace larkspan {

namespace {

// "XXXXXXXXh": an address in eight hexadecimal digits.
void AppendAddress(std::string& out, std::uint32_t address) {
  AppendHex(out, address, 8);
  out.push_back('h');
}

}  // namespace

void MemoryMap::OnRecord(const Record& record) {
  switch (record.type) {
    case format::kData:
      AddData(record);
      break;
    case format::kEnd:
      break;
    case format::kExtendedSegment:
    case format::kExtendedLinear:
      if (!record.NewBase()) return Unusable(record);
      break;
    case format::kStartSegment:
    case format::kStartLinear:
      if (const std::optional<Entry> entry = record.StartAddress()) {
        entries_.push_back(*entry);
      } else {
        return Unusable(record);
      }
      break;
    default:
      if (options_.warn) {
        events_.Warn(UnknownType(
            record.line, format::Field(record.text, format::kTypeIndex, format::kTypeWidth)));
      }
      break;
  }
  ++records_[record.type];
}

// The bytes land at consecutive addresses but where the offset wraps inside its
// segment, or the address at 2^32: there the record goes on at the segment's
// start, or at address 0.
void MemoryMap::AddData(const Record& record) {
  std::span<const std::uint8_t> data = record.Data();
  std::uint32_t offset = record.offset;
  while (!data.empty()) {
    const std::uint32_t address = AddressOf(record.base, offset);
    std::uint64_t room = std::uint64_t{1} << 32;
    if (record.base.kind == Base::kSegment)
      room = format::kOffsetSpan - offset % format::kOffsetSpan;
    room = std::min(room, (std::uint64_t{1} << 32) - address);
    const std::size_t size = std::min<std::uint64_t>(room, data.size());
    image_.Add(address, data.first(size), record.line);
    data = data.subspan(size);
    offset += static_cast<std::uint32_t>(size);
  }
}

// A base or start address record without exactly two or four data bytes.
void MemoryMap::Unusable(const Record& record) {
  const Message message = InvalidRecord(record.line);
  if (options_.warn) {
    events_.Warn(message);
  } else if (warnings_.empty() || warnings_.back().line != record.line) {
    warnings_.push_back(message);
    ++invalid_;
  }
}

void MemoryMap::OnWarning(const Message& message) {
  warnings_.push_back(message);
  if (message.kind == MessageKind::InvalidRecord) ++invalid_;
}

void MemoryMap::OnEnd(std::int64_t lines) {
  lines_ = lines;
  image_.Finish();
  complete_ = true;
  if (options_.checkOverlaps) WarnOverlaps();
}

void MemoryMap::WarnOverlaps() {
  for (const MemoryImage::Overlap& overlap : image_.Overlaps()) {
    if (!overlap.Conflicting()) continue;
    std::string where("Addresses ");
    AppendAddress(where, overlap.first);
    where.append(" to ");
    AppendAddress(where, overlap.last);
    where.append(", ");
    AppendDecimal(where, static_cast<std::int64_t>(overlap.differing));
    where.append(" bytes differ");
    std::string earlier("Written before in line: ");
    AppendDecimal(earlier, overlap.earlierLine);
    events_.Warn(
        InLine(MessageKind::Overlap, "Overlapping data", overlap.laterLine, {where, earlier}));
  }
}

std::int64_t MemoryMap::OtherLines() const {
  return lines_ - std::accumulate(records_.begin(), records_.end(), std::int64_t{0}) - invalid_;
}

}  // namespace larkspan
