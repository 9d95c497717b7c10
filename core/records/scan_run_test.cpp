// The events of a scan run: records with their decoded fields and the base in
// force, warnings in line order, progress, file errors and the end. What the
// listing makes of them is pinned by the golden files of tests/data.
#include "records/scan_run.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "recording_view.h"
#include "records/hex_bytes.h"
#include "records/record_format.h"
#include "records/record_memory.h"
#include "support/temp_file.h"

namespace larkspan {
namespace {

using testing::RecordingView;
using testing::TempDir;
using Events = std::vector<std::string>;

// Each record as "line type offset base data": the base as "-", "S<segment>" or
// "L<upper word>", the data bytes in hex; then what NewBase and StartAddress give.
struct RecordLog : ScanListener {
  bool wantsBytes = false;
  std::vector<std::string> records;
  bool WantsBytes() const override { return wantsBytes; }
  void OnRecord(const Record& r) override {
    char text[64];
    std::snprintf(text, sizeof text, "%lld %02X %04X %c%X ", static_cast<long long>(r.line), r.type,
                  r.offset, "-SL"[r.base.kind], r.base.value);
    std::string line(text);
    for (const std::uint8_t byte : r.Data()) {
      std::snprintf(text, sizeof text, "%02X", byte);
      line += text;
    }
    if (const auto base = r.NewBase()) line += " base " + std::to_string(base->value);
    if (const auto entry = r.StartAddress()) line += " entry " + std::to_string(entry->Address());
    records.push_back(line);
  }
};

ScanOutcome RunOn(const std::string& path, std::vector<ScanListener*> listeners) {
  ScanEvents events;
  for (ScanListener* listener : listeners) events.Add(*listener);
  return ScanRun(events).Run(path);
}

TEST(ScanRun, ReportsRecordsWithTheBaseInForceAndBytesWhenAsked) {
  TempDir dir;
  const auto path = dir.Write("a.hex",
                              ":0201000011223A\n:02000002100000\n:03FFFF00AABBCC00\n"
                              ":0200000401FFFA\n:0400000300120034\n:04000005000001FF\n"
                              ":03000002100000\n:020000040G00\n:00000001FF\n");
  for (const bool wantsBytes : {false, true}) {
    RecordLog log;
    log.wantsBytes = wantsBytes;
    EXPECT_EQ(RunOn(path, {&log}), ScanOutcome::Complete);
    // Data bytes only when asked; always for types 02 to 05. A base or entry
    // record without exactly 2 or 4 data bytes sets nothing.
    const std::string data1 = wantsBytes ? "1122" : "", data2 = wantsBytes ? "AABBCC" : "";
    EXPECT_EQ(log.records,
              (Events{"0 00 0100 -0 " + data1, "1 02 0000 -0 1000 base 4096",
                      "2 00 FFFF S1000 " + data2, "3 04 0000 S1000 01FF base 511",
                      "4 03 0000 L1FF 00120034 entry 340", "5 05 0000 L1FF 000001FF entry 511",
                      "6 02 0000 L1FF 100000", "7 04 0000 L1FF ", "8 01 0000 L1FF "}));
  }
}

// The format each file is read in, and what the memory listeners hear of its
// records: bytes at absolute addresses and start addresses, whatever the format.
struct MemoryLog : ScanListener {
  std::vector<std::string> events;
  bool WantsMemory() const override { return true; }
  void OnFormat(FileFormat format) override { events.push_back(std::string(FormatName(format))); }
  void OnSRecord(const SRecord& r) override {
    events.push_back("S" + std::to_string(r.type) + " " + std::to_string(r.address));
  }
  void OnData(std::uint32_t address, std::span<const std::uint8_t> bytes,
              std::int64_t line) override {
    events.push_back("data " + std::to_string(address) + "+" + std::to_string(bytes.size()) +
                     " line " + std::to_string(line));
  }
  void OnEntry(const Entry& entry) override {
    events.push_back("entry " + std::to_string(entry.Address()) + (entry.linear ? " L" : " S"));
  }
  void OnWarning(const Message& message) override { events.push_back(message.title); }
};

TEST(ScanRun, ToldTheFormatByTheFirstLineThatIsNotBlankAndTurnsRecordsIntoMemory) {
  TempDir dir;
  const struct {
    std::string content;
    std::optional<FileFormat> forced;
    Events expected;
  } cases[] = {
      {"", {}, {"ihex"}},
      {"\r\n \t\n:0200000401FFFA\n:01FFFF00AA57\n:0400000300120034\n",
       {},
       {"ihex", "data 33554431+1 line 3", "entry 340 S"}},
      // Segment wrap inside the segment, and one record across 2^32.
      {":020000021000EC\n:02FFFF00AABBDB\n:02000004FFFFFC\n:03FFFF00010203F9\n",
       {},
       {"ihex", "data 131071+1 line 1", "data 65536+1 line 1", "data 4294967295+1 line 3",
        "data 0+2 line 3"}},
      {"\n\nS00600004844521B\nS1051234AABBF6\nS206123456CCDD43\nS309FFFFFFFE01020304F6\n"
       "S5030003F9\nS4030000FC\nSX\nS1zz\nS1020000\nS9031234B6\n",
       {},
       {"srec", "S0 0", "S1 4660", "data 4660+2 line 3", "S2 1193046", "data 1193046+2 line 4",
        "S3 4294967294", "data 4294967294+2 line 5", "data 0+2 line 5", "S5 3", "S4 0",
        "Unknown datatype", "Invalid record", "Invalid record", "Invalid record", "S9 4660",
        "entry 4660 L"}},
      // "S" and a letter is no S-record file; a forced format reads lines of the
      // other as lines that are not records.
      {"Start\nS1051234AABBF6\n", {}, {"ihex"}},
      {":0201000011223A\nS1051234AABBF6\n",
       FileFormat::SRecord,
       {"srec", "S1 4660", "data 4660+2 line 1"}},
  };
  for (const auto& c : cases) {
    MemoryLog log;
    ScanEvents events;
    RecordMemory memory(events, true);
    events.Add(log);
    events.Add(memory);
    EXPECT_EQ(ScanRun(events, c.forced).Run(dir.Write("f", c.content)), ScanOutcome::Complete);
    EXPECT_EQ(log.events, c.expected) << c.content;
  }
}

// Warnings come in line order between the listing lines, while the list fills.
TEST(ScanRun, ListsAndWarnsInLineOrderThenEnds) {
  TempDir dir;
  RecordingView view;
  ScanEvents events;
  Listing listing(events, view);
  events.Add(listing);
  events.Add(view);
  ScanRun(events).Run(dir.Write("a.hex", ":0201000011223A\n:02000004FFFFFC\n:\n:00000001FF\n"));
  EXPECT_EQ(
      view.events,
      (Events{"add:Data record: 0100h: 1122",
              "warning:Unknown datatype: Unknown datatype in line: 1; Datatype: 04; "
              "Line will be ignored.",
              "warning:Invalid record: Invalid record in line: 2; Line will be ignored.",
              "add:End record.", "add: - - - - - - - - ", "add:First address: 100h in line: 0",
              "add:Last address: 100h in line: 0", "end:4"}));
}

TEST(ScanRun, ReportsProgressEvery100LinesAndFileErrorsWithoutAnEnd) {
  TempDir dir;
  RecordingView view;
  RunOn(dir.Write("blank.hex", testing::Repeat("\r\n", 250)), {&view});
  EXPECT_EQ(view.events, (Events{"progress:100", "progress:200", "end:250"}));
  RecordingView failed;
  const auto path = (dir.Path() / "gone.hex").string();
  EXPECT_EQ(RunOn(path, {&failed}), ScanOutcome::FileError);
  EXPECT_EQ(failed.events, (Events{"error:File error: Cannot read file: " + path +
                                   "; No such file or directory"}));
}

// A stop ends the run without an end or a file error: between lines, and while
// it waits for the writer of a named pipe that never comes.
TEST(ScanRun, StopsWhenAskedAlsoWhileWaitingForInput) {
  TempDir dir;
  std::stop_source stop;
  RecordingView view;
  view.onProgress = [&] { stop.request_stop(); };
  ScanEvents events;
  events.Add(view);
  const std::string blank = dir.Write("blank.hex", testing::Repeat("\r\n", 250));
  EXPECT_EQ(ScanRun(events).Run(blank, -1, stop.get_token()), ScanOutcome::Stopped);
  EXPECT_EQ(view.events, (Events{"progress:100"}));
  const std::string pipe = (dir.Path() / "pipe.hex").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::stop_source waiting;
  struct StopWhenIdle : ScanListener {
    std::stop_source* source;
    void OnIdle() override { source->request_stop(); }
  } stopper;
  stopper.source = &waiting;
  ScanEvents pipeEvents;
  pipeEvents.Add(stopper);
  EXPECT_EQ(ScanRun(pipeEvents).Run(pipe, -1, waiting.get_token()), ScanOutcome::Stopped);
}

// The block decoders classify digits as the table of the record format does:
// every character, at every place of a text long enough for each decoder, ends the
// digits there exactly when the table says it is no digit, and a digit's value is
// the table's.
TEST(DecodeHex, AgreesWithTheDigitTableForEveryCharacterAndPlace) {
  constexpr std::size_t kLength = 40;
  for (int c = 0; c < 256; ++c) {
    const char character = static_cast<char>(c);
    const std::uint32_t nibble = format::Nibble(character);
    for (std::size_t at = 0; at < kLength; ++at) {
      std::string text(kLength, '5');
      text[at] = character;
      std::uint8_t bytes[kLength / 2];
      const std::size_t digits = DecodeHex(text, bytes);
      SCOPED_TRACE(::testing::Message() << "character " << c << " at " << at);
      ASSERT_EQ(digits, nibble == format::kNotHex ? at : kLength);
      if (nibble == format::kNotHex) continue;
      const std::uint8_t pair = at % 2 == 0 ? nibble * 16 + 5 : 0x50 + nibble;
      ASSERT_EQ(bytes[at / 2], pair);
    }
  }
}

}  // namespace
}  // namespace larkspan
