#include "memory/map_summary.h"

#include <cinttypes>
#include <cstdio>

#include "records/record_format.h"

namespace larkspan {

MapSummary::MapSummary(const MemoryMap& map) : map_(map) {
  if (!map.Complete()) return;
  ranges_ = map.Image().Ranges();
  const auto& counts = map.RecordCounts();
  for (std::size_t type = 0; type < counts.size(); ++type) {
    const bool standard = type <= format::kStartLinear;
    if (!standard && counts[type] == 0) continue;
    records_.push_back({static_cast<std::uint8_t>(type),
                        standard ? std::string_view(format::kTypeNames[type]) : std::string_view(),
                        counts[type]});
  }
}

MemoryImage::Range MapSummary::Gap(std::size_t index) const {
  return MemoryImage::GapBetween(ranges_[index], ranges_[index + 1]);
}

MapSummary::Totals MapSummary::Total() const {
  Totals totals{.bytes = map_.Image().Bytes(), .ranges = ranges_.size(), .lines = map_.Lines()};
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
  const larkspan::Entry& entry = map_.Entries()[index];
  return {entry.linear, static_cast<std::uint16_t>(entry.value >> 16),
          static_cast<std::uint16_t>(entry.value & 0xFFFF), entry.Address(), entry.line};
}

bool MapSummary::IsFault(const Message& message) {
  return message.kind == MessageKind::Fault || message.kind == MessageKind::Overlap ||
         message.kind == MessageKind::InvalidRecord;
}

std::string TypeText(std::uint8_t type) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", unsigned{type});
  return text;
}

std::string AddressText(std::uint32_t address) {
  char text[16];
  std::snprintf(text, sizeof text, "%08" PRIX32, address);
  return text;
}

std::string LengthText(std::uint64_t length) {
  char text[48];
  std::snprintf(text, sizeof text, "%" PRIX64 "h (%" PRIu64 ")", length, length);
  return text;
}

std::string DifferText(std::uint64_t differing) {
  return std::to_string(differing) + (differing == 1 ? " byte differs" : " bytes differ");
}

std::string TotalsText(const MapSummary::Totals& totals) {
  std::string text = "Data: " + LengthText(totals.bytes) + " bytes";
  if (totals.ranges == 0) return text;
  char tail[96];
  std::snprintf(tail, sizeof tail,
                " in %zu range%s from %08" PRIX32 " to %08" PRIX32 ", fill %.1f%%", totals.ranges,
                totals.ranges == 1 ? "" : "s", totals.first, totals.last, totals.fillPercent);
  return text + tail;
}

std::string EntryKindText(const MapSummary::EntryRow& entry) {
  if (entry.linear) return "start linear address";
  char text[40];
  std::snprintf(text, sizeof text, "start segment address %04X:%04X", unsigned{entry.cs},
                unsigned{entry.ip});
  return text;
}

}  // namespace larkspan
