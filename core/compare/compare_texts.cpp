#include "compare/compare_texts.h"

#include <algorithm>
#include <array>

#include "records/number_text.h"

namespace larkspan {

namespace {

constexpr std::uint64_t kFirstBytes = 16;

std::string Bytes(std::uint64_t count) {
  return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

}  // namespace

std::string_view KindText(ImageCompare::Kind kind) {
  constexpr std::array<std::string_view, 3> kTexts = {"changed", "only in first", "only in second"};
  return kTexts[static_cast<std::size_t>(kind)];
}

std::string CompareSummaryText(const ImageCompare& compare) {
  const ImageCompare::Totals& t = compare.Total();
  std::string text;
  if (t.Differing() == 0) {
    text = "identical: " + Bytes(t.bytes) + " in " + std::to_string(t.ranges) +
           (t.ranges == 1 ? " range" : " ranges");
  } else {
    const std::size_t runs = compare.Differences().size();
    text = Bytes(t.Differing()) + (t.Differing() == 1 ? " differs" : " differ") + " in " +
           std::to_string(runs) + (runs == 1 ? " run: " : " runs: ") + std::to_string(t.changed) +
           " changed, " + std::to_string(t.onlyInFirst) + " only in first, " +
           std::to_string(t.onlyInSecond) + " only in second";
  }
  if (const std::optional<std::uint8_t> fill = compare.Options().fill) {
    text += "; " + Bytes(t.filled) + " on one side only matched the fill ";
    AppendHex(text, *fill, 2);
  }
  if (!compare.SameEntries()) text += "; the entry points differ";
  return text;
}

std::string FirstBytesText(const MemoryImage& image, const ImageCompare::Difference& difference) {
  std::string text;
  const std::uint64_t end = difference.first + std::min(difference.Length(), kFirstBytes);
  for (std::uint64_t address = difference.first; address < end; ++address) {
    const MemoryImage::Piece* piece = image.PieceAt(static_cast<std::uint32_t>(address));
    if (piece == nullptr) return text;
    if (!text.empty()) text.push_back(' ');
    AppendHex(text, image.ByteOf(image.Runs()[piece->run], static_cast<std::uint32_t>(address)), 2);
  }
  return text;
}

std::int64_t FirstLine(const MemoryImage& image, const ImageCompare::Difference& difference) {
  return image.LineAt(difference.first).value_or(-1);
}

}  // namespace larkspan
