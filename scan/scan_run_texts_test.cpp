// What a scan run lists and warns for small files: one table row per behaviour.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "recording_view.h"
#include "scan_run.h"
#include "temp_file.h"

namespace larkspan {
namespace {

using testing::RecordingView;
using testing::TempDir;
using Texts = std::vector<std::string>;

const std::string kSep = " - - - - - - - - ";

std::string Unknown(int line, const std::string& type) {
  return "Unknown datatype|Unknown datatype in line: " + std::to_string(line) +
         "\rDatatype: " + type + "\rLine will be ignored.";
}
std::string Invalid(int line) {
  return "Invalid record|Invalid record in line: " + std::to_string(line) +
         "\rLine will be ignored.";
}

struct Listing {
  const char* name;
  std::string bytes;
  Texts list;
  Texts warnings = {};

  void PrintTo(const Listing& p, std::ostream* os) { *os << p.name; }
};

class ScanRunListing : public ::testing::TestWithParam<Listing> {};

std::string NameOf(const ::testing::TestParamInfo<Listing>& info) {
  return info.param.name;
}

TEST_P(ScanRunListing, ListsAndWarnsAsExpected) {
  TempDir dir;
  RecordingView view;
  FormState form{dir.Write("in.hex", GetParam().bytes)};
  EXPECT_EQ(ScanRun(view, form).Run(), ScanOutcome::Complete);
  EXPECT_EQ(view.With("add:"), GetParam().list);
  EXPECT_EQ(view.With("warning:"), GetParam().warnings);
}

INSTANTIATE_TEST_SUITE_P(
    Records, ScanRunListing,
    ::testing::Values(
        Listing{"ThreeLines",
                ":10010000214601360121470136007EFE09D2190140\r\n"
                ":100110002146017E17C20001FF5F16002148011928\r\n:00000001FF\r\n",
                {"Data record: 0100h: 214601360121470136007EFE09D21901",
                 "Data record: 0110h: 2146017E17C20001FF5F160021480119", "End record.", kSep,
                 "First address: 100h in line: 0", "Last address: 110h in line: 1"}},
        Listing{"EmptyFileListsOnlyTheSeparator", "", {kSep}},
        Listing{"SpacesAnywhere",
                "  : 03 0010 00 AA BB CC 8D\r\n",
                {"Data record: 0010h: AABBCC", kSep, "First address: 10h in line: 0",
                 "Last address: 10h in line: 0"}},
        Listing{"EqualValuesKeepTheEarliestLine",
                ":01010000AA54\r\n:01000000BB44\r\n:01010000CC32\r\n",
                {"Data record: 0100h: AA", "Data record: 0000h: BB", "Data record: 0100h: CC", kSep,
                 "First address: 0h in line: 1", "Last address: 100h in line: 0"}},
        Listing{"OnlyRecordAtFFFF",
                "\r\n:01FFFF00AA57\r\n",
                {"Data record: FFFFh: AA", kSep, "First address: FFFFh in line: 1",
                 "Last address: FFFFh in line: 1"}},
        Listing{"OnlyRecordAtZero",
                "\r\n\r\n:0100000011EE\r\n",
                {"Data record: 0000h: 11", kSep, "First address: 0h in line: 2",
                 "Last address: 0h in line: 2"}},
        Listing{"ExtendedSegments",
                ":020000022000DC\r\n:020000021000EC\r\n:020000022000DC\r\n:02000002F000FC\r\n",
                {"Extended address: 20000h", "Extended address: 10000h", "Extended address: 20000h",
                 "Extended address: F0000h", kSep, "First Extended address: 10000h in line: 1",
                 "Last Extended address: F0000h in line: 3"}},
        Listing{"ExtendedAndDataAreTrackedApart",
                ":020000021000EC\r\n:0100200011CE\r\n",
                {"Extended address: 10000h", "Data record: 0020h: 11", kSep,
                 "First address: 20h in line: 1", "Last address: 20h in line: 1",
                 "First Extended address: 10000h in line: 0",
                 "Last Extended address: 10000h in line: 0"}},
        Listing{"StartRecord", ":040000030000C00039\r\n", {"Start record: 0000h: C0 00", kSep}},
        Listing{"StartRecordFieldsAsTheyStand",
                ":0000000312\r\n:000000033G4\r\n",
                {"Start record: 12h:  ", "Start record: 3G4h:  ", kSep}},
        Listing{"RecordsAfterTheEndRecord",
                ":00000001FF\r\n:0100000011EE\r\n",
                {"End record.", "Data record: 0000h: 11", kSep, "First address: 0h in line: 1",
                 "Last address: 0h in line: 1"}},
        Listing{"UnknownTypes",
                ":02000004FFFFFC\r\n:04000005000000CD2A\r\n:0000008100\r\n",
                {kSep},
                {Unknown(0, "04"), Unknown(1, "05"), Unknown(2, "81")}},
        Listing{"LowerCaseDigits",
                ":02ff0000aabb98\r\n:020000021a00e2\r\n:0000000a00\r\n",
                {"Data record: ff00h: aabb", "Extended address: 1a000h", kSep,
                 "First address: FF00h in line: 0", "Last address: FF00h in line: 0",
                 "First Extended address: 1A000h in line: 1",
                 "Last Extended address: 1A000h in line: 1"},
                {Unknown(2, "0a")}},
        Listing{"DataShownAsItStands",
                ":04000000ZZ\x01\xe9\r\n:10001000AABB\r\n",
                {"Data record: 0000h: ZZ\x01\xe9", "Data record: 0010h: AABB", kSep,
                 "First address: 0h in line: 0", "Last address: 10h in line: 1"}},
        Listing{"LinesThatAreNotRecordsStillCount",
                "hello\r\n\r\n\t:00000001FF\r\n:01\r\n",
                {kSep},
                {Invalid(3)}}),
    NameOf);

// A line that starts with a colon but whose fields cannot be decoded is reported
// and skipped, and changes no tracker.
INSTANTIATE_TEST_SUITE_P(
    InvalidRecords, ScanRunListing,
    ::testing::Values(Listing{"ColonAlone", ":\r\n", {kSep}, {Invalid(0)}},
                      Listing{"CountBelowDigitZero", ":/1000000\r\n", {kSep}, {Invalid(0)}},
                      Listing{"CountNotHex", ":G1000000\r\n", {kSep}, {Invalid(0)}},
                      Listing{"OffsetShort", ":100\r\n", {kSep}, {Invalid(0)}},
                      Listing{"OffsetNotHex", ":0100X00011\r\n", {kSep}, {Invalid(0)}},
                      Listing{"TypeMissing", ":010000\r\n", {kSep}, {Invalid(0)}},
                      Listing{"TypeHalf", ":0100000\r\n", {kSep}, {Invalid(0)}},
                      Listing{"TypeNotHex", ":010000-1\r\n", {kSep}, {Invalid(0)}},
                      Listing{"SegmentShort", ":02000002100\r\n", {kSep}, {Invalid(0)}},
                      Listing{"SegmentNotHex", ":0200000210G0\r\n", {kSep}, {Invalid(0)}},
                      Listing{"TabInsideFields",
                              ":01\t0000\r\n:0100000011EE\r\n",
                              {"Data record: 0000h: 11", kSep, "First address: 0h in line: 1",
                               "Last address: 0h in line: 1"},
                              {Invalid(0)}}),
    NameOf);

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    LineEndsAndLengths, ScanRunListing,
    ::testing::Values(Listing{"LineFeedAlone",
                              ":0100000011EE\n:0100010022DC\n:00000001FF\n",
                              {"Data record: 0000h: 11", "Data record: 0001h: 22", "End record.",
                               kSep, "First address: 0h in line: 0",
                               "Last address: 1h in line: 1"}},
                      Listing{"CarriageReturnAlone",
                              ":0100000011EE\r:00000001FF",
                              {"Data record: 0000h: 11", "End record.", kSep,
                               "First address: 0h in line: 0", "Last address: 0h in line: 0"}},
                      Listing{"MixedEnds",
                              ":00000001FF\r\n\n:00000001FF\r\r:00000001FF",
                              {"End record.", "End record.", "End record.", kSep}},
                      Listing{"CountLargerThanData",
                              ":FF000000ABCD\r\n",
                              {"Data record: 0000h: ABCD", kSep, "First address: 0h in line: 0",
                               "Last address: 0h in line: 0"}},
                      Listing{"LongestDataShown",
                              ":FF000000" + Repeat("0123456789", 60) + "\r\n",
                              {"Data record: 0000h: " + Repeat("0123456789", 51), kSep,
                               "First address: 0h in line: 0", "Last address: 0h in line: 0"}},
                      Listing{"SpacesDoNotCountTowardsTheShownData",
                              ":02" + std::string(100000, ' ') + "0000 00 AB CD\r\n",
                              {"Data record: 0000h: ABCD", kSep, "First address: 0h in line: 0",
                               "Last address: 0h in line: 0"}}),
    NameOf);

}  // namespace
}  // namespace larkspan
