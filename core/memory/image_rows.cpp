#include "memory/image_rows.h"

#include <algorithm>

#include "memory/image_bytes.h"
#include "memory/row_layout.h"
#include "records/number_text.h"

namespace larkspan {

namespace {

using Piece = MemoryImage::Piece;
using Overlap = MemoryImage::Overlap;

std::string Hex(std::uint32_t value, int digits) {
  std::string text;
  AppendHex(text, value, digits);
  return text;
}
std::string Hex8(std::uint32_t value) {
  return Hex(value, 8);
}
std::string Hex2(std::uint8_t value) {
  return Hex(value, 2);
}

}  // namespace

ImageRows::ImageRows(const MemoryImage& image) : image_(image), ranges_(image.Ranges()) {
  for (const Piece& piece : image.Pieces()) rows_.Add(piece.first, piece.end);
  std::uint32_t reach = 0;
  for (const Overlap& overlap : image.Overlaps()) {
    if (!overlap.Conflicting()) continue;
    reach = std::max(reach, overlap.last);
    conflicts_.push_back(&overlap);
    conflictReach_.push_back(reach);
  }
}

ImageRows::Row ImageRows::At(std::int64_t index) const {
  Row row;
  if (Count() == 0) return row;
  row.address = AddressOf(index);
  row.foldBytes = rows_.FoldBytes(index);
  if (row.Fold()) return row;
  VisitData(image_, row.address, row.address + kRowBytes - 1,
            [&](std::uint64_t address, std::uint8_t byte) {
              row.bytes[address - row.address] = byte;
              row.cells[address - row.address] = Cell::kData;
              return true;
            });
  MarkConflicts(row);
  return row;
}

void ImageRows::MarkConflicts(Row& row) const {
  const std::uint64_t end = std::uint64_t{row.address} + kRowBytes;
  const auto after = std::partition_point(conflicts_.begin(), conflicts_.end(),
                                          [&](const Overlap* o) { return o->first < end; });
  const auto& runs = image_.Runs();
  // Back from the last conflict that starts before the row's end, as long as one
  // of them reaches into the row.
  for (auto i = after - conflicts_.begin(); i-- > 0 && conflictReach_[i] >= row.address;) {
    const Overlap& o = *conflicts_[i];
    for (std::uint64_t a = std::max(o.first, row.address); a <= o.last && a < end; ++a) {
      const auto at = static_cast<std::uint32_t>(a);
      if (image_.ByteOf(runs[o.earlierRun], at) != image_.ByteOf(runs[o.laterRun], at)) {
        row.cells[at - row.address] = Cell::kConflict;
      }
    }
  }
}

std::string ImageRows::Text(const Row& row) {
  if (row.Fold()) {
    std::string text;
    AppendHex(text, row.address, RowLayout::kAddressDigits);
    text.append(RowLayout::kHexColumn - text.size(), ' ');
    text.append("-- ");
    AppendDecimal(text, static_cast<std::int64_t>(row.foldBytes));
    text.append(" bytes without data, to ");
    text.append(Hex8(static_cast<std::uint32_t>(row.address + row.foldBytes - 1)));
    text.append(" --");
    return text;
  }
  std::uint32_t present = 0;
  for (std::uint32_t i = 0; i < kRowBytes; ++i) {
    if (row.cells[i] != Cell::kMissing) present |= 1u << i;
  }
  std::string text(RowLayout::kRowChars, ' ');
  RowLayout::Put(text.data(), row.address, row.bytes.data(), present);
  return text;
}

std::vector<MemoryImage::Range>::const_iterator ImageRows::RangeAfter(std::uint32_t address) const {
  return std::upper_bound(ranges_.begin(), ranges_.end(), address,
                          [](std::uint32_t a, const MemoryImage::Range& r) { return a < r.first; });
}

std::string ImageRows::Describe(std::uint32_t address) const {
  std::string text = Hex8(address) + "h: ";
  const std::vector<Writer> writers = WritersOf(address);
  if (writers.empty()) {
    // The gap between the ranges around the address.
    const auto next = RangeAfter(address);
    const std::uint64_t first =
        next == ranges_.begin() ? 0 : std::uint64_t{std::prev(next)->last} + 1;
    const std::uint64_t end = next == ranges_.end() ? std::uint64_t{1} << 32 : next->first;
    text.append("no data from " + Hex8(static_cast<std::uint32_t>(first)) + "h to " +
                Hex8(static_cast<std::uint32_t>(end - 1)) + "h, ");
    AppendDecimal(text, static_cast<std::int64_t>(end - first));
    text.append(" bytes");
    return text;
  }
  const Writer& kept = writers.back();
  text.append(Hex2(kept.byte) + "h from line ");
  AppendDecimal(text, kept.line);
  const bool conflict = std::any_of(writers.begin(), writers.end(),
                                    [&](const Writer& w) { return w.byte != kept.byte; });
  if (writers.size() > 1) text.append(conflict ? "\nconflicting, " : "\nthe same, ");
  for (std::size_t i = 0; i + 1 < writers.size(); ++i) {
    text.append(i == 0 ? "written before by line " : ", line ");
    AppendDecimal(text, writers[i].line);
    text.append(" (" + Hex2(writers[i].byte) + "h)");
  }
  return text;
}

std::optional<std::uint32_t> ImageRows::NextRange(std::uint32_t address) const {
  const auto next = RangeAfter(address);
  if (next == ranges_.end()) return std::nullopt;
  return next->first;
}

std::optional<std::uint32_t> ImageRows::PreviousRange(std::uint32_t address) const {
  auto at = RangeAfter(address);
  if (at == ranges_.begin()) return std::nullopt;
  --at;  // the range `address` lies in, or the one before its gap
  if (address > at->last) return at->first;
  if (at == ranges_.begin()) return std::nullopt;
  return std::prev(at)->first;
}

std::vector<ImageRows::Writer> ImageRows::WritersOf(std::uint32_t address) const {
  const Piece* piece = image_.PieceAt(address);
  if (piece == nullptr) return {};
  std::vector<std::uint32_t> runs{piece->run};
  for (const Overlap& overlap : image_.Overlaps()) {
    if (overlap.first > address) break;
    if (overlap.last < address) continue;
    runs.push_back(overlap.earlierRun);
    runs.push_back(overlap.laterRun);
  }
  // Runs are numbered in the order of the file.
  std::sort(runs.begin(), runs.end());
  runs.erase(std::unique(runs.begin(), runs.end()), runs.end());
  std::vector<Writer> writers;
  for (const std::uint32_t index : runs) {
    const MemoryImage::Run& run = image_.Runs()[index];
    writers.push_back({run.LineAt(address), image_.ByteOf(run, address)});
  }
  return writers;
}

std::string ImageRows::HexText(std::uint32_t first, std::uint32_t last) const {
  std::string text;
  for (std::uint64_t i = first; i <= last; ++i) text.append(i == first ? "--" : " --");
  VisitData(image_, first, last, [&](std::uint64_t address, std::uint8_t byte) {
    PutHex(text.data() + (address - first) * 3, byte, 2);
    return true;
  });
  return text;
}

}  // namespace larkspan
