#include "checksum/checksum_table.h"

#include <utility>

#include "checksum/checksum_texts.h"

namespace larkspan {

ChecksumTable::ChecksumTable(const MemoryImage& image, ChecksumAlgorithm algorithm)
    : image_(image), algorithm_(std::move(algorithm)), ranges_(image.Ranges()) {
  rows_.resize(Count());
}

const ChecksumTable::Row& ChecksumTable::At(std::size_t row) const {
  std::optional<Row>& kept = rows_[row];
  if (kept) return *kept;
  ChecksumRequest request;
  if (row != 0) request.range = ChecksumRange{ranges_[row - 1].first, ranges_[row - 1].last};
  const ChecksumResult result = ComputeChecksum(image_, algorithm_, request);
  const std::string value = ValueText(algorithm_, result.value);
  kept = Row{result.range.value_or(ChecksumRange{}), result.bytes, value,
             result.valueWithGapsAsFF ? ValueText(algorithm_, *result.valueWithGapsAsFF) : value};
  return *kept;
}

std::string ChecksumStatusText(const MemoryImage& image, const ChecksumAlgorithm& algorithm,
                               std::optional<ChecksumRange> range) {
  ChecksumRequest request;
  request.range = range;
  const ChecksumResult result = ComputeChecksum(image, algorithm, request);
  if (result.bytes == 0) return algorithm.name + ": no data";
  return algorithm.name + ' ' + ValueText(algorithm, result.value) + " of " +
         std::to_string(result.bytes) + (result.bytes == 1 ? " byte" : " bytes") + " with data";
}

}  // namespace larkspan
