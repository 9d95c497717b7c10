// A walk over the data bytes of a memory image in address order.
#pragma once

#include <algorithm>
#include <cstdint>

#include "memory/memory_image.h"

namespace larkspan {

// Calls visit(address, byte) for each address from `first` to `last` that holds
// data, in address order, as long as it returns true; false when it stopped.
template <class Visit>
bool VisitData(const MemoryImage& image, std::uint64_t first, std::uint64_t last, Visit visit) {
  const auto& pieces = image.Pieces();
  auto piece = std::partition_point(pieces.begin(), pieces.end(),
                                    [&](const MemoryImage::Piece& p) { return p.end <= first; });
  for (; piece != pieces.end() && piece->first <= last; ++piece) {
    const MemoryImage::Run& run = image.Runs()[piece->run];
    const std::uint64_t to = std::min(piece->end - 1, last);
    for (std::uint64_t a = std::max<std::uint64_t>(piece->first, first); a <= to; ++a) {
      if (!visit(a, image.ByteOf(run, static_cast<std::uint32_t>(a)))) return false;
    }
  }
  return true;
}

}  // namespace larkspan
