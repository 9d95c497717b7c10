// Character classes of hexadecimal text. One byte is one character (Latin-1).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace larkspan {

namespace detail {

// Value of every byte under the HEX-field rule: '0'..'9' count 0..9, 'A'..'F' and
// 'a'..'f' count 10..15, and any other character counts its code minus 55 (so 'G'
// is 16 and '/' is -8). Only the first three groups are hexadecimal digits.
inline constexpr std::array<std::int16_t, 256> kDigitValues = [] {
  std::array<std::int16_t, 256> values{};
  for (int c = 0; c < 256; ++c) {
    if (c >= '0' && c <= '9') {
      values[c] = static_cast<std::int16_t>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      values[c] = static_cast<std::int16_t>(c - 'a' + 10);
    } else {
      values[c] = static_cast<std::int16_t>(c - 55);
    }
  }
  return values;
}();

}  // namespace detail

inline std::int16_t HexDigitValue(char c) {
  return detail::kDigitValues[static_cast<unsigned char>(c)];
}

inline bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// True when `field` holds exactly `width` characters, all hexadecimal digits.
inline bool IsHexField(std::string_view field, std::size_t width) {
  if (field.size() != width) return false;
  for (char c : field) {
    if (!IsHexDigit(c)) return false;
  }
  return true;
}

}  // namespace larkspan
