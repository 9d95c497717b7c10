#include "compare/compare_rows.h"

#include <algorithm>

#include "memory/image_bytes.h"

namespace larkspan {

namespace {

using Piece = MemoryImage::Piece;

// Marks the bytes of `image` in the row from `address` as data on this side.
void Read(const MemoryImage& image, std::uint32_t address, CompareRows::Side& side,
          std::uint32_t& present) {
  VisitData(image, address, std::uint64_t{address} + CompareRows::kRowBytes - 1,
            [&](std::uint64_t at, std::uint8_t byte) {
              side.bytes[at - address] = byte;
              present |= 1u << (at - address);
              return true;
            });
}

}  // namespace

// The rows cover the pieces of both images within the compared addresses, in
// the order of their first address.
CompareRows::CompareRows(const ImageCompare& compare) : compare_(compare) {
  const std::uint64_t low = compare.Options().first;
  const std::uint64_t high = std::uint64_t{compare.Options().last} + 1;
  const auto& a = compare.First().Pieces();
  const auto& b = compare.Second().Pieces();
  auto i = a.begin(), j = b.begin();
  while (i != a.end() || j != b.end()) {
    const bool fromFirst = j == b.end() || (i != a.end() && i->first <= j->first);
    const Piece& piece = fromFirst ? *i++ : *j++;
    const std::uint64_t first = std::max<std::uint64_t>(piece.first, low);
    const std::uint64_t end = std::min(piece.end, high);
    if (first < end) rows_.Add(first, end);
  }
}

CompareRows::Row CompareRows::At(std::int64_t index) const {
  Row row;
  if (Count() == 0) return row;
  row.address = AddressOf(index);
  row.foldBytes = rows_.FoldBytes(index);
  if (row.Fold()) return row;
  std::uint32_t inFirst = 0, inSecond = 0;
  Read(compare_.First(), row.address, row.first, inFirst);
  Read(compare_.Second(), row.address, row.second, inSecond);
  const CompareOptions& options = compare_.Options();
  const std::optional<std::uint8_t> fill = options.fill;
  for (std::uint32_t i = 0; i < kRowBytes; ++i) {
    const std::uint64_t address = std::uint64_t{row.address} + i;
    const bool compared = address >= options.first && address <= options.last;
    const bool first = compared && (inFirst >> i & 1) != 0;
    const bool second = compared && (inSecond >> i & 1) != 0;
    const auto only = [&](std::uint8_t byte) { return byte == fill ? Cell::kFilled : Cell::kOnly; };
    if (first && second) {
      const Cell cell = row.first.bytes[i] == row.second.bytes[i] ? Cell::kSame : Cell::kChanged;
      row.first.cells[i] = row.second.cells[i] = cell;
    } else if (first) {
      row.first.cells[i] = only(row.first.bytes[i]);
    } else if (second) {
      row.second.cells[i] = only(row.second.bytes[i]);
    }
  }
  return row;
}

std::optional<std::size_t> CompareRows::NextDifference(std::uint32_t address) const {
  const auto& differences = compare_.Differences();
  const auto next =
      std::partition_point(differences.begin(), differences.end(),
                           [&](const ImageCompare::Difference& d) { return d.first <= address; });
  if (next == differences.end()) return std::nullopt;
  return static_cast<std::size_t>(next - differences.begin());
}

std::optional<std::size_t> CompareRows::PreviousDifference(std::uint32_t address) const {
  const auto& differences = compare_.Differences();
  const auto after =
      std::partition_point(differences.begin(), differences.end(),
                           [&](const ImageCompare::Difference& d) { return d.first < address; });
  if (after == differences.begin()) return std::nullopt;
  return static_cast<std::size_t>(after - differences.begin() - 1);
}

}  // namespace larkspan
