// Two compared images side by side in rows of 16 bytes at the same addresses, as
// the compare window shows them: rows where neither file has data fold as in the
// image view; each byte marked by what the compare makes of it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "compare/image_compare.h"
#include "memory/row_folding.h"

namespace larkspan {

class CompareRows {
 public:
  static constexpr std::uint32_t kRowBytes = RowFolding::kRowBytes;

  enum class Cell : std::uint8_t {
    kMissing,  // no data on this side (never shown as 00)
    kSame,     // the same value on both sides
    kChanged,  // another value on the other side
    kOnly,     // data on this side only
    kFilled,   // data on this side only, equal to the fill byte
  };

  struct Side {
    std::array<std::uint8_t, kRowBytes> bytes{};
    std::array<Cell, kRowBytes> cells{};
  };

  struct Row {
    std::uint32_t address = 0;    // of its first byte
    std::uint64_t foldBytes = 0;  // a folded stretch without data: how many bytes
    Side first;
    Side second;

    bool Fold() const { return foldBytes != 0; }
  };

  // `compare` outlives the rows.
  explicit CompareRows(const ImageCompare& compare);

  const ImageCompare& Compare() const { return compare_; }
  std::int64_t Count() const { return rows_.Count(); }
  Row At(std::int64_t row) const;
  std::uint32_t AddressOf(std::int64_t row) const { return rows_.AddressOf(row); }
  std::int64_t RowOf(std::uint32_t address) const { return rows_.RowOf(address); }

  // The first difference that starts after `address`, and the last one that
  // starts before it: their index in the compare's differences.
  std::optional<std::size_t> NextDifference(std::uint32_t address) const;
  std::optional<std::size_t> PreviousDifference(std::uint32_t address) const;

 private:
  const ImageCompare& compare_;
  RowFolding rows_;
};

}  // namespace larkspan
