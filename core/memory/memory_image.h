// The data bytes of a file by address: every byte kept once as it was read, so
// that bytes written twice can be compared; which record wrote which byte; the
// address ranges, and the overlaps of later records with earlier ones.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace larkspan {

class MemoryImage {
 public:
  // Consecutive records of a file, each continuing the one before: on the next
  // line, at the next address, as long as the one before (the last may be
  // shorter). The bytes of a run lie together in one block.
  struct Run {
    std::uint32_t first = 0;   // address of its first byte
    std::uint32_t length = 0;  // its bytes
    std::int64_t line = 0;     // line of its first record
    std::uint32_t block = 0;   // where its bytes lie
    std::uint32_t offset = 0;
    std::uint16_t recordLength = 0;  // bytes of each record but the last

    std::uint64_t End() const { return std::uint64_t{first} + length; }
    // The line of the record that wrote the byte at `address`, within the run.
    std::int64_t LineAt(std::uint32_t address) const {
      return line + (address - first) / recordLength;
    }
    std::int64_t LastLine() const { return line + (length - 1) / recordLength; }
    // One past the last address of the record that wrote `address`.
    std::uint64_t RecordEnd(std::uint32_t address) const {
      const std::uint64_t end =
          first + (std::uint64_t{address - first} / recordLength + 1) * recordLength;
      return std::min(end, End());
    }
  };

  // An address range whose bytes are all held by one run: the last run that wrote
  // them, as a loader keeps the last byte written.
  struct Piece {
    std::uint32_t first = 0;
    std::uint64_t end = 0;  // one past the last address
    std::uint32_t run = 0;  // index into Runs()
  };

  // Addresses written by an earlier and again by a later record: all alike, or
  // conflicting with at least one byte of another value. Neighbouring addresses
  // written by the same two runs, and of the same kind, are merged.
  struct Overlap {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    std::int64_t earlierLine = 0;  // the records that wrote `first`
    std::int64_t laterLine = 0;
    std::uint64_t differing = 0;  // bytes whose values differ
    std::uint32_t earlierRun = 0;
    std::uint32_t laterRun = 0;

    bool Conflicting() const { return differing != 0; }
  };

  // Adresses with data, without a gap, and the line of the record of the first.
  struct Range {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    std::int64_t line = 0;

    std::uint64_t Length() const { return std::uint64_t{last} - first + 1; }
  };

  // Adds `bytes` at consecutive addresses from `address` (not past 2^32), written
  // by the record on `line`. Records come in the order of the file.
  void Add(std::uint32_t address, std::span<const std::uint8_t> bytes, std::int64_t line);
  // Resolves which run holds which address and finds the overlaps; called once,
  // after the last Add.
  void Finish();

  const std::vector<Run>& Runs() const { return runs_; }
  // In address order, after Finish.
  const std::vector<Piece>& Pieces() const { return pieces_; }
  const std::vector<Overlap>& Overlaps() const { return overlaps_; }
  std::vector<Range> Ranges() const;
  // The addresses without data between two neighbouring ranges (its line is -1).
  static Range GapBetween(const Range& before, const Range& after) {
    return {before.last + 1, after.first - 1, -1};
  }
  // Addresses that hold data.
  std::uint64_t Bytes() const;

  // The addresses the data record on `line` wrote (the first part of one that
  // wraps): its first address and its length; nothing for a line without data.
  std::optional<std::pair<std::uint32_t, std::uint32_t>> AddressesOfLine(std::int64_t line) const;
  // The piece that holds `address`, if any.
  const Piece* PieceAt(std::uint32_t address) const;
  // The line of the record whose byte `address` holds; nothing for an address
  // without data.
  std::optional<std::int64_t> LineAt(std::uint32_t address) const {
    const Piece* piece = PieceAt(address);
    if (piece == nullptr) return std::nullopt;
    return runs_[piece->run].LineAt(address);
  }
  // The bytes of `run` from `address`, which the run covers, to the run's end.
  const std::uint8_t* BytesOf(const Run& run, std::uint32_t address) const {
    return &blocks_[run.block][run.offset + (address - run.first)];
  }
  std::uint8_t ByteOf(const Run& run, std::uint32_t address) const {
    return *BytesOf(run, address);
  }

  // Blocks double from the first on, up to the size of a huge page: a small file
  // takes little, a large one a page fault per block where the system offers huge
  // pages.
  static constexpr std::uint32_t kFirstBlockSize = 64 << 10;
  static constexpr std::uint32_t kBlockSize = 2 << 20;

 private:
  bool Continues(std::uint32_t address, std::size_t size, std::int64_t line) const;
  void StartRun(std::uint32_t address, std::size_t size, std::int64_t line);
  void Paint(std::uint32_t runIndex, std::map<std::uint32_t, Piece>& painted);
  void NoteOverlap(std::uint32_t earlier, std::uint32_t later, std::uint32_t first,
                   std::uint64_t end);
  void AddOverlap(const Overlap& overlap);

  // Blocks are mapped from the system and given back to it whole when freed.
  struct FreeBlock {
    std::size_t size = 0;
    void operator()(std::uint8_t* block) const;
  };
  using Block = std::unique_ptr<std::uint8_t[], FreeBlock>;
  static Block NewBlock(std::uint32_t size);

  std::vector<Block> blocks_;
  std::uint32_t blockSize_ = 0;  // of the last block
  std::uint32_t blockUsed_ = 0;  // bytes used in the last block
  std::vector<Run> runs_;
  std::int64_t lastLine_ = -1;  // line of the last record added
  std::vector<Piece> pieces_;
  std::vector<Overlap> overlaps_;
};

}  // namespace larkspan
