// Checksums against the catalogue's check values, gaps left out and filled, the
// word-fed CRC padded, stored values in either byte order, and wrong names.
#include "checksum/image_checksum.h"

#include "checksum/checksum_table.h"
#include "checksum/checksum_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace larkspan {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

ChecksumAlgorithm Named(std::string_view text) {
  const ParsedAlgorithms parsed = ParseAlgorithms(text);
  EXPECT_EQ(parsed.problem, "") << text;
  EXPECT_EQ(parsed.algorithms.size(), 1U) << text;
  return parsed.algorithms.empty() ? ChecksumAlgorithm{} : parsed.algorithms.front();
}

// `pieces` of data, each at its address, in one image.
MemoryImage Image(const std::vector<std::pair<std::uint32_t, std::string_view>>& pieces) {
  MemoryImage image;
  std::int64_t line = 0;
  for (const auto& [address, text] : pieces) image.Add(address, Bytes(text), line++);
  image.Finish();
  return image;
}

ChecksumRequest Request(std::optional<ChecksumRange> range, std::optional<std::uint8_t> fill,
                        std::optional<std::uint32_t> verifyAt) {
  ChecksumRequest request;
  request.range = range;
  request.fill = fill;
  request.verifyAt = verifyAt;
  return request;
}

// The check value of each algorithm: its value on "123456789".
TEST(Checksum, CheckValues) {
  const struct {
    std::string_view algorithm;
    std::string_view name;
    std::uint64_t check;
  } cases[] = {
      {"crc32", "CRC-32/ISO-HDLC", 0xCBF43926},
      {"CRC-32/mpeg-2", "CRC-32/MPEG-2", 0x0376E6E7},
      {"crc32c", "CRC-32/ISCSI", 0xE3069283},
      {"ccitt-false", "CRC-16/IBM-3740", 0x29B1},
      {"XMODEM", "CRC-16/XMODEM", 0x31C3},
      {"kermit", "CRC-16/KERMIT", 0x2189},
      {"modbus", "CRC-16/MODBUS", 0x4B37},
      {"arc", "CRC-16/ARC", 0xBB3D},
      {"sum8", "sum8", 0xDD},
      {"sum16", "sum16", 0x01DD},
      {"sum32", "sum32", 0x01DD},
      {"stm32", "stm32", 0xD9020D98},  // the last word padded with FF
      {"width=16,poly=0x1021,init=0,refin=false,refout=false,xorout=0", "CRC-16/XMODEM", 0x31C3},
      {"width=5,poly=05,init=1F,refin=true,refout=true,xorout=1F", "custom", 0x19},
      {"width=12,poly=80F,init=0,refin=false,refout=true,xorout=0", "custom", 0xDAF},
      {"width=64,poly=42F0E1EBA9EA3693,init=FFFFFFFFFFFFFFFF,refin=true,refout=true,"
       "xorout=FFFFFFFFFFFFFFFF",
       "custom", 0x995DC9BBDF1939FA},
  };
  const MemoryImage image = Image({{0x1000, "123456789"}});
  for (const auto& c : cases) {
    const ChecksumResult result = ComputeChecksum(image, Named(c.algorithm), {});
    EXPECT_EQ(result.algorithm.name, c.name);
    EXPECT_EQ(result.value, c.check) << c.algorithm;
    EXPECT_EQ(result.padding, c.name == "stm32" ? 3U : 0U) << c.algorithm;
  }
}

// "1234", four gap bytes, "56789": the data only and with the gaps filled.
TEST(Checksum, Gaps) {
  const MemoryImage image = Image({{0x108, "56789"}, {0x100, "1234"}});
  const ChecksumAlgorithm crc32 = Named("crc32");
  const ChecksumResult dataOnly = ComputeChecksum(image, crc32, {});
  EXPECT_EQ(dataOnly.range->first, 0x100U);
  EXPECT_EQ(dataOnly.range->last, 0x10CU);
  EXPECT_EQ(dataOnly.bytes, 9U);
  EXPECT_EQ(dataOnly.gaps, 4U);
  EXPECT_EQ(dataOnly.value, 0xCBF43926U);
  EXPECT_EQ(dataOnly.valueWithGapsAsFF, 0x31D069D0U);
  const ChecksumResult zeros = ComputeChecksum(image, crc32, Request({}, 0, {}));
  EXPECT_EQ(zeros.value, 0x28268281U);
  EXPECT_FALSE(zeros.valueWithGapsAsFF);
  // A range past the data: its gaps filled at both ends.
  const ChecksumResult wide =
      ComputeChecksum(image, Named("sum16"), Request({{0xFE, 0x10E}}, {}, {}));
  EXPECT_EQ(wide.value, 0x1DDU);
  EXPECT_EQ(wide.valueWithGapsAsFF, 0x1DDU + 8 * 0xFF);
  EXPECT_EQ(wide.gaps, 8U);
}

