#include "listing/fault_check.h"

#include <numeric>

#include "records/number_text.h"

namespace larkspan {

void AppendByte(std::string& out, std::uint32_t value) {
  AppendHex(out, value, 2);
  out.push_back('h');
}

std::int64_t FaultCounts::Total() const {
  return std::accumulate(counts.begin(), counts.end(), std::int64_t{0});
}

// The checksum is checked only where the byte count tells where it stands.
void FaultCheck::CheckContent(const Content& record) {
  if (record.length != record.expected) {
    text_.assign("Byte count: ");
    AppendByte(text_, record.count);
    text_.append(", record length: ");
    AppendDecimal(text_, static_cast<std::int64_t>(record.length));
    text_.append(" characters, expected: ");
    AppendDecimal(text_, static_cast<std::int64_t>(record.expected));
    Warn(Fault::ByteCount, "Byte count mismatch", record.line, text_);
  }
  if (record.firstOther < record.text.size()) {
    WarnCharacter(record);
    return;
  }
  const std::uint32_t sum = std::accumulate(record.bytes.begin(), record.bytes.end(), 0u);
  if (record.length == record.expected && (sum & 0xFF) != record.sum) {
    const std::uint32_t found = record.bytes.back();
    text_.assign("Expected: ");
    AppendByte(text_, (record.sum + found - sum) & 0xFF);
    text_.append(", found: ");
    AppendByte(text_, found);
    Warn(Fault::Checksum, "Checksum error", record.line, text_);
  }
}

// Names the character with its code, and as itself when it is printable.
void FaultCheck::WarnCharacter(const Content& record) {
  const auto code = static_cast<unsigned char>(record.text[record.firstOther]);
  text_.assign("Not hexadecimal: character ");
  AppendByte(text_, code);
  if (code > ' ' && code < 127) {
    text_.append(" (");
    text_.push_back(static_cast<char>(code));
    text_.push_back(')');
  }
  text_.append(" at position ");
  AppendDecimal(text_, static_cast<std::int64_t>(record.firstOther + 1));
  Warn(Fault::Character, "Invalid character", record.line, text_);
}

void FaultCheck::Warn(Fault fault, std::string_view title, std::int64_t line,
                      std::string_view detail) {
  ++faults_[fault];
  events_.Warn(InLine(MessageKind::Fault, title, line, {detail}));
}

void FaultCheck::WarnAfter(Fault fault, std::string_view title, std::int64_t line,
                           std::string_view what, std::int64_t first) {
  text_.assign("First ");
  text_.append(what);
  text_.append(" in line: ");
  AppendDecimal(text_, first);
  Warn(fault, title, line, text_);
}

void FaultCheck::WarnMissing(Fault fault, std::string_view title, std::int64_t lines) {
  ++faults_[fault];
  std::string what(title);
  what.append(" in the file");
  text_.assign("Lines read: ");
  AppendDecimal(text_, lines);
  events_.Warn(Message{MessageKind::Fault, std::string(title), {std::move(what), text_}});
}

}  // namespace larkspan
