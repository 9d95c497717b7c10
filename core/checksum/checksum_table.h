// The checksums of one algorithm over a memory image as a table shows them: the
// whole image first, then each of its ranges of data, each with the value of the
// bytes with data and the value with the gaps as FF. A row is computed when it is
// first asked for and kept, so that a table of a million ranges costs only the
// rows in sight.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "checksum/image_checksum.h"

namespace larkspan {

// The most gap bytes a window fills for a checksum: what the slowest algorithm
// gets through in about 50 ms.
inline constexpr std::uint64_t kMaxGapsAtOnce = std::uint64_t{16} << 20;

class ChecksumTable {
 public:
  struct Row {
    ChecksumRange range;
    std::uint64_t bytes = 0;        // with data
    std::string value;              // of the bytes with data
    std::string valueWithGapsAsFF;  // the same when the range has no gaps
    // Either says so when the range has more than kMaxGapsAtOnce gap bytes to fill.
  };

  // `image` outlives the table.
  ChecksumTable(const MemoryImage& image, ChecksumAlgorithm algorithm);

  const ChecksumAlgorithm& Algorithm() const { return algorithm_; }
  // The image and its ranges; none for an image without data.
  std::size_t Count() const { return ranges_.empty() ? 0 : ranges_.size() + 1; }
  // Row 0: the whole image; row i: the image's range i - 1.
  const Row& At(std::size_t row) const;

 private:
  const MemoryImage& image_;
  ChecksumAlgorithm algorithm_;
  std::vector<MemoryImage::Range> ranges_;
  mutable std::vector<std::optional<Row>> rows_;
};

// The checksum of the bytes with data from `first` to `last` of `image`, or of the
// whole image without a range, as a status line says it:
// "CRC-32/ISO-HDLC CBF43926 of 9 bytes with data"; "no data" when there is none;
// for a word-fed CRC over more than kMaxGapsAtOnce gap bytes, that it was not
// computed.
std::string ChecksumStatusText(const MemoryImage& image, const ChecksumAlgorithm& algorithm,
                               std::optional<ChecksumRange> range);

}  // namespace larkspan
