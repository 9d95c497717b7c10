// Integrity checks of the records of an S-record file, done within a scan run.
#pragma once

#include <cstdint>
#include <string>

#include "listing/record_check.h"
#include "records/scan_events.h"

namespace larkspan {

// Checks each S-record of a run and warns about every fault, one warning per
// fault kind and line, with the line number: checksum, byte count, characters
// that are not hexadecimal digits, S5/S6 counts, the termination record, data
// past their type's address space; and warns, without a fault, about data records
// of mixed widths, a termination record of another width than the data, and a
// count record that is not the last before the termination. Counts the faults
// it finds; invalid records and overlaps are counted by RecordCheck.
class SRecordCheck final : public ScanListener {
 public:
  explicit SRecordCheck(const ScanEvents& events) : events_(events) {}

  bool WantsBytes() const override { return true; }
  void OnFormat(FileFormat format) override { active_ = format == FileFormat::SRecord; }
  void OnSRecord(const SRecord& record) override;
  void OnEnd(std::int64_t lines) override;

  const FaultCounts& Faults() const { return faults_; }

 private:
  const ScanEvents& events_;
  bool active_ = false;  // the file is an S-record file
  FaultCounts faults_;
  std::string text_;
};

}  // namespace larkspan
