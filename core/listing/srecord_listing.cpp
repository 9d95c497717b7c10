#include "listing/srecord_listing.h"

namespace larkspan {

void SRecordListing::OnSRecord(const SRecord& record) {
  if (srec::IsData(record.type)) addresses_.Note(record.address, record.line);
  if (!srec::IsDefined(record.type))
    events_.Warn(UnknownType(record.line, srec::kTypeTexts[record.type]));
}

void SRecordListing::OnEnd(std::int64_t /*lines*/) {
  if (!active_) return;
  text_.assign(kSeparator);
  output_.AddToList(text_, LineKind::kPlain, -1);
}

}  // namespace larkspan
