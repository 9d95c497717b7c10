// The checksums of one file as text and as one JSON document.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdio>
#include <string>
#include <vector>

#include "checksum/image_checksum.h"

namespace larkspan {

// Each result as the lines the core gives, an empty line between two.
void WriteChecksumText(std::FILE* out, const std::vector<ChecksumResult>& results);

// "file" and "checksums": per result "algorithm", "width", "poly", "init",
// "refin", "refout", "xorout" (null for a sum), "first", "last" (null without a
// range), "bytes", "gaps", "fill" (null without), "value", and where they apply
// "value_with_gaps_as_ff" and "stored" ("address", "little_endian", "big_endian":
// null where not all its bytes hold data, "matches").
nlohmann::ordered_json ChecksumJson(const std::string& name,
                                    const std::vector<ChecksumResult>& results);

}  // namespace larkspan
