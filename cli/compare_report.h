// A compare of two images as text and as one JSON document.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdio>
#include <string>

#include "compare/image_compare.h"

namespace larkspan {

// Each difference with its kind, addresses, length, the lines that wrote its
// first byte and its first bytes on each side; the entry points when they
// differ; the summary line.
void WriteCompareText(std::FILE* out, const ImageCompare& compare);

// "first", "second" (the names), "identical", "bytes", "differences", "entry".
nlohmann::ordered_json CompareJson(const std::string& first, const std::string& second,
                                   const ImageCompare& compare);

}  // namespace larkspan
