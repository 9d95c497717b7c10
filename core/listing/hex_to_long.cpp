#include "listing/hex_to_long.h"

#include <limits>
#include <stdexcept>
#include <string>

#include "records/record_format.h"

namespace larkspan {

namespace {

constexpr std::size_t kMaxTextLength = 32767;
// 16^8 no longer fits 32 bits, so a nonzero digit with eight or more characters
// after it always overflows.
constexpr std::size_t kMaxNonzeroExponent = 7;

// A hexadecimal digit counts its value; every other character counts its 8-bit
// code minus 55, which gives 16 for 'G' and -8 for '/'.
std::int64_t DigitValue(char c) {
  const std::uint32_t nibble = format::Nibble(c);
  if (nibble != format::kNotHex) return nibble;
  return std::int64_t{static_cast<unsigned char>(c)} - 55;
}

bool FitsInt32(std::int64_t value) {
  return value >= std::numeric_limits<std::int32_t>::min() &&
         value <= std::numeric_limits<std::int32_t>::max();
}

[[noreturn]] void ThrowOverflow(std::string_view text) {
  throw std::overflow_error("hexadecimal text out of range: " + std::string(text.substr(0, 40)));
}

}  // namespace

std::int32_t HexToLong(std::string_view text) {
  if (text.size() > kMaxTextLength) ThrowOverflow(text);
  // Integer arithmetic gives the same exact whole numbers a floating-point power
  // would; zero digits add nothing, however far left they stand.
  std::int64_t sum = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::int64_t digit = DigitValue(text[i]);
    if (digit == 0) continue;
    const std::size_t exponent = text.size() - 1 - i;
    if (exponent > kMaxNonzeroExponent) ThrowOverflow(text);
    const std::int64_t term = digit * (std::int64_t{1} << (4 * exponent));
    sum += term;
    if (!FitsInt32(term) || !FitsInt32(sum)) ThrowOverflow(text);
  }
  return static_cast<std::int32_t>(sum);
}

}  // namespace larkspan
