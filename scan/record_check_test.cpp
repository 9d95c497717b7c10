// The integrity checks of a scan run, as a table: HEX text in, warnings and fault
// counts out.
#include "record_check.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "recording_view.h"
#include "scan_run.h"
#include "temp_file.h"

namespace larkspan {
namespace {

using testing::RecordingView;

// The longest record: 255 data bytes 00 to FE at offset 1234, then `checksum`.
std::string Longest(const char* checksum) {
  std::string record = ":FF123400";
  char digits[3];
  for (int i = 0; i < 255; ++i) {
    std::snprintf(digits, sizeof digits, "%02X", i);
    record += digits;
  }
  return record + checksum;
}

const std::string kEnd = ":00000001FF\r\n";

struct Case {
  const char* name;
  std::string hex;
  std::vector<std::string> warnings;  // "title|text", '\r' as line break
};

const std::vector<Case> kCases = {
    {"clean, lower case", ":02010000aB1042\r\n" + kEnd, {}},
    {"spaces do not count", " : 02 0100 00 AB10 42\r\n" + kEnd, {}},
    {"longest record", Longest("3A") + "\r\n" + kEnd, {}},
    {"checksum of the longest record",
     Longest("3B") + "\n" + kEnd,
     {"Checksum error|Checksum error in line: 0\rExpected: 3Ah, found: 3Bh"}},
    {"checksum",
     ":020100001122CA\r\n:020100001122CB\r\n" + kEnd,
     {"Checksum error|Checksum error in line: 1\rExpected: CAh, found: CBh"}},
    {"byte count, fewer",
     ":020100001139\r\n" + kEnd,
     {"Byte count mismatch|Byte count mismatch in line: 0\r"
      "Byte count: 02h, record length: 13 characters, expected: 15"}},
    {"byte count, more",
     ":01010000112233C0\r\n" + kEnd,
     {"Byte count mismatch|Byte count mismatch in line: 0\r"
      "Byte count: 01h, record length: 17 characters, expected: 13"}},
    {"byte count, odd",
     ":0101000011E\r\n" + kEnd,
     {"Byte count mismatch|Byte count mismatch in line: 0\r"
      "Byte count: 01h, record length: 12 characters, expected: 13"}},
    {"character in the data, not in the checksum",
     ":020100001x223A\r\n" + kEnd,
     {"Invalid character|Invalid character in line: 0\r"
      "Not hexadecimal: character 78h (x) at position 11"}},
    {"control character in the checksum",
     ":0201000011223\t\r\n" + kEnd,
     {"Invalid character|Invalid character in line: 0\r"
      "Not hexadecimal: character 09h at position 15"}},
    {"after end and second end, not other lines",
     kEnd + "text\r\n:020100001122CA\r\n" + kEnd,
     {"Record after end|Record after end in line: 2\rFirst end record in line: 0",
      "Second end record|Second end record in line: 3\rFirst end record in line: 0"}},
    {"no end record, empty file", "", {"No end record|No end record in the file\rLines read: 0"}},
    {"no end record",
     ":020100001122CA\r\n\r\n",
     {"No end record|No end record in the file\rLines read: 2"}},
    {"invalid records count, unknown types do not",
     ":0G010000\r\n:02000004FFFFFC\r\n" + kEnd,
     {"Invalid record|Invalid record in line: 0\rLine will be ignored.",
      "Unknown datatype|Unknown datatype in line: 1\rDatatype: 04\rLine will be ignored."}},
};

// The fault kind each warning title counts as.
const std::map<std::string, Fault> kKinds = {
    {"Checksum error", Fault::Checksum},     {"Byte count mismatch", Fault::ByteCount},
    {"Invalid character", Fault::Character}, {"Record after end", Fault::AfterEnd},
    {"Second end record", Fault::SecondEnd}, {"No end record", Fault::NoEnd},
    {"Invalid record", Fault::InvalidRecord}};

TEST(RecordCheck, WarnsAndCountsEveryFault) {
  testing::TempDir dir;
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    RecordingView view;
    FormState form{dir.Write("a.hex", c.hex)};
    ScanRun run(view, form, {.check = true});
    ASSERT_EQ(run.Run(), ScanOutcome::Complete);
    const auto warnings = view.With("warning:");
    EXPECT_EQ(warnings, c.warnings);
    FaultCounts expected;
    for (const auto& warning : warnings) {
      const auto kind = kKinds.find(warning.substr(0, warning.find('|')));
      if (kind != kKinds.end()) ++expected[kind->second];
    }
    EXPECT_EQ(run.Faults().counts, expected.counts);
  }
}

// Characters next to the digits, and control and high bytes that some bit tricks
// mistake for digits, in each of the eight places of a block of characters.
TEST(RecordCheck, FindsEveryCharacterThatIsNotADigit) {
  testing::TempDir dir;
  for (const char c : std::string("/:@G`g\x10\x19\x3A\x93\xB0\xC1")) {
    for (std::size_t position = 10; position <= 17; ++position) {
      std::string record = ":040000001122334452\r\n" + kEnd;
      record[position - 1] = c;
      RecordingView view;
      FormState form{dir.Write("a.hex", record)};
      ScanRun run(view, form, {.check = true});
      run.Run();
      EXPECT_EQ(run.Faults().Total(), 1) << static_cast<int>(c) << " at " << position;
      EXPECT_EQ(run.Faults().counts[static_cast<std::size_t>(Fault::Character)], 1);
    }
  }
}

TEST(RecordCheck, AnUncheckedRunCountsNothing) {
  testing::TempDir dir;
  RecordingView view;
  FormState form{dir.Write("a.hex", ":0201000011223B\r\n")};
  ScanRun run(view, form);
  run.Run();
  EXPECT_TRUE(view.With("warning:").empty());
  EXPECT_EQ(run.Faults().Total(), 0);
}

}  // namespace
}  // namespace larkspan
