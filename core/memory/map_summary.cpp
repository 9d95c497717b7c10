#include "memory/map_summary.h"

#include <cstdio>

#include "records/number_text.h"

namespace larkspan {

MapSummary::MapSummary(const MemoryMap& map) : map_(map) {
  if (!map.Complete()) return;
  ranges_ = map.Image().Ranges();
  records_ = map.Records().Rows();
}

MemoryImage::Range MapSummary::Gap(std::size_t index) const {
  return MemoryImage::GapBetween(ranges_[index], ranges_[index + 1]);
}

MapSummary::Totals MapSummary::Total() const {
  Totals totals{
      .bytes = map_.Image().Bytes(), .ranges = ranges_.size(), .lines = map_.Records().Lines()};
  if (ranges_.empty()) return totals;
  totals.first = ranges_.front().first;
  totals.last = ranges_.back().last;
  const std::uint64_t span = std::uint64_t{totals.last} - totals.first + 1;
  totals.fillPercent = 100.0 * static_cast<double>(totals.bytes) / static_cast<double>(span);
  return totals;
}

std::size_t MapSummary::OverlapCount() const {
  return Complete() ? map_.Image().Overlaps().size() : 0;
}

MapSummary::OverlapRow MapSummary::Overlap(std::size_t index) const {
  const MemoryImage::Overlap& overlap = map_.Image().Overlaps()[index];
  return {overlap.first,       overlap.last,      std::uint64_t{overlap.last} - overlap.first + 1,
          overlap.earlierLine, overlap.laterLine, overlap.differing};
}

std::size_t MapSummary::EntryCount() const {
  return Complete() ? map_.Entries().size() : 0;
}

MapSummary::EntryRow MapSummary::Entry(std::size_t index) const {
  return RowOf(map_.Entries()[index]);
}

MapSummary::EntryRow MapSummary::RowOf(const larkspan::Entry& entry) {
  return {entry.linear, static_cast<std::uint16_t>(entry.value >> 16),
          static_cast<std::uint16_t>(entry.value & 0xFFFF), entry.Address(), entry.line};
}

bool MapSummary::IsFault(const Message& message) {
  return message.kind == MessageKind::Fault || message.kind == MessageKind::Overlap ||
         message.kind == MessageKind::InvalidRecord;
}

std::string AddressText(std::uint32_t address) {
  std::string text;
  AppendHex(text, address, 8);
  return text;
}

std::string LengthText(std::uint64_t length) {
  std::string text;
  AppendHex(text, length);
  text.append("h (");
  AppendDecimal(text, static_cast<std::int64_t>(length));
  text.push_back(')');
  return text;
}

std::string DifferText(std::uint64_t differing) {
  return std::to_string(differing) + (differing == 1 ? " byte differs" : " bytes differ");
}

std::string TotalsText(const MapSummary::Totals& totals) {
  std::string text = "Data: " + LengthText(totals.bytes) + " bytes";
  if (totals.ranges == 0) return text;
  char fill[16];
  std::snprintf(fill, sizeof fill, "%.1f%%", totals.fillPercent);
  return text + " in " + std::to_string(totals.ranges) +
         (totals.ranges == 1 ? " range" : " ranges") + " from " + AddressText(totals.first) +
         " to " + AddressText(totals.last) + ", fill " + fill;
}

std::string EntryKindText(const MapSummary::EntryRow& entry) {
  if (entry.linear) return "start linear address";
  std::string text = "start segment address ";
  AppendHex(text, entry.cs, 4);
  text.push_back(':');
  AppendHex(text, entry.ip, 4);
  return text;
}

std::string EntryText(const MapSummary::EntryRow& entry) {
  std::string text =
      EntryKindText(entry) + (entry.linear ? " " : " = ") + AddressText(entry.address);
  text += ", line ";
  AppendDecimal(text, entry.line);
  return text;
}

}  // namespace larkspan
