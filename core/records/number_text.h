// Number formatting for listing and message texts.
#pragma once

#include <charconv>
#include <cstdint>
#include <string>

namespace larkspan {

// Appends the upper-case hexadecimal digits of `value`, without leading zeros or
// prefix (0 gives "0", 65535 gives "FFFF").
inline void AppendHex(std::string& out, std::uint32_t value) {
  char digits[8];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value, 16);
  for (char* p = digits; p != end; ++p) {
    out.push_back(*p >= 'a' ? static_cast<char>(*p - 'a' + 'A') : *p);
  }
}

// Appends the decimal digits of `value`, without padding.
inline void AppendDecimal(std::string& out, std::int64_t value) {
  char digits[24];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, end);
}

}  // namespace larkspan