// CBF43926 stored at 10D (the range then ends at 10C) in one byte order, the
// other, and half of it only.
TEST(Checksum, StoredValue) {
  const struct {
    std::string_view stored;
    bool little;
    bool big;
  } cases[] = {
      {"\x26\x39\xF4\xCB", true, false},
      {"\xCB\xF4\x39\x26", false, true},
      {"\xCB\xF4", false, false},
  };
  for (const auto& c : cases) {
    const MemoryImage image = Image({{0x100, "1234"}, {0x108, "56789"}, {0x10D, c.stored}});
    const ChecksumResult r = ComputeChecksum(image, Named("crc32"), Request({}, {}, 0x10D));
    EXPECT_EQ(r.range->last, 0x10CU);
    EXPECT_EQ(r.stored->matchesLittleEndian, c.little);
    EXPECT_EQ(r.stored->matchesBigEndian, c.big);
    EXPECT_EQ(r.stored->readable, c.stored.size() == 4);
    EXPECT_EQ(r.Verified(), c.little || c.big);
  }
}

TEST(Checksum, WrongNames) {
  for (const std::string_view text : {"crc99", "crc32,", "width=16,poly=1021",
                                      "poly=1021,width=16,init=0,refin=false,"
                                      "refout=false,xorout=0",
                                      "width=65,poly=1,init=0,refin=false,refout=false,xorout=0",
                                      "width=8,poly=100,init=0,refin=false,refout=false,xorout=0",
                                      "width=8,poly=7,init=0,refin=maybe,refout=false,xorout=0"}) {
    EXPECT_NE(ParseAlgorithms(text).problem, "") << text;
  }
  EXPECT_EQ(ParseAlgorithms("sum8,width=8,poly=7,init=0,refin=false,refout=false,xorout=0,arc")
                .algorithms.size(),
            3U);
}

// The table of the whole image and each range, and the status line's text: the
// bytes with data in address order, the gaps as FF only where there are gaps.
TEST(Checksum, TableAndStatus) {
  const MemoryImage image = Image({{0x10, "1234"}, {0x16, "56789"}});
  const ChecksumTable table(image, Named("crc32"));
  ASSERT_EQ(table.Count(), 3U);
  const ChecksumTable::Row& whole = table.At(0);
  EXPECT_EQ(whole.range.first, 0x10U);
  EXPECT_EQ(whole.range.last, 0x1AU);
  EXPECT_EQ(whole.bytes, 9U);
  EXPECT_EQ(whole.value, "CBF43926");
  EXPECT_EQ(whole.valueWithGapsAsFF,
            ValueText(table.Algorithm(), ComputeChecksum(image, table.Algorithm(),
                                                         Request(std::nullopt, 0xFF, std::nullopt))
                                             .value));
  EXPECT_NE(whole.valueWithGapsAsFF, whole.value);
  const ChecksumTable::Row& second = table.At(2);
  EXPECT_EQ(second.range.first, 0x16U);
  EXPECT_EQ(second.bytes, 5U);
  EXPECT_EQ(second.valueWithGapsAsFF, second.value);
  EXPECT_EQ(ChecksumStatusText(image, Named("crc32"), std::nullopt),
            "CRC-32/ISO-HDLC CBF43926 of 9 bytes with data");
  EXPECT_EQ(ChecksumStatusText(image, Named("sum8"), ChecksumRange{0x13, 0x16}),
            "sum8 69 of 2 bytes with data");
  EXPECT_EQ(ChecksumStatusText(image, Named("sum8"), ChecksumRange{0x14, 0x15}), "sum8: no data");
  EXPECT_EQ(ChecksumTable(MemoryImage(), Named("crc32")).Count(), 0U);
  // Data at both ends of the address space: the window does not fill 4 GiB of gaps.
  const MemoryImage wide = Image({{0, "12"}, {0xFFFFFFFE, "34"}});
  EXPECT_EQ(ChecksumStatusText(wide, Named("crc32"), std::nullopt),
            "CRC-32/ISO-HDLC " +
                ValueText(Named("crc32"), ComputeChecksum(image, Named("crc32"),
                                                          Request(ChecksumRange{0x10, 0x13},
                                                                  std::nullopt, std::nullopt))
                                              .value) +
                " of 4 bytes with data");
  EXPECT_EQ(ChecksumStatusText(wide, Named("stm32"), std::nullopt),
            "stm32: not computed: 4294967292 gap bytes to fill");
  const ChecksumTable wideTable(wide, Named("crc32"));
  EXPECT_EQ(wideTable.At(0).valueWithGapsAsFF, "not computed: 4294967292 gap bytes to fill");
}

}  // namespace
}  // namespace larkspan
