// Conversion of a hexadecimal field of a record line into a number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "hex_digits.h"

namespace larkspan {

namespace detail {
// Up to six characters cannot leave the 32-bit range, whatever they are: the
// largest character value is 200, and 200 * (16^6 - 1) / 15 is far below 2^31.
inline constexpr std::size_t kAlwaysInRange = 6;
std::int32_t HexToLongChecked(std::string_view text);
}  // namespace detail

// Positional base-16 value of `text`, as a signed 32-bit number.
//
// Every character is weighted by 16 to the power of the number of characters after
// it. Digits 0-9, A-F and a-f count 0..15; any other character counts its 8-bit code
// minus 55 and is summed all the same (no validation here: callers check fields
// with IsHexField when they must be real digits). An empty text yields 0.
//
// Throws std::overflow_error when a term or the running sum leaves the 32-bit range,
// or when the text is longer than 32767 characters.
inline std::int32_t HexToLong(std::string_view text) {
  if (text.size() > detail::kAlwaysInRange) return detail::HexToLongChecked(text);
  std::int32_t sum = 0;
  for (char c : text) sum = sum * 16 + HexDigitValue(c);
  return sum;
}

}  // namespace larkspan
