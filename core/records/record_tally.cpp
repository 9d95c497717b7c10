#include "records/record_tally.h"

#include <numeric>

#include "records/header_text.h"
#include "records/number_text.h"

namespace larkspan {

void RecordTally::OnRecord(const Record& record) {
  if (record.Usable()) ++counts_[record.type];
}

void RecordTally::OnSRecord(const SRecord& record) {
  ++counts_[record.type];
  if (record.type == srec::kHeader && !header_) header_ = HeaderText(record.Data());
}

void RecordTally::OnWarning(const Message& message) {
  if (message.kind == MessageKind::InvalidRecord) ++invalid_;
}

std::vector<RecordTally::Row> RecordTally::Rows() const {
  std::vector<Row> rows;
  const bool srecord = format_ == FileFormat::SRecord;
  const std::size_t types = srecord ? srec::kTypes : counts_.size();
  for (std::size_t type = 0; type < types; ++type) {
    const bool defined =
        srecord ? srec::IsDefined(static_cast<std::uint8_t>(type)) : type <= format::kStartLinear;
    if (!defined && counts_[type] == 0) continue;
    Row row{.type = {}, .name = {}, .count = counts_[type]};
    if (srecord) {
      row.type = srec::kTypeTexts[type];
      row.name = srec::kTypeNames[type];
    } else {
      AppendHex(row.type, static_cast<std::uint32_t>(type), 2);
      if (defined) row.name = format::kTypeNames[type];
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::int64_t RecordTally::OtherLines() const {
  return lines_ - std::accumulate(counts_.begin(), counts_.end(), std::int64_t{0}) - invalid_;
}

}  // namespace larkspan
