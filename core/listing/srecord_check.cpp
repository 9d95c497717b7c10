#include "listing/srecord_check.h"

namespace larkspan {

void SRecordCheck::OnSRecord(const SRecord& /*record*/) {}

void SRecordCheck::OnEnd(std::int64_t /*lines*/) {}

}  // namespace larkspan
