#include "hex_to_long.h"

#include <limits>
#include <stdexcept>

namespace larkspan {

namespace {

constexpr std::size_t kMaxTextLength = 32767;
// 16^8 no longer fits 32 bits, so a nonzero digit with eight or more characters
// after it always overflows.
constexpr std::size_t kMaxNonzeroExponent = 7;

bool FitsInt32(std::int64_t value) {
  return value >= std::numeric_limits<std::int32_t>::min() &&
         value <= std::numeric_limits<std::int32_t>::max();
}

[[noreturn]] void ThrowOverflow(std::string_view text) {
  throw std::overflow_error("hexadecimal text out of range: " + std::string(text.substr(0, 40)));
}

}  // namespace

std::int32_t detail::HexToLongChecked(std::string_view text) {
  if (text.size() > kMaxTextLength) ThrowOverflow(text);
  // The sum is formed term by term, from the most significant character on, and
  // every partial sum must fit 32 bits; integer arithmetic gives the same exact
  // whole numbers a floating-point power would.
  std::int64_t sum = 0;
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    const std::int64_t digit = HexDigitValue(text[i]);
    if (digit == 0) continue;
    const std::size_t exponent = n - 1 - i;
    if (exponent > kMaxNonzeroExponent) ThrowOverflow(text);
    const std::int64_t term = digit * (std::int64_t{1} << (4 * exponent));
    if (!FitsInt32(term)) ThrowOverflow(text);
    sum += term;
    if (!FitsInt32(sum)) ThrowOverflow(text);
  }
  return static_cast<std::int32_t>(sum);
}

}  // namespace larkspan
