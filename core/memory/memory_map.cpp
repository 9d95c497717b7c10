#include "memory/memory_map.h"

#include "memory/map_summary.h"
#include "records/number_text.h"

namespace larkspan {

void MemoryMap::OnEnd(std::int64_t /*lines*/) {
  image_.Finish();
  complete_ = true;
  if (checkOverlaps_) WarnOverlaps();
}

void MemoryMap::WarnOverlaps() {
  for (const MemoryImage::Overlap& overlap : image_.Overlaps()) {
    if (!overlap.Conflicting()) continue;
    const std::string where = "Addresses " + AddressText(overlap.first) + "h to " +
                              AddressText(overlap.last) + "h, " + DifferText(overlap.differing);
    std::string earlier("Written before in line: ");
    AppendDecimal(earlier, overlap.earlierLine);
    events_.Warn(
        InLine(MessageKind::Overlap, "Overlapping data", overlap.laterLine, {where, earlier}));
  }
}

}  // namespace larkspan
