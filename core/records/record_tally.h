// How many records of each type a file holds, in its format, with its invalid
// records and the lines that are neither.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/scan_events.h"

namespace larkspan {

class RecordTally final : public ScanListener {
 public:
  // Every defined record type of the file's format, then the other types that
  // occur.
  struct Row {
    std::string type;       // as records of the format name it: "00", "S1"
    std::string_view name;  // empty for a type that is not defined
    std::int64_t count = 0;

    bool operator==(const Row&) const = default;
  };

  void OnFormat(FileFormat format) override { format_ = format; }
  void OnRecord(const Record& record) override;
  void OnSRecord(const SRecord& record) override;
  void OnWarning(const Message& message) override;
  void OnEnd(std::int64_t lines) override { lines_ = lines; }

  FileFormat Format() const { return format_; }
  // The text of an S-record file's first header record (HeaderText); none
  // without one.
  const std::optional<std::string>& Header() const { return header_; }
  std::vector<Row> Rows() const;
  std::int64_t InvalidRecords() const { return invalid_; }
  std::int64_t Lines() const { return lines_; }
  // Lines that are neither records nor invalid records.
  std::int64_t OtherLines() const;

 private:
  FileFormat format_ = FileFormat::IntelHex;
  // Records of each type; an Intel HEX type 02 to 05 record counts only with
  // the byte count its type needs.
  std::array<std::int64_t, 256> counts_{};
  std::int64_t invalid_ = 0;
  std::int64_t lines_ = 0;
  std::optional<std::string> header_;
};

}  // namespace larkspan
