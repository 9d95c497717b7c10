#include "scan/hex_bytes.h"

#include <bit>
#include <cstring>

#include "scan/record_format.h"

namespace larkspan {

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighBits = kOnes * 0x80;
constexpr std::uint64_t kLowNibbles16 = 0x000F000F000F000Fu;
static_assert(std::endian::native == std::endian::little, "words are read low byte first");

// Eight characters at once, the first one the high digit of a byte: writes the
// four bytes they spell to `out` and tells whether all eight are hexadecimal
// digits. Each test leaves its answer in the high bit of every byte; the bytes are
// below 128 when tested, so no sum carries into the next byte.
bool DecodeWord(std::uint64_t word, std::uint8_t* out) {
  const std::uint64_t x = word & ~kHighBits;
  const std::uint64_t digit = (x + kOnes * (0x80 - '0')) & ~(x + kOnes * (0x80 - '9' - 1));
  const std::uint64_t folded = x | kOnes * 0x20;  // 'A'..'F' to 'a'..'f'
  const std::uint64_t letter =
      (folded + kOnes * (0x80 - 'a')) & ~(folded + kOnes * (0x80 - 'f' - 1));
  // A digit's value: its low four bits, plus 9 for a letter (bit 6 set).
  const std::uint64_t values = (x & kOnes * 0x0F) + 9 * ((x >> 6) & kOnes);
  // Each 16-bit lane now holds one byte; the lanes are packed into four bytes.
  std::uint64_t bytes = ((values & kLowNibbles16) << 4) + ((values >> 8) & kLowNibbles16);
  bytes = (bytes | bytes >> 8) & 0x0000FFFF0000FFFFu;
  const auto packed = static_cast<std::uint32_t>(bytes | bytes >> 16);
  std::memcpy(out, &packed, sizeof packed);
  return ((digit | letter) & ~word & kHighBits) == kHighBits;
}

}  // namespace

std::size_t DecodeHex(std::string_view text, std::uint8_t* out) {
  std::size_t i = 0;
  for (std::uint64_t word; i + 8 <= text.size(); i += 8, out += 4) {
    std::memcpy(&word, text.data() + i, sizeof word);
    if (!DecodeWord(word, out)) break;
  }
  for (; i + 1 < text.size(); i += 2, ++out) {
    const std::uint32_t high = format::Nibble(text[i]);
    const std::uint32_t low = format::Nibble(text[i + 1]);
    if (((high | low) & format::kNotHex) != 0) break;
    *out = static_cast<std::uint8_t>(high * 16 + low);
  }
  if (i < text.size() && format::IsHexDigit(text[i])) ++i;
  return i;
}

}  // namespace larkspan
