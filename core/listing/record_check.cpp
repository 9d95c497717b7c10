#include "listing/record_check.h"

#include <numeric>

#include "records/number_text.h"
#include "records/record_format.h"

namespace larkspan {

namespace {

// Appends `value` (0 to 255) as two upper-case hexadecimal digits and "h".
void AppendByte(std::string& out, std::uint32_t value) {
  AppendHex(out, value, 2);
  out.push_back('h');
}

}  // namespace

std::int64_t FaultCounts::Total() const {
  return std::accumulate(counts.begin(), counts.end(), std::int64_t{0});
}

void RecordCheck::OnRecord(const Record& record) {
  CheckOrder(record);
  CheckContent(record);
}

void RecordCheck::OnWarning(const Message& message) {
  if (message.kind == MessageKind::InvalidRecord) ++faults_[Fault::InvalidRecord];
  if (message.kind == MessageKind::Overlap) ++faults_[Fault::Overlap];
}

void RecordCheck::CheckOrder(const Record& record) {
  const bool end = record.type == format::kEnd;
  if (endLine_ < 0) {
    if (end) endLine_ = record.line;
    return;
  }
  text_.assign("First end record in line: ");
  AppendDecimal(text_, endLine_);
  Warn(end ? Fault::SecondEnd : Fault::AfterEnd, end ? "Second end record" : "Record after end",
       record.line, text_);
}

// The bytes from the byte count on are summed, the checksum included, so that a
// right checksum makes the sum 0 modulo 256.
void RecordCheck::CheckContent(const Record& record) {
  const std::uint64_t expected = format::kFrameCharacters + 2 * std::uint64_t{record.count};
  if (record.length != expected) {
    text_.assign("Byte count: ");
    AppendByte(text_, record.count);
    text_.append(", record length: ");
    AppendDecimal(text_, static_cast<std::int64_t>(record.length));
    text_.append(" characters, expected: ");
    AppendDecimal(text_, static_cast<std::int64_t>(expected));
    Warn(Fault::ByteCount, "Byte count mismatch", record.line, text_);
  }
  if (record.hexDigits + 1 < record.text.size()) {
    WarnCharacter(record);
    return;
  }
  const std::uint32_t sum = std::accumulate(record.bytes.begin(), record.bytes.end(), 0u);
  if (record.length == expected && (sum & 0xFF) != 0) {
    const std::uint32_t found = record.bytes.back();
    text_.assign("Expected: ");
    AppendByte(text_, (found - sum) & 0xFF);
    text_.append(", found: ");
    AppendByte(text_, found);
    Warn(Fault::Checksum, "Checksum error", record.line, text_);
  }
}

// Names the first character after the record type that is not a digit.
void RecordCheck::WarnCharacter(const Record& record) {
  const std::size_t index = 1 + record.hexDigits;
  const auto code = static_cast<unsigned char>(record.text[index]);
  text_.assign("Not hexadecimal: character ");
  AppendByte(text_, code);
  if (code > ' ' && code < 127) {
    text_.append(" (");
    text_.push_back(static_cast<char>(code));
    text_.push_back(')');
  }
  text_.append(" at position ");
  AppendDecimal(text_, static_cast<std::int64_t>(index + 1));
  Warn(Fault::Character, "Invalid character", record.line, text_);
}

void RecordCheck::OnEnd(std::int64_t lines) {
  if (endLine_ >= 0 || !intelHex_) return;
  ++faults_[Fault::NoEnd];
  text_.assign("Lines read: ");
  AppendDecimal(text_, lines);
  events_.Warn(Message{MessageKind::Fault, "No end record", {"No end record in the file", text_}});
}

void RecordCheck::Warn(Fault fault, std::string_view title, std::int64_t line,
                       std::string_view detail) {
  ++faults_[fault];
  events_.Warn(InLine(MessageKind::Fault, title, line, {detail}));
}

}  // namespace larkspan
