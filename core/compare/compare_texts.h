// The texts of a compare that more than one front end shows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "compare/image_compare.h"

namespace larkspan {

// "changed", "only in first", "only in second".
std::string_view KindText(ImageCompare::Kind kind);

// "identical: N bytes in R ranges", or "N bytes differ in M runs: C changed, F only
// in first, S only in second"; with a fill, how many bytes on one side only
// matched it; and when the start addresses differ, that they do.
std::string CompareSummaryText(const ImageCompare& compare);

// The first bytes of a difference on one side, up to 16, as "0A 1B …"; empty
// for a side without data there.
std::string FirstBytesText(const MemoryImage& image, const ImageCompare::Difference& difference);

// The line that wrote the first byte of a difference on one side; -1 for none.
std::int64_t FirstLine(const MemoryImage& image, const ImageCompare::Difference& difference);

}  // namespace larkspan
