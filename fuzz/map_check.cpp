#include "map_check.h"

#include <cstdint>
#include <map>

#include "session/scan_session.h"

namespace larkspan::testing {

namespace {

// Memory as a map from address to the last byte written and its line, with the
// bases worked out anew from the records' fields.
struct PlainMemory : ScanListener {
  struct Cell {
    std::uint8_t byte;
    std::int64_t line;
  };
  std::map<std::uint32_t, Cell> cells;
  std::uint64_t rewritten = 0, differing = 0;
  int baseType = 0;  // 0 none, 2 segment, 4 linear
  std::uint32_t base = 0;

  void OnRecord(const Record& r) override {
    const auto data = r.Data();
    if ((r.type == 2 || r.type == 4) && r.count == 2 && data.size() == 2) {
      baseType = r.type;
      base = std::uint32_t{data[0]} << 8 | data[1];
    }
    if (r.type != 0) return;
    for (std::uint32_t i = 0; i < data.size(); ++i) {
      const std::uint32_t offset = r.offset + i;
      const std::uint32_t address = baseType == 2   ? base * 16 + (offset & 0xFFFF)
                                    : baseType == 4 ? (base << 16) + offset
                                                    : offset;
      const auto [cell, added] = cells.insert({address, {data[i], r.line}});
      if (!added) {
        ++rewritten;
        differing += cell->second.byte != data[i] ? 1 : 0;
        cell->second = {data[i], r.line};
      }
    }
  }
};

void Expect(bool holds, const std::string& problem, std::vector<std::string>& problems) {
  if (!holds) problems.push_back("map: " + problem);
}

}  // namespace

std::vector<std::string> CheckMap(const std::string& path) {
  PlainMemory plain;
  ScanSession session({.check = true, .map = true}, plain);
  session.Run(path);
  const MemoryMap& map = *session.Map();
  std::vector<std::string> problems;
  const MemoryImage& image = map.Image();
  Expect(image.Bytes() == plain.cells.size(), "byte count", problems);
  std::size_t stretches = 0;
  std::int64_t previous = -2;
  for (const auto& [address, cell] : plain.cells) {
    stretches += previous + 1 != address ? 1 : 0;
    previous = address;
    const MemoryImage::Piece* piece = image.PieceAt(address);
    const MemoryImage::Run* run = piece != nullptr ? &image.Runs()[piece->run] : nullptr;
    if (run == nullptr || image.ByteOf(*run, address) != cell.byte ||
        run->LineAt(address) != cell.line) {
      Expect(false, "address " + std::to_string(address), problems);
      break;
    }
  }
  Expect(image.Ranges().size() == stretches, "ranges", problems);
  std::uint64_t overlapping = 0, differing = 0;
  for (const auto& overlap : image.Overlaps()) {
    overlapping += std::uint64_t{overlap.last} - overlap.first + 1;
    differing += overlap.differing;
  }
  Expect(overlapping == plain.rewritten && differing == plain.differing, "overlaps", problems);
  return problems;
}

}  // namespace larkspan::testing
