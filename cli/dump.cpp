#include "dump.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "memory/map_summary.h"
#include "memory/row_layout.h"

namespace larkspan {

namespace {

using Layout = RowLayout;
constexpr std::uint32_t kRowBytes = Layout::kRowBytes;

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
    if (Layout::Folds(emptyRows)) {
      WriteFold(emptyRows);
    } else {
      for (std::uint64_t i = 0; i < emptyRows; ++i) {
        row_ += kRowBytes;
        present_ = 0;
        WriteRow();
      }
    }
  }
  started_ = true;
  row_ = row;
  present_ = 0;
}

void DumpWriter::WriteRow() {
  char* text = Room(Layout::kRowChars + 1);
  Layout::Put(text, static_cast<std::uint32_t>(row_), bytes_, present_);
  text[Layout::kRowChars] = '\n';
  used_ += Layout::kRowChars + 1;
}

void DumpWriter::WriteFold(std::uint64_t rows) {
  const std::string line = "*  " + LengthText(rows * kRowBytes) + " bytes without data\n";
  std::memcpy(Room(line.size()), line.data(), line.size());
  used_ += line.size();
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
