#include "scan/record_check.h"

#include <bit>
#include <cstring>
#include <numeric>

#include "scan/hex_digits.h"
#include "scan/number_text.h"

namespace larkspan {

namespace {

constexpr std::int32_t kEndRecord = 1;
// Index of the first character after the record type (position 10).
constexpr std::size_t kDataIndex = 9;

// Value of a hexadecimal digit, or kNotHex for any other character, so that one
// OR over many values tells whether all were digits.
constexpr std::uint32_t kNotHex = 0x100;
constexpr std::array<std::uint32_t, 256> kNibbles = [] {
  std::array<std::uint32_t, 256> nibbles{};
  for (int c = 0; c < 256; ++c) {
    if (c >= '0' && c <= '9') {
      nibbles[c] = static_cast<std::uint32_t>(c - '0');
    } else if ((c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')) {
      nibbles[c] = static_cast<std::uint32_t>((c & 0x7) + 9);
    } else {
      nibbles[c] = kNotHex;
    }
  }
  return nibbles;
}();

std::uint32_t Nibble(char c) {
  return kNibbles[static_cast<unsigned char>(c)];
}

constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighBits = kOnes * 0x80;
constexpr std::uint64_t kLowNibbles16 = 0x000F000F000F000Fu;
static_assert(std::endian::native == std::endian::little, "words are read low byte first");

// Eight characters at once, the first one the high digit of a byte: adds the four
// bytes they spell to `sum` and tells whether all eight are hexadecimal digits.
// Each test leaves its answer in the high bit of every byte; the bytes are below
// 128 when tested, so no sum carries into the next byte.
bool AddWord(std::uint64_t word, std::uint32_t& sum) {
  const std::uint64_t x = word & ~kHighBits;
  const std::uint64_t digit = (x + kOnes * (0x80 - '0')) & ~(x + kOnes * (0x80 - '9' - 1));
  const std::uint64_t folded = x | kOnes * 0x20;  // 'A'..'F' to 'a'..'f'
  const std::uint64_t letter =
      (folded + kOnes * (0x80 - 'a')) & ~(folded + kOnes * (0x80 - 'f' - 1));
  // A digit's value: its low four bits, plus 9 for a letter (bit 6 set).
  const std::uint64_t values = (x & kOnes * 0x0F) + 9 * ((x >> 6) & kOnes);
  const std::uint64_t bytes = ((values & kLowNibbles16) << 4) + ((values >> 8) & kLowNibbles16);
  sum += static_cast<std::uint32_t>((bytes * 0x0001000100010001u) >> 48);
  return ((digit | letter) & ~word & kHighBits) == kHighBits;
}

// Adds the bytes that the digit pairs of `text` spell to `sum`; false when some
// character of `text` is not a hexadecimal digit.
bool SumBytes(std::string_view text, std::uint32_t& sum) {
  bool allHex = true;
  std::size_t i = 0;
  for (std::uint64_t word; i + 8 <= text.size(); i += 8) {
    std::memcpy(&word, text.data() + i, sizeof word);
    allHex &= AddWord(word, sum);
  }
  std::uint32_t digits = 0;
  for (; i + 1 < text.size(); i += 2) {
    const std::uint32_t high = Nibble(text[i]);
    const std::uint32_t low = Nibble(text[i + 1]);
    digits |= high | low;
    sum += high * 16 + low;
  }
  if (i < text.size()) digits |= Nibble(text[i]);
  return allHex && (digits & kNotHex) == 0;
}

// Appends `value` (0 to 255) as two upper-case hexadecimal digits and "h".
void AppendByte(std::string& out, std::uint32_t value) {
  if (value < 16) out.push_back('0');
  AppendHex(out, value);
  out.push_back('h');
}

}  // namespace

std::int64_t FaultCounts::Total() const {
  return std::accumulate(counts.begin(), counts.end(), std::int64_t{0});
}

void RecordCheck::Record(std::string_view line, std::uint64_t length, std::int32_t type,
                         std::int64_t lineIndex) {
  CheckOrder(type, lineIndex);
  CheckContent(line, length, lineIndex);
}

void RecordCheck::CheckOrder(std::int32_t type, std::int64_t lineIndex) {
  if (endLine_ < 0) {
    if (type == kEndRecord) endLine_ = lineIndex;
    return;
  }
  const bool end = type == kEndRecord;
  text_.assign("First end record in line: ");
  AppendDecimal(text_, endLine_);
  Warn(end ? Fault::SecondEnd : Fault::AfterEnd, end ? "Second end record" : "Record after end",
       lineIndex, text_);
}

// The bytes from the byte count on are summed, the checksum included, so that a
// right checksum makes the sum 0 modulo 256.
void RecordCheck::CheckContent(std::string_view line, std::uint64_t length,
                               std::int64_t lineIndex) {
  const std::uint32_t count = Nibble(line[1]) * 16 + Nibble(line[2]);
  const std::uint64_t expected = kFrameCharacters + 2 * std::uint64_t{count};
  if (length != expected) {
    text_.assign("Byte count: ");
    AppendByte(text_, count);
    text_.append(", record length: ");
    AppendDecimal(text_, static_cast<std::int64_t>(length));
    text_.append(" characters, expected: ");
    AppendDecimal(text_, static_cast<std::int64_t>(expected));
    Warn(Fault::ByteCount, "Byte count mismatch", lineIndex, text_);
  }
  std::uint32_t sum = 0;
  const bool allHex = SumBytes(line.substr(1), sum);
  if (!allHex) {
    WarnCharacter(line, lineIndex);
  } else if (length == expected && (sum & 0xFF) != 0) {
    const std::uint32_t found = Nibble(line[line.size() - 2]) * 16 + Nibble(line.back());
    text_.assign("Expected: ");
    AppendByte(text_, (found - sum) & 0xFF);
    text_.append(", found: ");
    AppendByte(text_, found);
    Warn(Fault::Checksum, "Checksum error", lineIndex, text_);
  }
}

void RecordCheck::WarnCharacter(std::string_view line, std::int64_t lineIndex) {
  std::size_t index = kDataIndex;
  while (IsHexDigit(line[index])) ++index;
  const auto code = static_cast<unsigned char>(line[index]);
  text_.assign("Not hexadecimal: character ");
  AppendByte(text_, code);
  if (code > ' ' && code < 127) {
    text_.append(" (");
    text_.push_back(static_cast<char>(code));
    text_.push_back(')');
  }
  text_.append(" at position ");
  AppendDecimal(text_, static_cast<std::int64_t>(index + 1));
  Warn(Fault::Character, "Invalid character", lineIndex, text_);
}

void RecordCheck::Finish(std::int64_t lines) {
  if (endLine_ >= 0) return;
  ++faults_[Fault::NoEnd];
  std::string message("No end record in the file\rLines read: ");
  AppendDecimal(message, lines);
  view_.WarningBox(message, "No end record");
}

void RecordCheck::Warn(Fault fault, std::string_view title, std::int64_t lineIndex,
                       std::string_view detail) {
  ++faults_[fault];
  std::string message(title);
  message.append(" in line: ");
  AppendDecimal(message, lineIndex);
  message.push_back('\r');
  message.append(detail);
  view_.WarningBox(message, title);
}

}  // namespace larkspan
