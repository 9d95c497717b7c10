#include "map_check.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

#include "session/scan_session.h"

namespace larkspan::testing {

namespace {

// The value of a hexadecimal digit; -1 for another character.
int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Memory as a map from address to the last byte written and its line, with the
// Intel HEX bases worked out anew from the records' fields, and S-records decoded
// anew from their characters.
struct PlainMemory : ScanListener {
  struct Cell {
    std::uint8_t byte;
    std::int64_t line;
  };
  std::map<std::uint32_t, Cell> cells;
  std::uint64_t rewritten = 0, differing = 0;
  int baseType = 0;  // 0 none, 2 segment, 4 linear
  std::uint32_t base = 0;

  void Write(std::uint32_t address, std::uint8_t byte, std::int64_t line) {
    const auto [cell, added] = cells.insert({address, {byte, line}});
    if (!added) {
      ++rewritten;
      differing += cell->second.byte != byte ? 1 : 0;
      cell->second = {byte, line};
    }
  }

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
      Write(address, data[i], r.line);
    }
  }

  // S1, S2 and S3 records: "S", the type, then the byte count, an address of 2, 3
  // or 4 bytes, the data and the checksum; the data end where the count or the
  // hexadecimal digits do, and go on at address 0 after FFFFFFFF.
  void OnSRecord(const SRecord& r) override {
    if (r.type < 1 || r.type > 3) return;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 2; i + 1 < r.text.size(); i += 2) {
      const int high = DigitValue(r.text[i]), low = DigitValue(r.text[i + 1]);
      if (high < 0 || low < 0) break;
      bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    const std::size_t width = r.type + 1u;
    if (bytes.size() <= width) return;
    std::uint32_t address = 0;
    for (std::size_t i = 1; i <= width; ++i) address = address << 8 | bytes[i];
    const std::size_t end = std::min<std::size_t>(bytes[0], bytes.size());
    for (std::size_t i = 1 + width; i < end; ++i) Write(address++, bytes[i], r.line);
  }
};

void Expect(bool holds, const std::string& problem, std::vector<std::string>& problems) {
  if (!holds) problems.push_back("map: " + problem);
}

}  // namespace

std::vector<std::string> CheckMap(const std::string& path, std::optional<FileFormat> format) {
  PlainMemory plain;
  ScanSession session({.check = true, .map = true, .format = format}, plain);
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
