// Where a file's data lands in memory, gathered during its scan run from the
// memory its records write: the image of its data, its entry points, the records
// of each type, and every warning of the run.
#pragma once

#include <cstdint>
#include <vector>

#include "memory/memory_image.h"
#include "records/record_tally.h"
#include "records/scan_events.h"

namespace larkspan {

class MemoryMap final : public ScanListener {
 public:
  // `events` are those of the run the map listens to; with `checkOverlaps` the
  // map warns through them about every conflicting overlap as a fault
  // ("Overlapping data") when the run ends.
  MemoryMap(const ScanEvents& events, bool checkOverlaps)
      : events_(events), checkOverlaps_(checkOverlaps) {}

  bool WantsRecords() const override { return false; }
  bool WantsMemory() const override { return true; }
  void OnData(std::uint32_t address, std::span<const std::uint8_t> bytes,
              std::int64_t line) override {
    image_.Add(address, bytes, line);
  }
  void OnEntry(const Entry& entry) override { entries_.push_back(entry); }
  void OnWarning(const Message& message) override { warnings_.push_back(message); }
  void OnFileError(const Message& message) override { warnings_.push_back(message); }
  void OnEnd(std::int64_t lines) override;

  // The image, complete once the run has ended.
  const MemoryImage& Image() const { return image_; }
  const std::vector<Entry>& Entries() const { return entries_; }
  // The records of the run: the session has them counted beside the map.
  RecordTally& Records() { return records_; }
  const RecordTally& Records() const { return records_; }
  // Every warning and file error of the run.
  const std::vector<Message>& Warnings() const { return warnings_; }
  // True when the whole file was read.
  bool Complete() const { return complete_; }

 private:
  void WarnOverlaps();

  const ScanEvents& events_;
  bool checkOverlaps_;
  MemoryImage image_;
  std::vector<Entry> entries_;
  RecordTally records_;
  std::vector<Message> warnings_;
  bool complete_ = false;
};

}  // namespace larkspan
