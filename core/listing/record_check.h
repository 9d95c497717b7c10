// Integrity checks of the records of a HEX file, done within a scan run.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "records/scan_events.h"

namespace larkspan {

// The kinds of fault the checks count, in the order of the summary.
enum class Fault : std::size_t {
  Checksum,       // the checksum does not match the record
  ByteCount,      // the byte count does not match the characters of the record
  Character,      // a character after the record type is not hexadecimal
  AfterEnd,       // a record other than an end record follows the first end record
  SecondEnd,      // an end record follows the first end record
  NoEnd,          // the file has no end record
  InvalidRecord,  // byte count, load offset, record type or segment not hexadecimal
  Overlap,        // data written again with other values (found with the memory map)
  // S-records only:
  RecordCount,        // an S5/S6 count differs from the data records before it
  AfterTermination,   // a record follows the first termination record (S7, S8, S9)
  SecondTermination,  // a termination record follows the first
  NoTermination,      // the file has no termination record
  AddressOverflow,    // data run past the address space of their record type
};
inline constexpr std::size_t kFaultKinds = 13;

// Names of the fault kinds, as the summary of a checked run shows them.
inline constexpr std::array<std::string_view, kFaultKinds> kFaultNames = {
    "checksum",
    "byte count",
    "non-hex character",
    "record after end",
    "second end record",
    "missing end record",
    "invalid record",
    "overlapping data",
    "record count",
    "record after termination",
    "second termination record",
    "missing termination record",
    "address overflow"};

// The kinds each format's checks find, in the order of the summary.
inline constexpr std::array kIntelHexFaults = {
    Fault::Checksum,  Fault::ByteCount, Fault::Character,     Fault::AfterEnd,
    Fault::SecondEnd, Fault::NoEnd,     Fault::InvalidRecord, Fault::Overlap};
inline constexpr std::array kSRecordFaults = {Fault::Checksum,         Fault::ByteCount,
                                              Fault::Character,        Fault::RecordCount,
                                              Fault::AfterTermination, Fault::SecondTermination,
                                              Fault::NoTermination,    Fault::AddressOverflow,
                                              Fault::InvalidRecord,    Fault::Overlap};

struct FaultCounts {
  std::array<std::int64_t, kFaultKinds> counts{};

  std::int64_t& operator[](Fault fault) { return counts[static_cast<std::size_t>(fault)]; }
  std::int64_t operator[](Fault fault) const { return counts[static_cast<std::size_t>(fault)]; }
  std::int64_t Total() const;
};

// Checks each Intel HEX record of a run and warns about every fault, one warning
// per fault kind and line, with the line number; counts the faults, the invalid
// records and conflicting overlaps of either format among them.
class RecordCheck final : public ScanListener {
 public:
  explicit RecordCheck(const ScanEvents& events) : events_(events) {}

  bool WantsBytes() const override { return true; }
  void OnFormat(FileFormat format) override { intelHex_ = format == FileFormat::IntelHex; }
  void OnRecord(const Record& record) override;
  void OnWarning(const Message& message) override;
  void OnEnd(std::int64_t lines) override;

  const FaultCounts& Faults() const { return faults_; }

 private:
  void CheckOrder(const Record& record);
  void CheckContent(const Record& record);
  void WarnCharacter(const Record& record);
  // Warns "<title> in line: N", then `detail` on a line of its own.
  void Warn(Fault fault, std::string_view title, std::int64_t line, std::string_view detail);

  const ScanEvents& events_;
  FaultCounts faults_;
  bool intelHex_ = true;       // the file is in Intel HEX: it needs an end record
  std::int64_t endLine_ = -1;  // line of the first end record, -1 before it
  std::string text_;
};

}  // namespace larkspan
