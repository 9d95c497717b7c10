#include "listing/srecord_check.h"

#include "records/number_text.h"
#include "records/srecord_format.h"

namespace larkspan {

namespace {

// "S9 (16-bit start)": a record type as it is written, with its name when it has one.
void AppendType(std::string& out, std::uint8_t type) {
  out.append(srec::kTypeTexts[type]);
  if (srec::kTypeNames[type].empty()) return;
  out.append(" (");
  out.append(srec::kTypeNames[type]);
  out.push_back(')');
}

}  // namespace

// The remark about a count record names the record that follows it: it comes
// first, as it is about an earlier line.
void SRecordCheck::OnSRecord(const SRecord& record) {
  CheckCountLast(record);
  CheckOrder(record);
  CheckContent(record);
  CheckCount(record);
  CheckAddress(record);
  CheckWidth(record);
}

void SRecordCheck::CheckCountLast(const SRecord& record) {
  if (lastCount_.line >= 0 && !srec::IsTermination(record.type)) {
    Remark("Count record not last", lastCount_.line, lastCount_.type, "before",
           {record.type, record.line});
  }
  lastCount_ =
      srec::IsCount(record.type) && termination_.line < 0 ? Seen{record.type, record.line} : Seen{};
}

void SRecordCheck::CheckOrder(const SRecord& record) {
  const bool termination = srec::IsTermination(record.type);
  if (termination_.line < 0) {
    if (termination) termination_ = {record.type, record.line};
    return;
  }
  WarnAfter(termination ? Fault::SecondTermination : Fault::AfterTermination,
            termination ? "Second termination record" : "Record after termination", record.line,
            "termination record", termination_.line);
}

// The bytes from the byte count on are summed, the checksum included: a right
// checksum, the ones' complement of the others' sum, makes the sum FFh modulo 256.
void SRecordCheck::CheckContent(const SRecord& record) {
  FaultCheck::CheckContent(
      Content{.line = record.line,
              .count = record.count,
              .text = record.text,
              .length = record.length,
              .expected = srec::kBytesIndex + 2 * (1 + std::uint64_t{record.count}),
              .firstOther = srec::kBytesIndex + record.hexDigits,
              .bytes = record.bytes,
              .sum = 0xFF});
}

// A count record states its count in its address field.
void SRecordCheck::CheckCount(const SRecord& record) {
  if (srec::IsData(record.type)) ++dataRecords_;
  if (!srec::IsCount(record.type) || record.address == dataRecords_) return;
  text_.assign("Stated: ");
  AppendDecimal(text_, record.address);
  text_.append(", counted: ");
  AppendDecimal(text_, dataRecords_);
  Warn(Fault::RecordCount, "Record count mismatch", record.line, text_);
}

// The data as they land: those the record holds, up to its byte count.
void SRecordCheck::CheckAddress(const SRecord& record) {
  const std::size_t size = record.Data().size();
  if (!srec::IsData(record.type) || size == 0) return;
  const std::uint64_t last = std::uint64_t{record.address} + size - 1;
  const std::uint64_t space = srec::AddressSpace(record.AddressBytes());
  if (last < space) return;
  text_.assign("Data from ");
  AppendHex(text_, record.address);
  text_.append("h to ");
  AppendHex(text_, last);
  text_.append("h, past the ");
  AppendDecimal(text_, static_cast<std::int64_t>(8 * record.AddressBytes()));
  text_.append("-bit address space");
  Warn(Fault::AddressOverflow, "Address overflow", record.line, text_);
}

// The width of a record is that of its address field.
void SRecordCheck::CheckWidth(const SRecord& record) {
  const std::size_t width = record.AddressBytes();
  if (srec::IsData(record.type)) {
    if (firstData_.line < 0) firstData_ = widestData_ = {record.type, record.line};
    if (width > srec::kAddressBytes[widestData_.type]) widestData_ = {record.type, record.line};
    if (width == srec::kAddressBytes[firstData_.type] || mixedWidths_) return;
    mixedWidths_ = true;
    Remark("Mixed data record widths", record.line, record.type, "after", firstData_);
  } else if (srec::IsTermination(record.type) && termination_.line == record.line &&
             widestData_.line >= 0 && width != srec::kAddressBytes[widestData_.type]) {
    Remark("Termination record width", record.line, record.type, "after", widestData_);
  }
}

void SRecordCheck::Remark(std::string_view title, std::int64_t line, std::uint8_t type,
                          std::string_view relation, const Seen& other) {
  text_.clear();
  AppendType(text_, type);
  text_.push_back(' ');
  text_.append(relation);
  text_.push_back(' ');
  AppendType(text_, other.type);
  text_.append(" in line: ");
  AppendDecimal(text_, other.line);
  events_.Warn(InLine(MessageKind::Remark, title, line, {text_}));
}

void SRecordCheck::OnEnd(std::int64_t lines) {
  if (active_ && termination_.line < 0)
    WarnMissing(Fault::NoTermination, "No termination record", lines);
}

}  // namespace larkspan
