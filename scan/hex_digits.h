// Character classes of hexadecimal text. One byte is one character (Latin-1).
#pragma once

#include <cstddef>
#include <string_view>

namespace larkspan {

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
