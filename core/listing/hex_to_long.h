// Conversion of a hexadecimal field of a record line into a number.
#pragma once

#include <cstdint>
#include <string_view>

namespace larkspan {

// Positional base-16 value of `text`, as a signed 32-bit number.
//
// Every character is weighted by 16 to the power of the number of characters after
// it, and the terms are summed from the first character on. Digits 0-9, A-F and
// a-f count 0..15; any other character counts its 8-bit code minus 55 and is summed
// all the same (no validation here: callers check fields with IsHexField when they
// must be real digits). An empty text yields 0.
//
// Throws std::overflow_error when a term or the running sum leaves the 32-bit range,
// or when the text is longer than 32767 characters.
std::int32_t HexToLong(std::string_view text);

}  // namespace larkspan
