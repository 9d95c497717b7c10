// What a scan run reports: the records it decoded, warnings, progress, file
// errors and the end of the file, to every listener in the order they were added.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "records/addresses.h"
#include "records/message.h"
#include "records/record_format.h"

namespace larkspan {

// A line that starts with the start code and whose byte count, load offset and
// record type are hexadecimal digits.
struct Record {
  std::int64_t line = 0;  // zero-based line number
  std::uint8_t type = 0;
  std::uint8_t count = 0;    // byte count
  std::uint16_t offset = 0;  // load offset
  // The record's characters as they stand (spaces removed), at most the longest
  // record's; `length` counts all of them.
  std::string_view text;
  std::uint64_t length = 0;
  // The extended segment or linear base in force before this record.
  Base base;
  // The bytes spelled from the byte count on, as far as the characters are
  // hexadecimal digits, and how many characters after the start code are.
  // Decoded for types 02 to 05 always, for the others when a listener asks.
  std::span<const std::uint8_t> bytes;
  std::size_t hexDigits = 0;

  // The data bytes decoded: as many of `count` as `bytes` holds.
  std::span<const std::uint8_t> Data() const {
    using format::kHeaderBytes;
    if (bytes.size() <= kHeaderBytes) return {};
    return bytes.subspan(kHeaderBytes, std::min<std::size_t>(count, bytes.size() - kHeaderBytes));
  }
  // The base a type 02 or 04 record sets: nothing for other types, and for a
  // record without exactly two data bytes.
  std::optional<Base> NewBase() const {
    if (!format::SetsBase(type) || count != format::kBaseBytes ||
        Data().size() != format::kBaseBytes) {
      return std::nullopt;
    }
    return Base{type == format::kExtendedSegment ? Base::kSegment : Base::kLinear, Word(0), line};
  }
  // The start address of a type 03 or 05 record: nothing for other types, and for
  // a record without exactly four data bytes.
  std::optional<Entry> StartAddress() const {
    if (!format::GivesStart(type) || count != format::kStartBytes ||
        Data().size() != format::kStartBytes) {
      return std::nullopt;
    }
    return Entry{type == format::kStartLinear, std::uint32_t{Word(0)} << 16 | Word(2), line};
  }

 private:
  std::uint16_t Word(std::size_t index) const {
    return static_cast<std::uint16_t>(Data()[index] << 8 | Data()[index + 1]);
  }
};

class ScanListener {
 public:
  virtual ~ScanListener() = default;
  // False when OnRecord does nothing: the run then skips it. Asked once, when
  // the listener is added.
  virtual bool WantsRecords() const { return true; }
  // True when OnRecord needs the bytes of every record decoded.
  virtual bool WantsBytes() const { return false; }
  virtual void OnRecord(const Record&) {}
  virtual void OnWarning(const Message&) {}
  // `lines` lines have been read: every 100 lines.
  virtual void OnProgress(std::int64_t /*lines*/) {}
  // The run waits for input, or reads on within a very long line.
  virtual void OnIdle() {}
  // The file cannot be opened or read; the run ends without OnEnd.
  virtual void OnFileError(const Message&) {}
  // The whole file has been read; `lines` is the number of lines.
  virtual void OnEnd(std::int64_t /*lines*/) {}
};

// The listeners of one run. Listeners warn through it, so that every listener,
// the front end among them, sees each warning in the order of the run.
class ScanEvents {
 public:
  void Add(ScanListener& listener);
  bool WantsBytes() const;

  // Called for every record: inline, and only for the listeners that want it.
  void Record(const larkspan::Record& record) const {
    for (ScanListener* listener : recordListeners_) listener->OnRecord(record);
  }
  void Warn(const Message& message) const;
  void Progress(std::int64_t lines) const;
  void Idle() const;
  void FileError(const Message& message) const;
  void End(std::int64_t lines) const;

 private:
  std::vector<ScanListener*> listeners_;
  std::vector<ScanListener*> recordListeners_;  // those of listeners_ that want records
};

}  // namespace larkspan
