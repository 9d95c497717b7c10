// The faults the record checks of both formats count, and what their checks
// share: the counts, the warnings, and the checks of a record's byte count,
// characters and checksum.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
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

// A check of one format's records: counts the faults it finds and warns about
// each, one warning per fault kind and line, with the line number.
class FaultCheck : public ScanListener {
 public:
  bool WantsBytes() const override { return true; }

  const FaultCounts& Faults() const { return faults_; }

 protected:
  explicit FaultCheck(const ScanEvents& events) : events_(events) {}

  // A record as the content checks of either format see it.
  struct Content {
    std::int64_t line = 0;
    std::uint8_t count = 0;  // the byte count the record states
    // The record's characters as they stand (at most the longest record's), how
    // many there are, and how many the byte count calls for.
    std::string_view text;
    std::uint64_t length = 0;
    std::uint64_t expected = 0;
    // The index in `text` of the first character that is not a hexadecimal
    // digit; text.size() when there is none.
    std::size_t firstOther = 0;
    // The bytes from the byte count on, the checksum last, and what they sum to,
    // modulo 256, when the checksum is right.
    std::span<const std::uint8_t> bytes;
    std::uint8_t sum = 0;
  };
  // Warns when the byte count does not match the record's characters; then about
  // the first character that is not a hexadecimal digit, or, when there is none
  // and the byte count matches, about a wrong checksum.
  void CheckContent(const Content& record);

  // Counts `fault` and warns "<title> in line: N", then `detail` on a line of its
  // own.
  void Warn(Fault fault, std::string_view title, std::int64_t line, std::string_view detail);
  // Counts `fault` and warns "<title> in line: N", "First <what> in line: M":
  // a record that follows the first record `what` in line M.
  void WarnAfter(Fault fault, std::string_view title, std::int64_t line, std::string_view what,
                 std::int64_t first);
  // Counts `fault` and warns "<title> in the file", "Lines read: N": a record
  // the file lacks.
  void WarnMissing(Fault fault, std::string_view title, std::int64_t lines);

  const ScanEvents& events_;
  FaultCounts faults_;
  std::string text_;  // the text of the warning being made

 private:
  void WarnCharacter(const Content& record);
};

// Appends `value` (0 to 255) as two upper-case hexadecimal digits and "h".
void AppendByte(std::string& out, std::uint32_t value);

}  // namespace larkspan
