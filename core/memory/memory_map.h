// Where a file's data lands in memory, gathered during its scan run: the image of
// its data, its entry points, the number of records of each type, and every
// warning of the run.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "memory/memory_image.h"
#include "records/scan_events.h"

namespace larkspan {

class MemoryMap final : public ScanListener {
 public:
  struct Options {
    // Warn about record types the map does not know: when nothing else warns
    // about them.
    bool warnUnknownTypes = true;
    // Warn about every conflicting overlap as a fault ("Overlapping data").
    bool checkOverlaps = false;
  };

  // `events` are those of the run the map listens to; the map warns through them
  // during the run only. A type 02 to 05 record without the right byte count is
  // an invalid record: the map warns about it, unless it was warned about as one
  // already, as the listing does when its fields are not hexadecimal.
  MemoryMap(const ScanEvents& events, Options options) : events_(events), options_(options) {}

  bool WantsBytes() const override { return true; }
  void OnRecord(const Record& record) override;
  void OnWarning(const Message& message) override;
  void OnFileError(const Message& message) override { warnings_.push_back(message); }
  void OnEnd(std::int64_t lines) override;

  // The image, complete once the run has ended.
  const MemoryImage& Image() const { return image_; }
  const std::vector<Entry>& Entries() const { return entries_; }
  // Records of each type, those with a usable byte count for types 02 to 05.
  const std::array<std::int64_t, 256>& RecordCounts() const { return records_; }
  std::int64_t InvalidRecords() const { return invalid_; }
  std::int64_t Lines() const { return lines_; }
  // Lines that are neither records nor invalid records.
  std::int64_t OtherLines() const;
  // Every warning and file error of the run.
  const std::vector<Message>& Warnings() const { return warnings_; }
  // True when the whole file was read.
  bool Complete() const { return complete_; }

 private:
  void AddData(const Record& record);
  void Unusable(const Record& record);
  void WarnOverlaps();

  const ScanEvents& events_;
  Options options_;
  MemoryImage image_;
  std::vector<Entry> entries_;
  std::array<std::int64_t, 256> records_{};
  std::int64_t invalid_ = 0;
  std::int64_t lines_ = 0;
  std::vector<Message> warnings_;
  std::int64_t invalidLine_ = -1;  // of the last invalid record
  bool complete_ = false;
};

}  // namespace larkspan
