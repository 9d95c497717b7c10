// What a scan run reports: the file's format, the records it decoded, the memory
// they write, warnings, progress, file errors and the end of the file, to every
// listener in the order they were added.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "records/addresses.h"
#include "records/file_format.h"
#include "records/message.h"
#include "records/record_format.h"
#include "records/srecord_format.h"

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
  // True for a type 02 to 05 record with the base or start address its type
  // needs; always for the other types.
  bool Usable() const {
    if (format::SetsBase(type)) return NewBase().has_value();
    return !format::GivesStart(type) || StartAddress().has_value();
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

// A line of an S-record file that starts with the start code and whose type is a
// decimal digit and whose byte count and address are hexadecimal digits, with a
// byte count that holds the address and the checksum.
struct SRecord {
  std::int64_t line = 0;  // zero-based line number
  std::uint8_t type = 0;  // 0 to 9
  std::uint8_t count = 0;
  std::uint32_t address = 0;
  // The record's characters as they stand (spaces removed), at most the longest
  // record's; `length` counts all of them.
  std::string_view text;
  std::uint64_t length = 0;
  // The bytes spelled from the byte count on, as far as the characters are
  // hexadecimal digits, and how many characters after the type are. Decoded
  // through the address at least, whole for S0 always and for the others when a
  // listener asks.
  std::span<const std::uint8_t> bytes;
  std::size_t hexDigits = 0;

  std::size_t AddressBytes() const { return srec::kAddressBytes[type]; }
  // The data bytes decoded: as many as the byte count gives and `bytes` holds.
  std::span<const std::uint8_t> Data() const {
    const std::size_t start = 1 + AddressBytes();
    if (bytes.size() <= start) return {};
    return bytes.subspan(start, std::min<std::size_t>(count - start, bytes.size() - start));
  }
};

class ScanListener {
 public:
  virtual ~ScanListener() = default;
  // False when OnRecord and OnSRecord do nothing: the run then skips them. Asked
  // once, when the listener is added.
  virtual bool WantsRecords() const { return true; }
  // True when OnRecord needs the bytes of every record decoded.
  virtual bool WantsBytes() const { return false; }
  // True when the listener hears OnData and OnEntry. Asked once, when added.
  virtual bool WantsMemory() const { return false; }
  // The file's format: once per run, before its first record and its end.
  virtual void OnFormat(FileFormat) {}
  virtual void OnRecord(const Record&) {}
  virtual void OnSRecord(const SRecord&) {}
  // `bytes` land at consecutive addresses from `address`, written by `line`;
  // they never run past address FFFFFFFF.
  virtual void OnData(std::uint32_t /*address*/, std::span<const std::uint8_t> /*bytes*/,
                      std::int64_t /*line*/) {}
  // A start address the file gives.
  virtual void OnEntry(const Entry&) {}
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
  bool WantsMemory() const { return !memoryListeners_.empty(); }

  void Format(FileFormat format) const;
  // Called for every record: inline, and only for the listeners that want it.
  void Record(const larkspan::Record& record) const {
    for (ScanListener* listener : recordListeners_) listener->OnRecord(record);
  }
  void SRecord(const larkspan::SRecord& record) const {
    for (ScanListener* listener : recordListeners_) listener->OnSRecord(record);
  }
  // Called for the bytes a record writes and the start addresses it gives, once
  // the records have been turned into addresses; only for the listeners that want
  // them.
  void Data(std::uint32_t address, std::span<const std::uint8_t> bytes, std::int64_t line) const {
    for (ScanListener* listener : memoryListeners_) listener->OnData(address, bytes, line);
  }
  void Entry(const larkspan::Entry& entry) const {
    for (ScanListener* listener : memoryListeners_) listener->OnEntry(entry);
  }
  void Warn(const Message& message) const;
  void Progress(std::int64_t lines) const;
  void Idle() const;
  void FileError(const Message& message) const;
  void End(std::int64_t lines) const;

 private:
  std::vector<ScanListener*> listeners_;
  std::vector<ScanListener*> recordListeners_;  // those of listeners_ that want records
  std::vector<ScanListener*> memoryListeners_;  // those that want the memory written
};

}  // namespace larkspan
