// What the user types to move about a memory image: an address to go to, and a
// sequence of bytes to find in its data.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "memory/memory_image.h"

namespace larkspan {

// An address in hexadecimal: "8000000", "08000000", "0x8000000" or "8000000h",
// spaces around it allowed; nothing when it is not one or exceeds 32 bits.
std::optional<std::uint32_t> ParseAddress(std::string_view text);

// Bytes as pairs of hexadecimal digits, spaces between them allowed: "DE AD",
// "dead"; nothing when empty or not whole pairs of digits.
std::optional<std::vector<std::uint8_t>> ParseBytes(std::string_view text);

// The first address at or after `from` where `pattern` stands in the data, each
// of its bytes at the next address with data (a byte without data never matches);
// when there is none, the first from the start of the image on.
std::optional<std::uint32_t> FindBytes(const MemoryImage& image,
                                       std::span<const std::uint8_t> pattern, std::uint64_t from);

}  // namespace larkspan
