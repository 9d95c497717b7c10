// Integrity checks of the records of an S-record file, done within a scan run.
#pragma once

#include <cstdint>
#include <string_view>

#include "listing/fault_check.h"
#include "records/scan_events.h"

namespace larkspan {

// Checks each S-record of a run and warns about every fault, one warning per
// fault kind and line, with the line number: checksum, byte count, characters
// that are not hexadecimal digits, S5/S6 counts, the termination record, data
// past their type's address space; and remarks, without a fault, on data records
// of mixed widths, a termination record of another width than the data, and a
// count record that is not the last before the termination. Counts the faults
// it finds; invalid records and overlaps are counted by RecordCheck.
class SRecordCheck final : public FaultCheck {
 public:
  explicit SRecordCheck(const ScanEvents& events) : FaultCheck(events) {}

  void OnFormat(FileFormat format) override { active_ = format == FileFormat::SRecord; }
  void OnSRecord(const SRecord& record) override;
  void OnEnd(std::int64_t lines) override;

 private:
  // A record of the file: its type and line; line -1 for none.
  struct Seen {
    std::uint8_t type = 0;
    std::int64_t line = -1;
  };

  void CheckCountLast(const SRecord& record);
  void CheckOrder(const SRecord& record);
  void CheckContent(const SRecord& record);
  void CheckCount(const SRecord& record);
  void CheckAddress(const SRecord& record);
  void CheckWidth(const SRecord& record);
  // Warns "<title> in line: N", then "<record> <relation> <other> in line: M"
  // with each record named by its type, without counting a fault.
  void Remark(std::string_view title, std::int64_t line, std::uint8_t type,
              std::string_view relation, const Seen& other);

  bool active_ = false;       // the file is an S-record file: it needs a termination record
  Seen termination_;          // the first termination record
  Seen firstData_;            // the first data record
  Seen widestData_;           // the first data record of the widest type so far
  bool mixedWidths_ = false;  // data records of another width than the first seen
  Seen lastCount_;            // the count record just before, when it came before the termination
  std::int64_t dataRecords_ = 0;
};

}  // namespace larkspan
