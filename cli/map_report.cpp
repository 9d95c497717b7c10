#include "map_report.h"

#include <cinttypes>
#include <string>

#include "records/record_format.h"

namespace larkspan {

namespace {

// "10h (16)": a length in hexadecimal and decimal.
std::string Length(std::uint64_t length) {
  char text[48];
  std::snprintf(text, sizeof text, "%" PRIX64 "h (%" PRIu64 ")", length, length);
  return text;
}

void WriteRanges(std::FILE* out, const std::vector<MemoryImage::Range>& ranges) {
  if (ranges.empty()) {
    std::fputs("Ranges: none\n", out);
    return;
  }
  std::fputs("Ranges:\n  first     last      length                   line\n", out);
  for (const auto& range : ranges) {
    std::fprintf(out, "  %08" PRIX32 "  %08" PRIX32 "  %-24s %" PRId64 "\n", range.first,
                 range.last, Length(range.Length()).c_str(), range.line);
  }
}

void WriteGaps(std::FILE* out, const std::vector<MemoryImage::Range>& ranges) {
  if (ranges.size() < 2) {
    std::fputs("Gaps: none\n", out);
    return;
  }
  std::fputs("Gaps:\n  first     last      length\n", out);
  for (std::size_t i = 1; i < ranges.size(); ++i) {
    const MemoryImage::Range gap = MemoryImage::GapBetween(ranges[i - 1], ranges[i]);
    std::fprintf(out, "  %08" PRIX32 "  %08" PRIX32 "  %s\n", gap.first, gap.last,
                 Length(gap.Length()).c_str());
  }
}

void WriteTotals(std::FILE* out, const MemoryImage& image,
                 const std::vector<MemoryImage::Range>& ranges) {
  const std::uint64_t bytes = image.Bytes();
  std::fprintf(out, "Data: %s bytes", Length(bytes).c_str());
  if (!ranges.empty()) {
    const std::uint64_t span = std::uint64_t{ranges.back().last} - ranges.front().first + 1;
    std::fprintf(out, " in %zu range%s from %08" PRIX32 " to %08" PRIX32 ", fill %.1f%%",
                 ranges.size(), ranges.size() == 1 ? "" : "s", ranges.front().first,
                 ranges.back().last,
                 100.0 * static_cast<double>(bytes) / static_cast<double>(span));
  }
  std::fputs("\n", out);
}

void WriteOverlaps(std::FILE* out, const std::vector<MemoryImage::Overlap>& overlaps) {
  if (overlaps.empty()) {
    std::fputs("Overlaps: none\n", out);
    return;
  }
  std::fputs("Overlaps:\n  first     last      length                   lines\n", out);
  for (const auto& overlap : overlaps) {
    const std::string lines =
        std::to_string(overlap.earlierLine) + ", " + std::to_string(overlap.laterLine);
    std::fprintf(out, "  %08" PRIX32 "  %08" PRIX32 "  %-24s %-16s ", overlap.first, overlap.last,
                 Length(std::uint64_t{overlap.last} - overlap.first + 1).c_str(), lines.c_str());
    if (overlap.Conflicting()) {
      std::fprintf(out, "conflicting: %" PRIu64 " bytes differ\n", overlap.differing);
    } else {
      std::fputs("identical\n", out);
    }
  }
}

void WriteEntries(std::FILE* out, const std::vector<Entry>& entries) {
  std::fputs(entries.empty() ? "Entry points: none\n" : "Entry points:\n", out);
  for (const Entry& entry : entries) {
    if (entry.linear) {
      std::fprintf(out, "  start linear address %08" PRIX32 ", line %" PRId64 "\n", entry.value,
                   entry.line);
    } else {
      std::fprintf(out,
                   "  start segment address %04" PRIX32 ":%04" PRIX32 " = %08" PRIX32
                   ", line %" PRId64 "\n",
                   entry.value >> 16, entry.value & 0xFFFF, entry.Address(), entry.line);
    }
  }
}

void WriteCounts(std::FILE* out, const MemoryMap& map) {
  const auto& counts = map.RecordCounts();
  std::fputs("Records:", out);
  for (std::size_t type = 0; type < counts.size(); ++type) {
    if (type <= format::kStartLinear) {
      std::fprintf(out, "%s %s %" PRId64, type == 0 ? "" : ",", format::kTypeNames[type],
                   counts[type]);
    } else if (counts[type] != 0) {
      std::fprintf(out, ", type %02zX %" PRId64, type, counts[type]);
    }
  }
  std::fprintf(out, "; invalid records %" PRId64 "; lines that are not records %" PRId64 "\n",
               map.InvalidRecords(), map.OtherLines());
}

}  // namespace

void WriteMapText(std::FILE* out, const MemoryMap& map) {
  const MemoryImage& image = map.Image();
  const std::vector<MemoryImage::Range> ranges = image.Ranges();
  WriteRanges(out, ranges);
  WriteGaps(out, ranges);
  WriteTotals(out, image, ranges);
  WriteOverlaps(out, image.Overlaps());
  WriteEntries(out, map.Entries());
  WriteCounts(out, map);
}

}  // namespace larkspan
