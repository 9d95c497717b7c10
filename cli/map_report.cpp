#include "map_report.h"

#include <cinttypes>
#include <string>

#include "memory/map_summary.h"

namespace larkspan {

namespace {

void WriteRanges(std::FILE* out, const MapSummary& summary) {
  if (summary.Ranges().empty()) {
    std::fputs("Ranges: none\n", out);
    return;
  }
  std::fputs("Ranges:\n  first     last      length                   line\n", out);
  for (const auto& range : summary.Ranges()) {
    std::fprintf(out, "  %s  %s  %-24s %" PRId64 "\n", AddressText(range.first).c_str(),
                 AddressText(range.last).c_str(), LengthText(range.Length()).c_str(), range.line);
  }
}

void WriteGaps(std::FILE* out, const MapSummary& summary) {
  if (summary.GapCount() == 0) {
    std::fputs("Gaps: none\n", out);
    return;
  }
  std::fputs("Gaps:\n  first     last      length\n", out);
  for (std::size_t i = 0; i < summary.GapCount(); ++i) {
    const MemoryImage::Range gap = summary.Gap(i);
    std::fprintf(out, "  %s  %s  %s\n", AddressText(gap.first).c_str(),
                 AddressText(gap.last).c_str(), LengthText(gap.Length()).c_str());
  }
}

void WriteOverlaps(std::FILE* out, const MapSummary& summary) {
  if (summary.OverlapCount() == 0) {
    std::fputs("Overlaps: none\n", out);
    return;
  }
  std::fputs("Overlaps:\n  first     last      length                   lines\n", out);
  for (std::size_t i = 0; i < summary.OverlapCount(); ++i) {
    const MapSummary::OverlapRow overlap = summary.Overlap(i);
    const std::string lines =
        std::to_string(overlap.earlierLine) + ", " + std::to_string(overlap.laterLine);
    const std::string values = overlap.Conflicting()
                                   ? "conflicting: " + DifferText(overlap.differing)
                                   : std::string(kIdenticalText);
    std::fprintf(out, "  %s  %s  %-24s %-16s %s\n", AddressText(overlap.first).c_str(),
                 AddressText(overlap.last).c_str(), LengthText(overlap.length).c_str(),
                 lines.c_str(), values.c_str());
  }
}

void WriteEntries(std::FILE* out, const MapSummary& summary) {
  std::fputs(summary.EntryCount() == 0 ? "Entry points: none\n" : "Entry points:\n", out);
  for (std::size_t i = 0; i < summary.EntryCount(); ++i) {
    const MapSummary::EntryRow entry = summary.Entry(i);
    std::fprintf(out, "  %s\n", EntryText(entry).c_str());
  }
}

void WriteCounts(std::FILE* out, const MapSummary& summary) {
  std::fputs("Records:", out);
  const char* separator = "";
  for (const MapSummary::RecordRow& row : summary.Records()) {
    if (row.name.empty()) {
      std::fprintf(out, "%s type %s %" PRId64, separator, row.type.c_str(), row.count);
    } else {
      std::fprintf(out, "%s %.*s %" PRId64, separator, static_cast<int>(row.name.size()),
                   row.name.data(), row.count);
    }
    separator = ",";
  }
  std::fprintf(out, "; %.*s %" PRId64 "; %.*s %" PRId64 "\n",
               static_cast<int>(kInvalidRecordsName.size()), kInvalidRecordsName.data(),
               summary.InvalidRecords(), static_cast<int>(kOtherLinesName.size()),
               kOtherLinesName.data(), summary.OtherLines());
}

}  // namespace

void WriteMapText(std::FILE* out, const MemoryMap& map) {
  const MapSummary summary(map);
  WriteRanges(out, summary);
  WriteGaps(out, summary);
  std::fprintf(out, "%s\n", TotalsText(summary.Total()).c_str());
  WriteOverlaps(out, summary);
  WriteEntries(out, summary);
  WriteCounts(out, summary);
}

}  // namespace larkspan
