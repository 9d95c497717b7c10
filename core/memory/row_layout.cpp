#include "memory/row_layout.h"

#include <array>
#include <cstring>

#include "records/number_text.h"

namespace larkspan {

namespace {

using Layout = RowLayout;

// A row without data at address 0.
constexpr std::array<char, Layout::kRowChars> kEmptyRow = [] {
  std::array<char, Layout::kRowChars> row{};
  row.fill(' ');
  for (int i = 0; i < Layout::kAddressDigits; ++i) row[i] = '0';
  for (int i = 0; i < Layout::kRowBytes; ++i) {
    row[Layout::HexColumn(i)] = row[Layout::HexColumn(i) + 1] = '-';
  }
  row[Layout::kCharColumn - 1] = row[Layout::kCharColumn + Layout::kRowBytes] = '|';
  return row;
}();

constexpr std::array<char, 256> kCharacters = [] {
  std::array<char, 256> characters{};
  for (std::size_t i = 0; i < characters.size(); ++i) {
    characters[i] = Layout::Printable(static_cast<std::uint8_t>(i));
  }
  return characters;
}();

inline void PutByte(char* row, int i, std::uint8_t byte) {
  std::memcpy(row + Layout::HexColumn(i), kHexPairs[byte].data(), 2);
  row[Layout::kCharColumn + i] = kCharacters[byte];
}

}  // namespace

void RowLayout::Put(char* row, std::uint32_t address, const std::uint8_t* bytes,
                    std::uint32_t present) {
  constexpr std::uint32_t kFullRow = (1u << kRowBytes) - 1;
  std::memcpy(row, kEmptyRow.data(), kRowChars);
  // The address a byte at a time, the highest first.
  for (int i = 0; i < kAddressDigits / 2; ++i) {
    const int shift = 8 * (kAddressDigits / 2 - 1 - i);
    std::memcpy(row + 2 * i, kHexPairs[(address >> shift) & 0xFF].data(), 2);
  }
  if (present == kFullRow) {
    for (int i = 0; i < kRowBytes; ++i) PutByte(row, i, bytes[i]);
    return;
  }
  for (int i = 0; i < kRowBytes; ++i) {
    if ((present >> i & 1) != 0) PutByte(row, i, bytes[i]);
  }
}

}  // namespace larkspan
