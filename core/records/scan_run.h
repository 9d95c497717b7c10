// One pass over an Intel HEX or S-record file, reported as events to the run's listeners.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

#include "records/addresses.h"
#include "records/record_format.h"
#include "records/scan_events.h"

namespace larkspan {

class TextFile;

enum class ScanOutcome {
  Complete,   // the whole file was read
  FileError,  // the file could not be opened or read
  Stopped,    // a stop was requested: the run ended without OnFileError or OnEnd
};

// Reads a file line by line, in the format its first line that is not blank
// tells, or in the one it is given. In Intel HEX, every line that starts with the
// start code and has hexadecimal byte count, load offset and record type is
// reported as a record, with the extended segment or linear base in force. In an
// S-record file, every line that starts with `S`, a decimal digit, a hexadecimal
// byte count and address, with a count that holds address and checksum. Any
// other line that starts with the start code brings an "Invalid record" warning;
// other lines are skipped. Every line counts. Progress is reported every 100 lines; idle events
// come every 4 MiB within a very long line and while the run waits for input.
class ScanRun {
 public:
  static constexpr std::int64_t kProgressInterval = 100;

  // `format`: the format to read the file in; none, the file tells.
  explicit ScanRun(const ScanEvents& events, std::optional<FileFormat> format = std::nullopt)
      : events_(events), forced_(format) {}

  // Reads the file at `path`; or, when `fd` is an open descriptor, reads that from
  // where it stands and uses `path` as its name in messages. A stop requested on
  // `stop` ends the run within 100 lines, 4 MiB of a line or a wait for input.
  ScanOutcome Run(const std::string& path, int fd = -1, std::stop_token stop = {});
  // The format the last run read the file in: none before its first line that
  // is not blank.
  std::optional<FileFormat> Format() const { return format_; }

 private:
  void ReadLines(TextFile& file, const std::stop_token& stop);
  void DecideFormat(FileFormat format);
  void Decode(std::string_view line, std::uint64_t length);
  void DecodeSRecord(std::string_view line, std::uint64_t length);

  const ScanEvents& events_;
  std::optional<FileFormat> forced_;
  std::optional<FileFormat> format_;
  char startCode_ = format::kStartCode;
  bool decodeAll_ = false;
  Base base_;
  std::int64_t lineIndex_ = 0;
  // The bytes of the longest record of either format from the byte count on.
  std::array<std::uint8_t, (format::kLongestRecord - 1) / 2> bytes_{};
  static_assert(srec::kLongestRecord <= format::kLongestRecord);
};

}  // namespace larkspan
