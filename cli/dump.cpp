#include "dump.h"

#include <algorithm>
#include <array>
#include <cinttypes>
#include <cstring>
#include <vector>

namespace larkspan {

namespace {

constexpr std::uint32_t kRowBytes = 16;
constexpr std::uint32_t kFullRow = 0xFFFF;  // a bit per byte of a row with data

constexpr char kEmptyRow[] =
    "00000000  -- -- -- -- -- -- -- --  -- -- -- -- -- -- -- --  |                |\n";
constexpr std::size_t kRowWidth = sizeof kEmptyRow - 1;

// Where the hexadecimal digits of byte `i` of a row start: after the address and
// two spaces, three characters a byte, one more space between the halves.
constexpr std::size_t HexColumn(std::uint32_t i) {
  return 10 + 3 * i + (i >= 8 ? 1 : 0);
}
// The first character between the bars: after the last byte, two spaces and '|'.
constexpr std::size_t kAsciiColumn = HexColumn(kRowBytes - 1) + 5;
static_assert(kEmptyRow[kAsciiColumn - 1] == '|' && kEmptyRow[kAsciiColumn + kRowBytes] == '|');

constexpr std::array<std::array<char, 2>, 256> kHexPairs = [] {
  constexpr char digits[] = "0123456789ABCDEF";
  std::array<std::array<char, 2>, 256> pairs{};
  for (std::size_t i = 0; i < pairs.size(); ++i) pairs[i] = {digits[i >> 4], digits[i & 15]};
  return pairs;
}();

// A byte as a character: itself from 20h to 7Eh, else '.'.
constexpr std::array<char, 256> kCharacters = [] {
  std::array<char, 256> characters{};
  for (std::size_t i = 0; i < characters.size(); ++i) {
    characters[i] = i >= 0x20 && i < 0x7F ? static_cast<char>(i) : '.';
  }
  return characters;
}();

// Byte `i` of a row in its hexadecimal and character columns.
inline void PutByte(char* text, std::uint32_t i, std::uint8_t byte) {
  std::memcpy(text + HexColumn(i), kHexPairs[byte].data(), 2);
  text[kAsciiColumn + i] = kCharacters[byte];
}

// Gathers the bytes of the image row by row and writes each row once it is
// complete; the text goes out in large blocks.
class DumpWriter {
 public:
  explicit DumpWriter(std::FILE* out) : out_(out), buffer_(kBufferSize) {}

  // `length` bytes at consecutive addresses from `address`, above those added
  // before.
  void Add(std::uint64_t address, const std::uint8_t* data, std::uint64_t length);
  // Writes the last row and whatever text is still held.
  void Finish();

 private:
  void StartRow(std::uint64_t row);
  void WriteRow();
  void WriteFold(std::uint64_t rows);
  // Room for `size` more characters in the buffer.
  char* Room(std::size_t size);

  static constexpr std::size_t kBufferSize = 256 * 1024;

  std::FILE* out_;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  bool started_ = false;
  std::uint64_t row_ = 0;  // address of the row being gathered
  std::uint8_t bytes_[kRowBytes] = {};
  std::uint32_t present_ = 0;  // which bytes of the row have data
};

void DumpWriter::Add(std::uint64_t address, const std::uint8_t* data, std::uint64_t length) {
  while (length > 0) {
    const std::uint64_t row = address & ~std::uint64_t{kRowBytes - 1};
    if (!started_ || row != row_) StartRow(row);
    const auto column = static_cast<std::uint32_t>(address - row);
    const auto size =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(kRowBytes - column, length));
    std::memcpy(bytes_ + column, data, size);
    present_ |= ((1u << size) - 1) << column;
    address += size;
    data += size;
    length -= size;
  }
}

// Writes the row gathered so far and the rows without data up to `row`.
void DumpWriter::StartRow(std::uint64_t row) {
  if (started_) {
    WriteRow();
    const std::uint64_t emptyRows = (row - row_) / kRowBytes - 1;
    if (emptyRows == 1) {
      row_ += kRowBytes;
      present_ = 0;
      WriteRow();
    } else if (emptyRows > 1) {
      WriteFold(emptyRows);
    }
  }
  started_ = true;
  row_ = row;
  present_ = 0;
}

void DumpWriter::WriteRow() {
  char* text = Room(kRowWidth);
  std::memcpy(text, kEmptyRow, kRowWidth);
  for (int i = 0; i < 4; ++i) {
    std::memcpy(text + 2 * i, kHexPairs[(row_ >> (24 - 8 * i)) & 0xFF].data(), 2);
  }
  if (present_ == kFullRow) {
    for (std::uint32_t i = 0; i < kRowBytes; ++i) PutByte(text, i, bytes_[i]);
  } else {
    for (std::uint32_t i = 0; i < kRowBytes; ++i) {
      if ((present_ >> i & 1) != 0) PutByte(text, i, bytes_[i]);
    }
  }
  used_ += kRowWidth;
}

void DumpWriter::WriteFold(std::uint64_t rows) {
  char* text = Room(80);
  const std::uint64_t bytes = rows * kRowBytes;
  const int size =
      std::snprintf(text, 80, "*  %" PRIX64 "h (%" PRIu64 ") bytes without data\n", bytes, bytes);
  used_ += static_cast<std::size_t>(size);
}

char* DumpWriter::Room(std::size_t size) {
  if (used_ + size > buffer_.size()) {
    std::fwrite(buffer_.data(), 1, used_, out_);
    used_ = 0;
  }
  return buffer_.data() + used_;
}

void DumpWriter::Finish() {
  if (started_) WriteRow();
  std::fwrite(buffer_.data(), 1, used_, out_);
  used_ = 0;
}

}  // namespace

void WriteDump(std::FILE* out, const MemoryImage& image) {
  DumpWriter writer(out);
  for (const MemoryImage::Piece& piece : image.Pieces()) {
    const MemoryImage::Run& run = image.Runs()[piece.run];
    writer.Add(piece.first, image.BytesOf(run, piece.first), piece.end - piece.first);
  }
  writer.Finish();
}

}  // namespace larkspan
