// Number formatting for listing, message and dump texts: the one place where
// hexadecimal digits are written.
#pragma once

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <string>

namespace larkspan {

inline constexpr char kHexDigits[] = "0123456789ABCDEF";

// Every byte as its two upper-case hexadecimal digits.
inline constexpr std::array<std::array<char, 2>, 256> kHexPairs = [] {
  std::array<std::array<char, 2>, 256> pairs{};
  for (std::size_t i = 0; i < pairs.size(); ++i)
    pairs[i] = {kHexDigits[i >> 4], kHexDigits[i & 15]};
  return pairs;
}();

// Writes `value` as `digits` upper-case hexadecimal digits, with leading zeros, at
// `at`; higher digits of `value` are left out.
inline void PutHex(char* at, std::uint32_t value, int digits) {
  for (int i = digits - 1; i >= 0; --i, value >>= 4) at[i] = kHexDigits[value & 0xF];
}

// Appends the upper-case hexadecimal digits of `value`, without prefix, with
// leading zeros up to `digits` and none beyond (0 gives "0", 65535 gives "FFFF").
inline void AppendHex(std::string& out, std::uint64_t value, int digits = 1) {
  int needed = 1;
  while (needed < 16 && (value >> (4 * needed)) != 0) ++needed;
  needed = std::max(needed, digits);
  const std::size_t at = out.size();
  out.resize(at + static_cast<std::size_t>(needed));
  for (int i = needed - 1; i >= 0; --i, value >>= 4) out[at + i] = kHexDigits[value & 0xF];
}

// Appends the decimal digits of `value`, without padding.
inline void AppendDecimal(std::string& out, std::int64_t value) {
  char digits[24];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, end);
}

}  // namespace larkspan
