#include "memory/memory_image.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <new>

namespace larkspan {

void MemoryImage::Add(std::uint32_t address, std::span<const std::uint8_t> bytes,
                      std::int64_t line) {
  if (bytes.empty()) return;
  if (Continues(address, bytes.size(), line)) {
    runs_.back().length += static_cast<std::uint32_t>(bytes.size());
  } else {
    StartRun(address, bytes.size(), line);
  }
  std::memcpy(blocks_.back().get() + blockUsed_, bytes.data(), bytes.size());
  blockUsed_ += static_cast<std::uint32_t>(bytes.size());
  lastLine_ = line;
}

bool MemoryImage::Continues(std::uint32_t address, std::size_t size, std::int64_t line) const {
  if (runs_.empty()) return false;
  const Run& run = runs_.back();
  return line == lastLine_ + 1 && address == run.End() && size == run.recordLength &&
         run.length % run.recordLength == 0 && blockUsed_ + size <= blockSize_;
}

void MemoryImage::StartRun(std::uint32_t address, std::size_t size, std::int64_t line) {
  if (blockUsed_ + size > blockSize_) {
    blockSize_ = blockSize_ == 0 ? kFirstBlockSize : std::min(2 * blockSize_, kBlockSize);
    blocks_.push_back(NewBlock(blockSize_));
    blockUsed_ = 0;
  }
  runs_.push_back(Run{.first = address,
                      .length = 0,
                      .line = line,
                      .block = static_cast<std::uint32_t>(blocks_.size() - 1),
                      .offset = blockUsed_,
                      .recordLength = static_cast<std::uint16_t>(size)});
  runs_.back().length = static_cast<std::uint32_t>(size);
}

MemoryImage::Block MemoryImage::NewBlock(std::uint32_t size) {
  void* block = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
  if (size == kBlockSize) ::madvise(block, size, MADV_HUGEPAGE);
#endif
  return Block(static_cast<std::uint8_t*>(block), FreeBlock{size});
}

void MemoryImage::FreeBlock::operator()(std::uint8_t* block) const {
  ::munmap(block, size);
}

void MemoryImage::Finish() {
  // Runs are painted over one another in the order of the file, each keeping the
  // addresses no later run writes.
  std::map<std::uint32_t, Piece> painted;
  for (std::uint32_t index = 0; index < runs_.size(); ++index) Paint(index, painted);
  pieces_.clear();
  pieces_.reserve(painted.size());
  for (const auto& [first, piece] : painted) pieces_.push_back(piece);
  std::sort(overlaps_.begin(), overlaps_.end(), [](const Overlap& a, const Overlap& b) {
    return a.first != b.first ? a.first < b.first : a.laterLine < b.laterLine;
  });
}

void MemoryImage::Paint(std::uint32_t index, std::map<std::uint32_t, Piece>& painted) {
  const Run& run = runs_[index];
  auto it = painted.upper_bound(run.first);
  if (it != painted.begin() && std::prev(it)->second.end > run.first) --it;
  Piece remainders[2];
  int kept = 0;
  while (it != painted.end() && it->second.first < run.End()) {
    const Piece old = it->second;
    NoteOverlap(old.run, index, std::max(run.first, old.first), std::min(run.End(), old.end));
    if (old.first < run.first) remainders[kept++] = {old.first, run.first, old.run};
    if (old.end > run.End()) {
      remainders[kept++] = {static_cast<std::uint32_t>(run.End()), old.end, old.run};
    }
    it = painted.erase(it);
  }
  for (int i = 0; i < kept; ++i) painted.emplace(remainders[i].first, remainders[i]);
  painted.emplace(run.first, Piece{run.first, run.End(), index});
}

// The overlap is cut where a record of either run ends: the bytes of one earlier
// and one later record either are all alike or conflict. Neighbouring cuts of the
// same kind are merged, and keep the lines of their first records.
void MemoryImage::NoteOverlap(std::uint32_t earlier, std::uint32_t later, std::uint32_t first,
                              std::uint64_t end) {
  const Run& a = runs_[earlier];
  const Run& b = runs_[later];
  for (std::uint64_t from = first; from < end;) {
    const auto at = static_cast<std::uint32_t>(from);
    const std::uint64_t to = std::min({end, a.RecordEnd(at), b.RecordEnd(at)});
    std::uint64_t differing = 0;
    for (std::uint64_t address = from; address < to; ++address) {
      const auto byte = static_cast<std::uint32_t>(address);
      differing += ByteOf(a, byte) != ByteOf(b, byte) ? 1 : 0;
    }
    AddOverlap(Overlap{at, static_cast<std::uint32_t>(to - 1), a.LineAt(at), b.LineAt(at),
                       differing, earlier, later});
    from = to;
  }
}

void MemoryImage::AddOverlap(const Overlap& overlap) {
  if (!overlaps_.empty()) {
    Overlap& previous = overlaps_.back();
    if (previous.earlierRun == overlap.earlierRun && previous.laterRun == overlap.laterRun &&
        previous.Conflicting() == overlap.Conflicting() &&
        std::uint64_t{previous.last} + 1 == overlap.first) {
      previous.last = overlap.last;
      previous.differing += overlap.differing;
      return;
    }
  }
  overlaps_.push_back(overlap);
}

std::vector<MemoryImage::Range> MemoryImage::Ranges() const {
  std::vector<Range> ranges;
  for (const Piece& piece : pieces_) {
    const auto last = static_cast<std::uint32_t>(piece.end - 1);
    if (!ranges.empty() && std::uint64_t{ranges.back().last} + 1 == piece.first) {
      ranges.back().last = last;
    } else {
      ranges.push_back({piece.first, last, runs_[piece.run].LineAt(piece.first)});
    }
  }
  return ranges;
}

std::uint64_t MemoryImage::Bytes() const {
  std::uint64_t bytes = 0;
  for (const Piece& piece : pieces_) bytes += piece.end - piece.first;
  return bytes;
}

std::optional<std::pair<std::uint32_t, std::uint32_t>> MemoryImage::AddressesOfLine(
    std::int64_t line) const {
  const auto run = std::partition_point(runs_.begin(), runs_.end(),
                                        [&](const Run& r) { return r.LastLine() < line; });
  if (run == runs_.end() || run->line > line) return std::nullopt;
  const std::uint32_t start = static_cast<std::uint32_t>(line - run->line) * run->recordLength;
  return std::pair{run->first + start,
                   std::min<std::uint32_t>(run->recordLength, run->length - start)};
}

const MemoryImage::Piece* MemoryImage::PieceAt(std::uint32_t address) const {
  auto it = std::upper_bound(pieces_.begin(), pieces_.end(), address,
                             [](std::uint32_t a, const Piece& piece) { return a < piece.first; });
  if (it == pieces_.begin()) return nullptr;
  --it;
  return address < it->end ? &*it : nullptr;
}

}  // namespace larkspan
