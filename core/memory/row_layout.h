// One row of the memory image as text, the same in the dump and in the image
// window:
//
//   AAAAAAAA  XX XX XX XX XX XX XX XX  XX XX XX XX XX XX XX XX  |cccccccccccccccc|
//
// 16 bytes from an address that is a multiple of 16: the address, then each byte
// in upper-case hexadecimal (one more space after the eighth), then each byte as a
// character between bars, '.' for one outside 20h to 7Eh. A byte without data
// shows as "--" and a space.
//
// Rows without data between rows with data: one such row is shown as it is, two or
// more whole rows fold into a single line that stands for all of them. A row that
// holds any data is never folded, so a gap is folded by its whole rows only.
#pragma once

#include <algorithm>
#include <cstdint>

namespace larkspan {

struct RowLayout {
  static constexpr int kRowBytes = 16;
  static constexpr int kAddressDigits = 8;
  // The first column of the hexadecimal bytes, after the address and two spaces.
  static constexpr int kHexColumn = kAddressDigits + 2;
  // The column of byte `i`'s two digits.
  static constexpr int HexColumn(int i) { return kHexColumn + 3 * i + (i >= kRowBytes / 2); }
  // The first character between the bars: three characters a byte, one more space
  // between the halves, then a space and '|'.
  static constexpr int kCharColumn = kHexColumn + 3 * kRowBytes + 1 + 2;
  static constexpr int kRowChars = kCharColumn + kRowBytes + 1;
  // Rows without data that fold into one line: this many or more.
  static constexpr std::uint64_t kFoldRows = 2;

  static constexpr bool Folds(std::uint64_t emptyRows) { return emptyRows >= kFoldRows; }

  // The byte of a row that character `column` falls on: the one whose digits or
  // character it is, or the nearest one to its left (the spaces after a byte's
  // digits are its own); byte 0 before the first and byte 15 after the last.
  static constexpr int ByteAt(int column) {
    if (column >= kCharColumn) return std::min(column - kCharColumn, kRowBytes - 1);
    int byte = 0;
    while (byte + 1 < kRowBytes && HexColumn(byte + 1) <= column) ++byte;
    return byte;
  }

  // A byte as a character: itself from 20h to 7Eh, else '.'.
  static constexpr char Printable(std::uint8_t byte) {
    return byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.';
  }

  // Writes the row of `address` into `row`, kRowChars characters: byte i of
  // `bytes` where bit i of `present` is set, the others as without data.
  static void Put(char* row, std::uint32_t address, const std::uint8_t* bytes,
                  std::uint32_t present);
};

static_assert(RowLayout::kCharColumn == RowLayout::HexColumn(RowLayout::kRowBytes - 1) + 5);

}  // namespace larkspan
