#include "checksum/checksum_table.h"

#include <utility>

#include "checksum/checksum_texts.h"

namespace larkspan {

namespace {

std::string NotFilledText(std::uint64_t gaps) {
  return "not computed: " + std::to_string(gaps) + " gap bytes to fill";
}

}  // namespace

ChecksumTable::ChecksumTable(const MemoryImage& image, ChecksumAlgorithm algorithm)
    : image_(image), algorithm_(std::move(algorithm)), ranges_(image.Ranges()) {
  rows_.resize(Count());
}

const ChecksumTable::Row& ChecksumTable::At(std::size_t row) const {
  std::optional<Row>& kept = rows_[row];
  if (kept) return *kept;
  ChecksumRequest request;
  if (row != 0) request.range = ChecksumRange{ranges_[row - 1].first, ranges_[row - 1].last};
  request.maxFilledGaps = kMaxGapsAtOnce;
  const ChecksumResult result = ComputeChecksum(image_, algorithm_, request);
  const std::string unfilled = NotFilledText(result.gaps);
  const std::string value =
      result.gapsNotFilled && result.fill ? unfilled : ValueText(algorithm_, result.value);
  kept = Row{result.range.value_or(ChecksumRange{}), result.bytes, value,
             result.valueWithGapsAsFF ? ValueText(algorithm_, *result.valueWithGapsAsFF)
             : result.gapsNotFilled   ? unfilled
                                      : value};
  return *kept;
}

std::string ChecksumStatusText(const MemoryImage& image, const ChecksumAlgorithm& algorithm,
                               std::optional<ChecksumRange> range) {
  ChecksumRequest request;
  request.range = range;
  request.withGapsAsFF = false;
  request.maxFilledGaps = kMaxGapsAtOnce;
  const ChecksumResult result = ComputeChecksum(image, algorithm, request);
  if (result.bytes == 0) return algorithm.name + ": no data";
  if (result.gapsNotFilled) return algorithm.name + ": " + NotFilledText(result.gaps);
  return algorithm.name + ' ' + ValueText(algorithm, result.value) + " of " +
         std::to_string(result.bytes) + (result.bytes == 1 ? " byte" : " bytes") + " with data";
}

}  // namespace larkspan
