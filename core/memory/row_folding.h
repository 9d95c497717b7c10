// Rows of 16 addresses over stretches of data, as the image views show them:
// every row that holds data, one row without data between two such as it is, and
// two or more rows without data folded into one display row (RowLayout::Folds).
//
// Nothing is stored per row: one segment per stretch of rows between folds, so
// that finding a row or an address is a binary search.
#pragma once

#include <cstdint>
#include <vector>

#include "memory/row_layout.h"

namespace larkspan {

class RowFolding {
 public:
  static constexpr std::uint32_t kRowBytes = RowLayout::kRowBytes;

  // Adds the addresses from `first` to one before `end` as holding data; calls
  // come in the order of `first`.
  void Add(std::uint64_t first, std::uint64_t end);

  std::int64_t Count() const;
  // The first address of `row`.
  std::uint32_t AddressOf(std::int64_t row) const;
  // The row that shows `address`: for an address before the first row the first,
  // after the last row the last.
  std::int64_t RowOf(std::uint32_t address) const;
  bool IsFold(std::int64_t row) const;
  // The addresses a fold stands for; 0 for a row that is no fold.
  std::uint64_t FoldBytes(std::int64_t row) const;

 private:
  // Rows that follow one another in memory from `first` to `end`, from display
  // row `row` on; or a fold, one display row for the rows from `first` to `end`.
  struct Segment {
    std::int64_t row = 0;
    std::uint64_t first = 0;
    std::uint64_t end = 0;
    bool fold = false;

    std::int64_t Rows() const {
      return fold ? 1 : static_cast<std::int64_t>((end - first) / kRowBytes);
    }
  };
  const Segment& SegmentOfRow(std::int64_t row) const;

  std::vector<Segment> segments_;
};

}  // namespace larkspan
