#include "checksum/image_checksum.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "checksum/checksum_engine.h"

namespace larkspan {

namespace {

using Piece = MemoryImage::Piece;

// The range asked for, or the one the data and the stored value's address give.
std::optional<ChecksumRange> RangeOf(const MemoryImage& image, const ChecksumRequest& request) {
  if (request.range) return request.range;
  const std::vector<Piece>& pieces = image.Pieces();
  if (pieces.empty()) return std::nullopt;
  const std::uint32_t first = pieces.front().first;
  std::uint64_t end = pieces.back().end;
  if (request.verifyAt) end = std::min<std::uint64_t>(end, *request.verifyAt);
  if (end <= first) return std::nullopt;
  return ChecksumRange{first, static_cast<std::uint32_t>(end - 1)};
}

// The pieces that hold addresses of `range`, in address order.
std::span<const Piece> PiecesIn(const MemoryImage& image, const ChecksumRange& range) {
  const std::vector<Piece>& pieces = image.Pieces();
  const auto begin = std::partition_point(
      pieces.begin(), pieces.end(), [&](const Piece& piece) { return piece.end <= range.first; });
  const auto end = std::partition_point(
      begin, pieces.end(), [&](const Piece& piece) { return piece.first <= range.last; });
  return {begin, end};
}

std::uint64_t BytesIn(std::span<const Piece> pieces, const ChecksumRange& range) {
  std::uint64_t bytes = 0;
  for (const Piece& piece : pieces) {
    bytes += std::min<std::uint64_t>(piece.end, range.Length() + range.first) -
             std::max(piece.first, range.first);
  }
  return bytes;
}

// An engine and the byte it takes for each gap; none: gaps are left out.
struct Fed {
  std::unique_ptr<ChecksumEngine> engine;
  std::optional<std::uint8_t> fill;

  void Gap(std::uint64_t count) const {
    if (!fill || count == 0) return;
    std::array<std::uint8_t, 64 << 10> bytes;
    const std::size_t part = std::min<std::uint64_t>(count, bytes.size());
    std::fill_n(bytes.begin(), part, *fill);
    for (; count > 0; count -= std::min<std::uint64_t>(count, part)) {
      engine->Update(std::span(bytes).first(std::min<std::uint64_t>(count, part)));
    }
  }
};

// Feeds the range to each engine: the data, and each gap as its fill.
void Walk(const MemoryImage& image, std::span<const Piece> pieces, const ChecksumRange& range,
          const std::vector<Fed>& fed) {
  const std::uint64_t end = range.Length() + range.first;
  std::uint64_t at = range.first;
  for (const Piece& piece : pieces) {
    const std::uint64_t first = std::max<std::uint64_t>(piece.first, at);
    const std::uint64_t stop = std::min(piece.end, end);
    const auto address = static_cast<std::uint32_t>(first);
    const std::span bytes(image.BytesOf(image.Runs()[piece.run], address), stop - first);
    for (const Fed& one : fed) {
      one.Gap(first - at);
      one.engine->Update(bytes);
    }
    at = stop;
  }
  for (const Fed& one : fed) one.Gap(end - at);
}

std::optional<std::uint8_t> ByteAt(const MemoryImage& image, std::uint64_t address) {
  if (address > 0xFFFFFFFF) return std::nullopt;
  const auto at = static_cast<std::uint32_t>(address);
  const Piece* piece = image.PieceAt(at);
  if (piece == nullptr) return std::nullopt;
  return image.ByteOf(image.Runs()[piece->run], at);
}

StoredChecksum ReadStored(const MemoryImage& image, std::uint32_t address, int bytes,
                          std::uint64_t value) {
  StoredChecksum stored{.address = address, .readable = true};
  for (int i = 0; i < bytes; ++i) {
    const std::optional<std::uint8_t> byte = ByteAt(image, std::uint64_t{address} + i);
    if (!byte) return {.address = address};
    stored.littleEndian |= std::uint64_t{*byte} << (8 * i);
    stored.bigEndian = stored.bigEndian << 8 | *byte;
  }
  stored.matchesLittleEndian = stored.littleEndian == value;
  stored.matchesBigEndian = stored.bigEndian == value;
  return stored;
}

}  // namespace

ChecksumResult ComputeChecksum(const MemoryImage& image, const ChecksumAlgorithm& algorithm,
                               const ChecksumRequest& request) {
  const bool words = algorithm.kind == ChecksumAlgorithm::Kind::Words;
  ChecksumResult result;
  result.algorithm = algorithm;
  result.range = RangeOf(image, request);
  result.fill = words ? request.fill.value_or(kErasedByte) : request.fill;
  std::vector<Fed> fed;
  fed.push_back({MakeEngine(algorithm), result.fill});
  if (result.range) {
    const std::span<const Piece> pieces = PiecesIn(image, *result.range);
    result.bytes = BytesIn(pieces, *result.range);
    result.gaps = result.range->Length() - result.bytes;
    const bool filled = result.fill || request.withGapsAsFF;
    result.gapsNotFilled = filled && result.gaps > request.maxFilledGaps;
    if (result.gapsNotFilled && result.fill) return result;
    if (!result.fill && result.gaps > 0 && filled && !result.gapsNotFilled) {
      fed.push_back({MakeEngine(algorithm), kErasedByte});
    }
    Walk(image, pieces, *result.range, fed);
    if (words) {
      result.padding = static_cast<std::uint32_t>(-result.range->Length() & 3);
      fed.front().Gap(result.padding);
    }
  }
  result.value = fed.front().engine->Value();
  if (fed.size() > 1) result.valueWithGapsAsFF = fed.back().engine->Value();
  if (request.verifyAt) {
    result.stored = ReadStored(image, *request.verifyAt, algorithm.Bytes(), result.value);
  }
  return result;
}

}  // namespace larkspan
