// The memory image laid out in rows of 16 bytes at their absolute addresses, as
// the image view shows it: each row as RowLayout lays it out, and the rows without
// data that fold there (RowFolding) as a single row that says how many bytes lack
// data.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "memory/memory_image.h"
#include "memory/row_folding.h"
#include "memory/row_layout.h"

namespace larkspan {

class ImageRows {
 public:
  static constexpr std::uint32_t kRowBytes = RowLayout::kRowBytes;

  enum class Cell : std::uint8_t {
    kMissing,   // no record wrote the address
    kData,      // written once, or again with the same value
    kConflict,  // written more than once with different values; the last one holds
  };

  struct Row {
    std::uint32_t address = 0;    // of its first byte
    std::uint64_t foldBytes = 0;  // a folded gap: the bytes without data it stands for
    std::array<std::uint8_t, kRowBytes> bytes{};
    std::array<Cell, kRowBytes> cells{};

    bool Fold() const { return foldBytes != 0; }
  };

  // A record that wrote an address, and the byte it wrote.
  struct Writer {
    std::int64_t line = 0;
    std::uint8_t byte = 0;
  };

  // `image` is finished and outlives the layout.
  explicit ImageRows(const MemoryImage& image);

  const MemoryImage& Image() const { return image_; }
  std::int64_t Count() const { return rows_.Count(); }
  Row At(std::int64_t row) const;
  // A row as text, RowLayout::kRowChars characters; a fold says how many bytes it
  // stands for and where they end.
  static std::string Text(const Row& row);
  std::string Text(std::int64_t row) const { return Text(At(row)); }
  // What the view's tip says about `address`: its byte and the records that wrote
  // it, or the gap it lies in.
  std::string Describe(std::uint32_t address) const;
  // The first address of `row`.
  std::uint32_t AddressOf(std::int64_t row) const { return rows_.AddressOf(row); }
  // The row that shows `address`: for an address before the first row the first,
  // after the last row the last.
  std::int64_t RowOf(std::uint32_t address) const { return rows_.RowOf(address); }
  bool IsFold(std::int64_t row) const { return rows_.IsFold(row); }

  // The first address of the next range of data after `address`; of the range
  // before the one `address` lies in, or of the one before the gap it lies in.
  std::optional<std::uint32_t> NextRange(std::uint32_t address) const;
  std::optional<std::uint32_t> PreviousRange(std::uint32_t address) const;
  // The records that wrote `address` in the order of the file, the last being the
  // one whose byte the image holds; none for an address without data.
  std::vector<Writer> WritersOf(std::uint32_t address) const;
  // The bytes from `first` to `last` as hexadecimal text separated by spaces,
  // "--" for those without data.
  std::string HexText(std::uint32_t first, std::uint32_t last) const;

 private:
  void MarkConflicts(Row& row) const;
  // The first range that starts after `address`.
  std::vector<MemoryImage::Range>::const_iterator RangeAfter(std::uint32_t address) const;

  const MemoryImage& image_;
  RowFolding rows_;
  std::vector<MemoryImage::Range> ranges_;
  // The overlaps with differing bytes, in the order of their first address, and
  // for each the highest last address up to it, to find those that hold an address.
  std::vector<const MemoryImage::Overlap*> conflicts_;
  std::vector<std::uint32_t> conflictReach_;
};

}  // namespace larkspan
