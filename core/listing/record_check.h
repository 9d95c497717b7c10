// Integrity checks of the records of a HEX file, done within a scan run.
#pragma once

#include <cstdint>

#include "listing/fault_check.h"
#include "records/scan_events.h"

namespace larkspan {

// Checks each Intel HEX record of a run and warns about every fault, one warning
// per fault kind and line, with the line number; counts the faults, the invalid
// records and conflicting overlaps of either format among them.
class RecordCheck final : public FaultCheck {
 public:
  explicit RecordCheck(const ScanEvents& events) : FaultCheck(events) {}

  void OnFormat(FileFormat format) override { intelHex_ = format == FileFormat::IntelHex; }
  void OnRecord(const Record& record) override;
  void OnWarning(const Message& message) override;
  void OnEnd(std::int64_t lines) override;

 private:
  void CheckOrder(const Record& record);

  bool intelHex_ = true;       // the file is in Intel HEX: it needs an end record
  std::int64_t endLine_ = -1;  // line of the first end record, -1 before it
};

}  // namespace larkspan
