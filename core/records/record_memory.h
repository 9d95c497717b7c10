// Turns the records of either format into the memory they write: the data bytes
// at their absolute addresses and the start addresses, reported through the
// run's events to the listeners that want memory. The memory listeners thus see
// no record format at all.
#pragma once

#include <cstdint>

#include "records/scan_events.h"

namespace larkspan {

class RecordMemory final : public ScanListener {
 public:
  // `events` are those of the run; with `warnUnknownTypes`, record types that
  // are not defined bring an "Unknown datatype" warning (when nothing else warns
  // about them). An Intel HEX type 02 to 05 record without the right byte count
  // is an invalid record: warned about here, unless it was warned about already,
  // as the listing does when its fields are not hexadecimal.
  RecordMemory(const ScanEvents& events, bool warnUnknownTypes)
      : events_(events), warnUnknownTypes_(warnUnknownTypes) {}

  bool WantsBytes() const override { return true; }
  void OnRecord(const Record& record) override;
  void OnSRecord(const SRecord& record) override;
  void OnWarning(const Message& message) override;

 private:
  void AddData(const Record& record) const;
  void AddData(std::uint32_t address, std::span<const std::uint8_t> data, std::int64_t line) const;

  const ScanEvents& events_;
  bool warnUnknownTypes_;
  std::int64_t invalidLine_ = -1;  // of the last invalid record
};

}  // namespace larkspan
