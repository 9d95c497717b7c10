#include "record_check.h"

#include <numeric>

#include "hex_digits.h"
#include "number_text.h"

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

// One pass over the characters from the byte count on: their hexadecimal values
// summed byte by byte (the checksum included, so a right one makes the sum 0 modulo
// 256) and ORed together to see whether any is not a digit.
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
  std::uint32_t digits = 0;
  std::size_t i = 1;
  for (; i + 1 < line.size(); i += 2) {
    const std::uint32_t high = Nibble(line[i]);
    const std::uint32_t low = Nibble(line[i + 1]);
    digits |= high | low;
    sum += high * 16 + low;
  }
  if (i < line.size()) digits |= Nibble(line[i]);
  if ((digits & kNotHex) != 0) {
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
