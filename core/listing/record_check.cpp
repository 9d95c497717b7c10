#include "listing/record_check.h"

#include "records/record_format.h"

namespace larkspan {

// The bytes from the byte count on are summed, the checksum included, so that a
// right checksum makes the sum 0 modulo 256.
void RecordCheck::OnRecord(const Record& record) {
  CheckOrder(record);
  CheckContent(Content{.line = record.line,
                       .count = record.count,
                       .text = record.text,
                       .length = record.length,
                       .expected = format::kFrameCharacters + 2 * std::uint64_t{record.count},
                       .firstOther = 1 + record.hexDigits,
                       .bytes = record.bytes,
                       .sum = 0});
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
  WarnAfter(end ? Fault::SecondEnd : Fault::AfterEnd,
            end ? "Second end record" : "Record after end", record.line, "end record", endLine_);
}

void RecordCheck::OnEnd(std::int64_t lines) {
  if (endLine_ < 0 && intelHex_) WarnMissing(Fault::NoEnd, "No end record", lines);
}

}  // namespace larkspan
