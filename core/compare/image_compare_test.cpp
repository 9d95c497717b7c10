// The differences of two images against a plain byte-per-address model, on
// generated pairs: changed bytes, dropped and added records, overlaps, other
// record lengths and order, the top of the address space, a fill and a range.
#include "compare/image_compare.h"

#include "compare/compare_rows.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

namespace larkspan {
namespace {

using Plain = std::map<std::uint64_t, std::uint8_t>;
using Kind = ImageCompare::Kind;

struct Image {
  MemoryImage image;
  Plain plain;
  std::int64_t line = 0;

  void Add(std::uint32_t address, const std::vector<std::uint8_t>& bytes) {
    image.Add(address, bytes, line++);
    for (std::size_t i = 0; i < bytes.size(); ++i) plain[address + i] = bytes[i];
  }
};

// Writes `plain` as records of `length` bytes, in address order or shuffled.
void Write(Image& image, const Plain& plain, std::size_t length, std::mt19937& random,
           bool shuffle) {
  std::vector<std::pair<std::uint32_t, std::vector<std::uint8_t>>> records;
  for (const auto& [address, byte] : plain) {
    if (!records.empty() && records.back().first + records.back().second.size() == address &&
        records.back().second.size() < length) {
      records.back().second.push_back(byte);
    } else {
      records.push_back({static_cast<std::uint32_t>(address), {byte}});
    }
  }
  if (shuffle) std::shuffle(records.begin(), records.end(), random);
  for (const auto& [address, bytes] : records) image.Add(address, bytes);
  image.image.Finish();
}

// The differences as the model sees them: each address of either side in range,
// in order; a run goes on while the addresses are consecutive and of one kind.
std::string Model(const Plain& a, const Plain& b, const CompareOptions& options) {
  std::map<std::uint64_t, Kind> kinds;
  for (const auto& [address, byte] : a) {
    const auto other = b.find(address);
    if (other == b.end()) {
      if (byte != options.fill) kinds[address] = Kind::OnlyInFirst;
    } else if (other->second != byte) {
      kinds[address] = Kind::Changed;
    }
  }
  for (const auto& [address, byte] : b) {
    if (!a.contains(address) && byte != options.fill) kinds[address] = Kind::OnlyInSecond;
  }
  std::string text;
  std::uint64_t runFirst = 0, runLast = 0;
  std::optional<Kind> runKind;
  const auto close = [&] {
    if (runKind)
      text += std::to_string(int(*runKind)) + ":" + std::to_string(runFirst) + "-" +
              std::to_string(runLast) + " ";
  };
  for (const auto& [address, kind] : kinds) {
    if (address < options.first || address > options.last) continue;
    if (runKind == kind && runLast + 1 == address) {
      runLast = address;
      continue;
    }
    close();
    runKind = kind;
    runFirst = runLast = address;
  }
  close();
  return text;
}

std::string Found(const ImageCompare& compare) {
  std::string text;
  for (const auto& d : compare.Differences()) {
    text += std::to_string(int(d.kind)) + ":" + std::to_string(d.first) + "-" +
            std::to_string(d.last) + " ";
  }
  return text;
}

// The rows side by side show every byte with data once, marked as the compare
// counts it.
void ExpectRowsAgree(const ImageCompare& compare, int round) {
  using Cell = CompareRows::Cell;
  const CompareRows rows(compare);
  std::map<Cell, std::uint64_t> first, second;
  for (std::int64_t i = 0; i < rows.Count(); ++i) {
    const CompareRows::Row row = rows.At(i);
    for (std::size_t b = 0; b < CompareRows::kRowBytes; ++b) {
      ++first[row.first.cells[b]];
      ++second[row.second.cells[b]];
    }
  }
  const ImageCompare::Totals& t = compare.Total();
  EXPECT_EQ(first[Cell::kChanged], t.changed) << round;
  EXPECT_EQ(second[Cell::kChanged], t.changed) << round;
  EXPECT_EQ(first[Cell::kOnly], t.onlyInFirst) << round;
  EXPECT_EQ(second[Cell::kOnly], t.onlyInSecond) << round;
  EXPECT_EQ(first[Cell::kFilled] + second[Cell::kFilled], t.filled) << round;
  EXPECT_EQ(first[Cell::kSame] + first[Cell::kChanged] + first[Cell::kOnly] + first[Cell::kFilled],
            t.firstBytes)
      << round;
}

TEST(ImageCompare, FindsWhatAPlainByteModelFinds) {
  std::mt19937 random(19);
  for (int round = 0; round < 300; ++round) {
    // Sparse data near a random base, or at the top of the address space.
    const std::uint64_t base = round % 5 == 0 ? 0xFFFFFF00u : random() % 0x100000;
    Plain plain;
    for (int blocks = 1 + random() % 6; blocks > 0; --blocks) {
      const std::uint64_t start = base + random() % 200;
      for (std::uint64_t a = start, n = 1 + random() % 60; n > 0 && a <= 0xFFFFFFFF; ++a, --n)
        plain[a] = static_cast<std::uint8_t>(random() % 4 == 0 ? 0xFF : random());
    }
    Plain other = plain;
    for (int edits = random() % 8; edits > 0 && !other.empty(); --edits) {
      auto at = std::next(other.begin(), random() % other.size());
      switch (random() % 3) {
        case 0:
          at->second ^= 1 + random() % 255;
          break;
        case 1:
          other.erase(at);
          break;
        default:
          other[(at->first + 1 + random() % 30) & 0xFFFFFFFF] = 0xFF;
          break;
      }
    }
    Image a, b;
    Write(a, plain, 1 + random() % 16, random, false);
    // The second file overwrites part of its data with other values first.
    if (round % 3 == 0 && !other.empty())
      b.Add(static_cast<std::uint32_t>(other.begin()->first), {1, 2, 3});
    Write(b, other, 1 + random() % 32, random, round % 2 == 0);
    CompareOptions options;
    if (round % 4 == 1) options.fill = 0xFF;
    if (round % 4 == 2) {
      options.first = static_cast<std::uint32_t>(base + random() % 100);
      options.last = static_cast<std::uint32_t>(
          std::min<std::uint64_t>(options.first + random() % 150, 0xFFFFFFFF));
    }
    const std::vector<Entry> none;
    const ImageCompare compare(a.image, none, b.image, none, options);
    ASSERT_EQ(Found(compare), Model(a.plain, b.plain, options)) << "round " << round;
    ExpectRowsAgree(compare, round);
    const auto& t = compare.Total();
    EXPECT_EQ(t.Differing() == 0, compare.Identical());
  }
}

TEST(ImageCompare, CountsBytesRangesAndTheFillAndComparesEntriesByAddress) {
  Image a, b;
  a.Add(0x100, {1, 2, 3, 4});
  a.Add(0x200, {5, 0xFF});
  a.image.Finish();
  b.Add(0x100, {1, 9, 3, 4});
  b.Add(0x200, {5});
  b.image.Finish();
  const std::vector<Entry> segment{{false, 0x01000000, 7}}, linear{{true, 0x1000, 2}};
  const ImageCompare filled(a.image, segment, b.image, linear, {.fill = 0xFF});
  const ImageCompare::Totals& t = filled.Total();
  EXPECT_EQ(Found(filled), "0:257-257 ");
  EXPECT_EQ((std::vector<std::uint64_t>{t.firstBytes, t.secondBytes, t.changed, t.onlyInFirst,
                                        t.onlyInSecond, t.filled, t.ranges}),
            (std::vector<std::uint64_t>{6, 5, 1, 0, 0, 1, 2}));
  EXPECT_TRUE(filled.SameEntries());  // 0100:0000 is 1000h
  const ImageCompare itself(a.image, linear, a.image, {}, {});
  EXPECT_TRUE(itself.Differences().empty());
  EXPECT_FALSE(itself.SameEntries());
  EXPECT_EQ(filled.DifferenceAtOrAfter(0x102), 1u);
  EXPECT_EQ(filled.DifferenceAtOrAfter(0x101), 0u);
  // Rows 100h and 200h with a fold between; stepping from difference to difference.
  const CompareRows rows(filled);
  EXPECT_EQ(rows.Count(), 3);
  EXPECT_EQ(rows.At(1).foldBytes, 0xF0u);
  EXPECT_EQ(rows.NextDifference(0), std::optional<std::size_t>(0));
  EXPECT_EQ(rows.NextDifference(0x101), std::nullopt);
  EXPECT_EQ(rows.PreviousDifference(0x102), std::optional<std::size_t>(0));
  EXPECT_EQ(rows.PreviousDifference(0x101), std::nullopt);
}

}  // namespace
}  // namespace larkspan
