// Decoding the digit pairs of a record into bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace larkspan {

// Decodes the leading hexadecimal digits of `text`, two per byte, into `out`,
// which has room for text.size() / 2 bytes. Returns how many characters from the
// start are hexadecimal digits: as many whole pairs as that covers are decoded;
// the return value equals text.size() when every character is a digit.
std::size_t DecodeHex(std::string_view text, std::uint8_t* out);

// Decodes exactly eight characters into four bytes; false when some character is
// not a hexadecimal digit (`out` then holds no meaningful bytes).
bool DecodeHexWord(const char* text, std::uint8_t* out);

}  // namespace larkspan
