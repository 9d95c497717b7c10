#include "records/record_memory.h"

#include <algorithm>

namespace larkspan {

namespace {

constexpr std::uint64_t kAddressSpace = std::uint64_t{1} << 32;

}  // namespace

void RecordMemory::OnRecord(const Record& record) {
  if (!record.Usable()) {
    if (invalidLine_ != record.line) events_.Warn(InvalidRecord(record.line));
    return;
  }
  if (record.type == format::kData) return AddData(record);
  if (const std::optional<Entry> entry = record.StartAddress()) return events_.Entry(*entry);
  if (record.type > format::kStartLinear && warnUnknownTypes_) {
    events_.Warn(UnknownType(record.line,
                             format::Field(record.text, format::kTypeIndex, format::kTypeWidth)));
  }
}

void RecordMemory::OnSRecord(const SRecord& record) {
  if (srec::IsData(record.type)) return AddData(record.address, record.Data(), record.line);
  if (srec::IsTermination(record.type)) {
    return events_.Entry(Entry{.linear = true, .value = record.address, .line = record.line});
  }
  if (!srec::IsDefined(record.type) && warnUnknownTypes_) {
    events_.Warn(UnknownType(record.line, srec::kTypeTexts[record.type]));
  }
}

void RecordMemory::OnWarning(const Message& message) {
  if (message.kind == MessageKind::InvalidRecord) invalidLine_ = message.line;
}

// The bytes land at consecutive addresses but where the offset wraps inside its
// segment: there the record goes on at the segment's start.
void RecordMemory::AddData(const Record& record) const {
  std::span<const std::uint8_t> data = record.Data();
  std::uint32_t offset = record.offset;
  while (!data.empty()) {
    std::uint64_t room = kAddressSpace;
    if (record.base.kind == Base::kSegment)
      room = format::kOffsetSpan - offset % format::kOffsetSpan;
    const std::size_t size = std::min<std::uint64_t>(room, data.size());
    AddData(AddressOf(record.base, offset), data.first(size), record.line);
    data = data.subspan(size);
    offset += static_cast<std::uint32_t>(size);
  }
}

// Bytes that would run past address FFFFFFFF go on at address 0.
void RecordMemory::AddData(std::uint32_t address, std::span<const std::uint8_t> data,
                           std::int64_t line) const {
  while (!data.empty()) {
    const std::size_t size = std::min<std::uint64_t>(kAddressSpace - address, data.size());
    events_.Data(address, data.first(size), line);
    data = data.subspan(size);
    address = 0;
  }
}

}  // namespace larkspan
