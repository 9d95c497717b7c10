// The memory map of a file as rows: its address ranges and the gaps between
// them, totals with the fill, the overlaps, the entry points, the records of each
// type, and the warnings. Each front end renders these rows as they stand; the
// texts more than one shows are here too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "memory/memory_map.h"

namespace larkspan {

class MapSummary {
 public:
  struct Totals {
    std::uint64_t bytes = 0;   // addresses that hold data
    std::size_t ranges = 0;    // with neither first nor last nor fill when 0
    std::uint32_t first = 0;   // lowest address with data
    std::uint32_t last = 0;    // highest address with data
    double fillPercent = 0.0;  // of the addresses from first to last
    std::int64_t lines = 0;
  };
  struct OverlapRow {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    std::uint64_t length = 0;
    std::int64_t earlierLine = 0;
    std::int64_t laterLine = 0;
    std::uint64_t differing = 0;  // 0: the values are identical

    bool Conflicting() const { return differing != 0; }
  };
  struct EntryRow {
    bool linear = false;
    std::uint16_t cs = 0;  // of a start segment address
    std::uint16_t ip = 0;
    std::uint32_t address = 0;
    std::int64_t line = 0;
  };
  // Every defined record type of the file's format, then the other types that
  // occur.
  using RecordRow = RecordTally::Row;

  // `map` stays alive and unchanged as long as the summary. The ranges and the
  // gaps, the overlaps and the entries are empty when the run ended early.
  explicit MapSummary(const MemoryMap& map);

  bool Complete() const { return map_.Complete(); }
  const std::vector<MemoryImage::Range>& Ranges() const { return ranges_; }
  std::size_t GapCount() const { return ranges_.empty() ? 0 : ranges_.size() - 1; }
  // The gap after range `index` (its line is -1).
  MemoryImage::Range Gap(std::size_t index) const;
  Totals Total() const;
  std::size_t OverlapCount() const;
  OverlapRow Overlap(std::size_t index) const;
  std::size_t EntryCount() const;
  EntryRow Entry(std::size_t index) const;
  static EntryRow RowOf(const larkspan::Entry& entry);
  const std::vector<RecordRow>& Records() const { return records_; }
  std::int64_t InvalidRecords() const { return map_.Records().InvalidRecords(); }
  std::int64_t OtherLines() const { return map_.Records().OtherLines(); }
  std::span<const Message> Warnings() const { return map_.Warnings(); }

  // True for the warnings that are faults of the file.
  static bool IsFault(const Message& message);

 private:
  const MemoryMap& map_;
  std::vector<MemoryImage::Range> ranges_;
  std::vector<RecordRow> records_;
};

// Names of the two counts that follow the records of each type.
inline constexpr std::string_view kInvalidRecordsName = "invalid records";
inline constexpr std::string_view kOtherLinesName = "lines that are not records";
inline constexpr std::string_view kIdenticalText = "identical";

// "0800ABCD": an address in eight hexadecimal digits.
std::string AddressText(std::uint32_t address);
// "10h (16)": a length in hexadecimal and decimal.
std::string LengthText(std::uint64_t length);
// "2 bytes differ", "1 byte differs".
std::string DifferText(std::uint64_t differing);
// "Data: 10h (16) bytes in 1 range from 00000000 to 0000000F, fill 100.0%".
std::string TotalsText(const MapSummary::Totals& totals);
// "start segment address 1234:0010" or "start linear address".
std::string EntryKindText(const MapSummary::EntryRow& entry);
// "start segment address 1234:0010 = 00012350, line 7" or "start linear address
// 00001000, line 2".
std::string EntryText(const MapSummary::EntryRow& entry);

}  // namespace larkspan
