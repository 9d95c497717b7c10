// A checksum over an address range of a memory image: which bytes it covered, the
// gaps and what they counted as, and a value stored in the image checked against
// it in both byte orders.
#pragma once

#include <cstdint>
#include <optional>

#include "checksum/checksum_algorithm.h"
#include "memory/memory_image.h"

namespace larkspan {

// Addresses from `first` to `last`, inclusive.
struct ChecksumRange {
  std::uint32_t first = 0;
  std::uint32_t last = 0;

  std::uint64_t Length() const { return std::uint64_t{last} - first + 1; }
};

struct ChecksumRequest {
  // The addresses covered; none: from the lowest to the highest address with data,
  // or with `verifyAt` to the address before it.
  std::optional<ChecksumRange> range;
  // The byte the gaps count as; none: only the bytes with data count.
  std::optional<std::uint8_t> fill;
  // Where the value is stored, width / 8 bytes (rounded up).
  std::optional<std::uint32_t> verifyAt;
  // Without a fill, whether the value with the gaps as FF is computed too.
  bool withGapsAsFF = true;
  // Gaps are fed only when the range has at most this many gap bytes: a window
  // that must answer at once sets it, since a range over most of the 4 GiB
  // address space would take seconds to fill.
  std::uint64_t maxFilledGaps = UINT64_MAX;
};

// The value read at an address in both byte orders.
struct StoredChecksum {
  std::uint32_t address = 0;
  bool readable = false;  // every byte of it holds data
  std::uint64_t littleEndian = 0;
  std::uint64_t bigEndian = 0;
  bool matchesLittleEndian = false;
  bool matchesBigEndian = false;

  bool Matches() const { return matchesLittleEndian || matchesBigEndian; }
};

struct ChecksumResult {
  ChecksumAlgorithm algorithm;
  std::optional<ChecksumRange> range;  // none when there is no data to cover
  std::uint64_t bytes = 0;             // addresses with data in the range
  std::uint64_t gaps = 0;              // addresses without
  std::optional<std::uint8_t> fill;    // what the gaps counted as; none: left out
  std::uint64_t value = 0;
  // Without a fill, when the range has gaps: the value with the gaps as FF.
  std::optional<std::uint64_t> valueWithGapsAsFF;
  // Of a word-fed CRC: the fill bytes that completed the last word.
  std::uint32_t padding = 0;
  std::optional<StoredChecksum> stored;  // with a `verifyAt`
  // More gap bytes than the request's maxFilledGaps: no value that fills them was
  // computed (with a fill, or a word-fed CRC, none at all).
  bool gapsNotFilled = false;

  // True unless a stored value was asked for and does not match.
  bool Verified() const { return !stored || stored->Matches(); }
};

// The erased flash byte: what gaps count as when a value with them filled is
// shown beside one without, and the word-fed CRC's fill when none is given.
inline constexpr std::uint8_t kErasedByte = 0xFF;

ChecksumResult ComputeChecksum(const MemoryImage& image, const ChecksumAlgorithm& algorithm,
                               const ChecksumRequest& request);

}  // namespace larkspan
