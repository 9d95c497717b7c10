// Integrity checks of the records of a HEX file, done within a scan run.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "scan/listing_view.h"

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
};
inline constexpr std::size_t kFaultKinds = 7;

// Names of the fault kinds, as the summary of a checked run shows them.
inline constexpr std::array<std::string_view, kFaultKinds> kFaultNames = {
    "checksum",          "byte count",         "non-hex character", "record after end",
    "second end record", "missing end record", "invalid record"};

struct FaultCounts {
  std::array<std::int64_t, kFaultKinds> counts{};

  std::int64_t& operator[](Fault fault) { return counts[static_cast<std::size_t>(fault)]; }
  std::int64_t Total() const;
};

// Checks each record that the run decodes and warns through the view about every
// fault, one warning per fault kind and line, with the line number.
class RecordCheck {
 public:
  // Record length: start code, byte count, offset, type (9) and checksum (2),
  // besides the data.
  static constexpr std::size_t kFrameCharacters = 11;
  // The longest record: 255 data bytes. A longer line is a byte-count fault.
  static constexpr std::size_t kLongestRecord = kFrameCharacters + 2 * 255;

  explicit RecordCheck(ListingView& view) : view_(view) {}

  // A record whose byte count, load offset and type fields are hexadecimal.
  // `line` holds its first characters (spaces removed), `length` counts them all.
  void Record(std::string_view line, std::uint64_t length, std::int32_t type,
              std::int64_t lineIndex);
  void Invalid() { ++faults_[Fault::InvalidRecord]; }
  // After the last line; `lines` is the number of lines read.
  void Finish(std::int64_t lines);

  const FaultCounts& Faults() const { return faults_; }

 private:
  void CheckOrder(std::int32_t type, std::int64_t lineIndex);
  void CheckContent(std::string_view line, std::uint64_t length, std::int64_t lineIndex);
  // Warns about the first character after the record type that is not a digit.
  void WarnCharacter(std::string_view line, std::int64_t lineIndex);
  // Warns "<title> in line: N", then `detail` on a line of its own.
  void Warn(Fault fault, std::string_view title, std::int64_t lineIndex, std::string_view detail);

  ListingView& view_;
  FaultCounts faults_;
  std::int64_t endLine_ = -1;  // line of the first end record, -1 before it
  std::string text_;
};

}  // namespace larkspan
