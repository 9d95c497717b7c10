#include "records/hex_bytes.h"

#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "records/record_format.h"

namespace larkspan {

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighBits = kOnes * 0x80;
constexpr std::uint64_t kLowNibbles16 = 0x000F000F000F000Fu;
static_assert(std::endian::native == std::endian::little, "words are read low byte first");

// The block decoders below classify many characters at once by the ranges of
// digits and letters; they give what format::Nibble gives for each character, and
// the characters left over are read with it.

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

#ifdef __SSE2__
// The bytes that the digit pairs of `chars` spell, one per 16-bit lane, and in
// `digits` a bit for each character that is a hexadecimal digit.
__m128i PairValues(__m128i chars, int& digits) {
  const __m128i numbers = _mm_sub_epi8(chars, _mm_set1_epi8('0'));
  const __m128i isDigit = _mm_cmpeq_epi8(_mm_min_epu8(numbers, _mm_set1_epi8(9)), numbers);
  const __m128i letters =
      _mm_sub_epi8(_mm_or_si128(chars, _mm_set1_epi8(0x20)), _mm_set1_epi8('a'));
  const __m128i isLetter = _mm_cmpeq_epi8(_mm_min_epu8(letters, _mm_set1_epi8(5)), letters);
  digits = _mm_movemask_epi8(_mm_or_si128(isDigit, isLetter));
  const __m128i values =
      _mm_or_si128(_mm_and_si128(isDigit, numbers),
                   _mm_andnot_si128(isDigit, _mm_add_epi8(letters, _mm_set1_epi8(10))));
  // Each 16-bit lane holds a high digit in its low byte and a low digit above it.
  return _mm_or_si128(_mm_slli_epi16(_mm_and_si128(values, _mm_set1_epi16(0xFF)), 4),
                      _mm_srli_epi16(values, 8));
}

// Sixteen characters at once, as DecodeWord does eight.
bool DecodeBlock(const char* text, std::uint8_t* out) {
  int digits = 0;
  const __m128i bytes = PairValues(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text)), digits);
  if (digits != 0xFFFF) return false;
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(bytes, bytes));
  return true;
}
#endif

}  // namespace

bool DecodeHexWord(const char* text, std::uint8_t* out) {
#ifdef __SSE2__
  int digits = 0;
  const __m128i bytes = PairValues(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(text)), digits);
  const int packed = _mm_cvtsi128_si32(_mm_packus_epi16(bytes, bytes));
  std::memcpy(out, &packed, sizeof packed);
  return (digits & 0xFF) == 0xFF;
#else
  std::uint64_t word;
  std::memcpy(&word, text, sizeof word);
  return DecodeWord(word, out);
#endif
}

std::size_t DecodeHex(std::string_view text, std::uint8_t* out) {
  std::size_t i = 0;
#ifdef __SSE2__
  for (; i + 16 <= text.size(); i += 16, out += 8) {
    if (!DecodeBlock(text.data() + i, out)) break;
  }
  // The rest of a text of sixteen characters or more: the last sixteen that start
  // a pair, decoded again where they overlap what was.
  const std::size_t pairs = text.size() & ~std::size_t{1};
  if (i + 16 > pairs && pairs >= 16 && i < pairs) {
    const std::size_t back = i - (pairs - 16);
    if (DecodeBlock(text.data() + pairs - 16, out - back / 2)) {
      out += (pairs - i) / 2;
      i = pairs;
    }
  }
#endif
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
