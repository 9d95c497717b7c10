// The rows of the memory image, its folds and marks, and finding places in it.
#include "memory/image_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory/image_search.h"

namespace larkspan {
namespace {

// Records in the order of the file, one per line: a gap of two rows (folded), one
// of a single row (shown), a record written again with one byte changed, and the
// last row of the address space.
const std::vector<std::pair<std::uint32_t, std::string>> kRecords = {
    {0x00, "Hello"},    {0x14, "\xAA\xBB"},
    {0x40, "\x01\x02"}, {0x60, "0123456789ABCDEFG"},
    {0x40, "\x01\x07"}, {0xFFFFFFF0, "tail of the space"}};

class ImageRowsTest : public ::testing::Test {
 protected:
  static MemoryImage Build() {
    MemoryImage image;
    for (std::int64_t line = 0; const auto& [address, text] : kRecords) {
      const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
      image.Add(address, {bytes, std::min<std::size_t>(text.size(), 0x100000000 - address)},
                line++);
    }
    image.Finish();
    return image;
  }
  MemoryImage image_ = Build();
  ImageRows rows_{image_};
};

TEST_F(ImageRowsTest, RowsShowBytesAtTheirAddressesAndFoldGaps) {
  const std::vector<std::string> expected = {
      "00000000  48 65 6C 6C 6F -- -- --  -- -- -- -- -- -- -- --  |Hello           |",
      "00000010  -- -- -- -- AA BB -- --  -- -- -- -- -- -- -- --  |    ..          |",
      "00000020  -- 32 bytes without data, to 0000003F --",
      "00000040  01 07 -- -- -- -- -- --  -- -- -- -- -- -- -- --  |..              |",
      "00000050  -- -- -- -- -- -- -- --  -- -- -- -- -- -- -- --  |                |",
      "00000060  30 31 32 33 34 35 36 37  38 39 41 42 43 44 45 46  |0123456789ABCDEF|",
      "00000070  47 -- -- -- -- -- -- --  -- -- -- -- -- -- -- --  |G               |",
      "00000080  -- 4294967152 bytes without data, to FFFFFFEF --",
      "FFFFFFF0  74 61 69 6C 20 6F 66 20  74 68 65 20 73 70 61 63  |tail of the spac|",
  };
  std::vector<std::string> shown;
  for (std::int64_t row = 0; row < rows_.Count(); ++row) shown.push_back(rows_.Text(row));
  EXPECT_EQ(shown, expected);
  // Only the byte written again with another value is a conflict.
  const ImageRows::Row row = rows_.At(3);
  EXPECT_EQ(row.cells[0], ImageRows::Cell::kData);
  EXPECT_EQ(row.cells[1], ImageRows::Cell::kConflict);
}

// Every character of a row falls on the byte whose digits or character it is, the
// spaces after a byte's digits on that byte.
TEST(RowLayout, ColumnsMapBackToTheirBytes) {
  const std::string row =
      "00000000  00 01 02 03 04 05 06 07  08 09 0A 0B 0C 0D 0E 0F  |0123456789ABCDEF|";
  ASSERT_EQ(row.size(), std::size_t{RowLayout::kRowChars});
  for (int column = -2; column < RowLayout::kRowChars + 2; ++column) {
    const int byte = RowLayout::ByteAt(column);
    SCOPED_TRACE(column);
    if (column < RowLayout::kHexColumn) {
      EXPECT_EQ(byte, 0);
    } else if (column < RowLayout::kCharColumn - 1) {
      // The digits at the column, or the last ones before it.
      int digits = column;
      while (row[digits] == ' ') --digits;
      if (row[digits - 1] != ' ') --digits;
      EXPECT_EQ(byte, std::stoi(row.substr(digits, 2), nullptr, 16));
      EXPECT_EQ(RowLayout::HexColumn(byte), digits);
    } else if (column >= RowLayout::kCharColumn && column < RowLayout::kRowChars - 1) {
      EXPECT_EQ(byte, std::stoi(row.substr(column, 1), nullptr, 16));
    } else {
      EXPECT_EQ(byte, RowLayout::kRowBytes - 1);
    }
  }
}

TEST_F(ImageRowsTest, AddressesMapToRowsAndRanges) {
  const struct {
    std::uint32_t address;
    std::int64_t row;
    std::optional<std::uint32_t> next, previous;
  } cases[] = {
      {0x00, 0, 0x14, {}},         {0x14, 1, 0x40, 0x00},         {0x25, 2, 0x40, 0x14},
      {0x3F, 2, 0x40, 0x14},       {0x41, 3, 0x60, 0x14},         {0x55, 4, 0x60, 0x40},
      {0x60, 5, 0xFFFFFFF0, 0x40}, {0x1000, 7, 0xFFFFFFF0, 0x60}, {0xFFFFFFFF, 8, {}, 0x60},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.address);
    EXPECT_EQ(rows_.RowOf(c.address), c.row);
    EXPECT_EQ(rows_.NextRange(c.address), c.next);
    EXPECT_EQ(rows_.PreviousRange(c.address), c.previous);
  }
  EXPECT_EQ((std::vector{rows_.AddressOf(2), rows_.AddressOf(7), rows_.AddressOf(8)}),
            (std::vector<std::uint32_t>{0x20, 0x80, 0xFFFFFFF0}));
}

TEST_F(ImageRowsTest, WritersAndCopiedText) {
  const auto writers = rows_.WritersOf(0x41);
  ASSERT_EQ(writers.size(), 2u);
  EXPECT_EQ((std::vector{writers[0].line, writers[1].line}), (std::vector<std::int64_t>{2, 4}));
  EXPECT_EQ((std::vector{writers[0].byte, writers[1].byte}), (std::vector<std::uint8_t>{2, 7}));
  EXPECT_EQ(rows_.WritersOf(0x60).size(), 1u);
  EXPECT_TRUE(rows_.WritersOf(0x42).empty());
  EXPECT_EQ(rows_.HexText(0x3E, 0x42), "-- -- 01 07 --");
  EXPECT_EQ(rows_.Describe(0x41),
            "00000041h: 07h from line 4\nconflicting, written before by line 2 (02h)");
  EXPECT_EQ(rows_.Describe(0x40),
            "00000040h: 01h from line 4\nthe same, written before by line 2 (01h)");
  EXPECT_EQ(rows_.Describe(0x20), "00000020h: no data from 00000016h to 0000003Fh, 42 bytes");
}

TEST_F(ImageRowsTest, FindsBytesInDataOnlyAndWraps) {
  const struct {
    const char* pattern;
    std::uint32_t from;
    std::optional<std::uint32_t> found;
  } cases[] = {
      {"AA BB", 0, 0x14},   {"6FAA", 0, {}},   // a gap between them
      {"07", 0, 0x41},      {"02", 0, {}},     // the byte written over is gone
      {"01", 0x41, 0x40},                      // wraps to the start
      {"4546 47", 0, 0x6E}, {"63 74", 0, {}},  // nothing past the last address
      {"3031", 0x61, 0x60},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    const auto pattern = ParseBytes(c.pattern);
    ASSERT_TRUE(pattern);
    EXPECT_EQ(FindBytes(image_, *pattern, c.from), c.found);
  }
}

TEST(ImageSearch, ParsesAddressesAndBytes) {
  const struct {
    const char* text;
    std::optional<std::uint32_t> address;
  } addresses[] = {{"0x8000000", 0x8000000},
                   {"8000000h", 0x8000000},
                   {"08000000", 0x8000000},
                   {" 1f ", 0x1F},
                   {"FFFFFFFFH", UINT32_MAX},
                   {"100000000", {}},
                   {"", {}},
                   {"0x", {}},
                   {"h", {}},
                   {"12g", {}},
                   {"-1", {}},
                   {"0x0x1", {}}};
  for (const auto& a : addresses) EXPECT_EQ(ParseAddress(a.text), a.address) << a.text;
  EXPECT_EQ(ParseBytes(" de AD0f "), (std::vector<std::uint8_t>{0xDE, 0xAD, 0x0F}));
  for (const char* wrong : {"", "DEA", "zz", "0x12"}) EXPECT_FALSE(ParseBytes(wrong)) << wrong;
}

}  // namespace
}  // namespace larkspan
