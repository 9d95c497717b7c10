#include "memory/row_folding.h"

#include <algorithm>

namespace larkspan {

void RowFolding::Add(std::uint64_t first, std::uint64_t end) {
  first &= ~std::uint64_t{kRowBytes - 1};
  end = ((end - 1) | (kRowBytes - 1)) + 1;
  if (segments_.empty()) {
    segments_.push_back({0, first, end, false});
    return;
  }
  Segment& last = segments_.back();
  const std::uint64_t emptyRows = first > last.end ? (first - last.end) / kRowBytes : 0;
  if (!RowLayout::Folds(emptyRows)) {
    last.end = std::max(last.end, end);
    return;
  }
  const std::int64_t foldRow = last.row + last.Rows();
  const std::uint64_t foldFirst = last.end;
  segments_.push_back({foldRow, foldFirst, first, true});
  segments_.push_back({foldRow + 1, first, end, false});
}

std::int64_t RowFolding::Count() const {
  return segments_.empty() ? 0 : segments_.back().row + segments_.back().Rows();
}

const RowFolding::Segment& RowFolding::SegmentOfRow(std::int64_t row) const {
  const auto after = std::upper_bound(segments_.begin(), segments_.end(), row,
                                      [](std::int64_t r, const Segment& s) { return r < s.row; });
  return after == segments_.begin() ? segments_.front() : *std::prev(after);
}

std::uint32_t RowFolding::AddressOf(std::int64_t row) const {
  if (segments_.empty()) return 0;
  const Segment& segment = SegmentOfRow(row);
  const std::int64_t within =
      segment.fold ? 0 : std::clamp<std::int64_t>(row - segment.row, 0, segment.Rows() - 1);
  return static_cast<std::uint32_t>(segment.first + static_cast<std::uint64_t>(within) * kRowBytes);
}

bool RowFolding::IsFold(std::int64_t row) const {
  return !segments_.empty() && SegmentOfRow(row).fold;
}

std::uint64_t RowFolding::FoldBytes(std::int64_t row) const {
  if (!IsFold(row)) return 0;
  const Segment& segment = SegmentOfRow(row);
  return segment.end - segment.first;
}

std::int64_t RowFolding::RowOf(std::uint32_t address) const {
  const auto after =
      std::upper_bound(segments_.begin(), segments_.end(), address,
                       [](std::uint32_t a, const Segment& s) { return a < s.first; });
  if (after == segments_.begin()) return 0;
  const Segment& segment = *std::prev(after);
  if (address >= segment.end) return Count() - 1;
  if (segment.fold) return segment.row;
  return segment.row + static_cast<std::int64_t>((address - segment.first) / kRowBytes);
}

}  // namespace larkspan
