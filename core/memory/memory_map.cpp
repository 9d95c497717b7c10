#include "memory/memory_map.h"

#include <numeric>

#include "memory/map_summary.h"
#include "records/number_text.h"
#include "records/record_format.h"

namespace larkspan {

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
      if (options_.warnUnknownTypes) {
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

// A base or start address record without exactly two or four data bytes: an
// invalid record, unless the listing warned so already.
void MemoryMap::Unusable(const Record& record) {
  if (invalidLine_ != record.line) events_.Warn(InvalidRecord(record.line));
}

void MemoryMap::OnWarning(const Message& message) {
  warnings_.push_back(message);
  if (message.kind != MessageKind::InvalidRecord) return;
  ++invalid_;
  invalidLine_ = message.line;
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
    const std::string where = "Addresses " + AddressText(overlap.first) + "h to " +
                              AddressText(overlap.last) + "h, " + DifferText(overlap.differing);
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
