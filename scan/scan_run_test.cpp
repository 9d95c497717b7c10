// The order of a scan run's operations on the listing view.
#include "scan_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "recording_view.h"
#include "temp_file.h"
#include "text_file.h"

namespace larkspan {
namespace {

using testing::RecordingView;
using testing::TempDir;
using Events = std::vector<std::string>;

const char kTwoRecords[] = ":0201000011223A\r\n:00000001FF\r\n";

ScanOutcome RunOn(RecordingView& view, const std::string& path) {
  FormState form{path};
  return ScanRun(view, form).Run();
}

TEST(ScanRunOrder, ClearsListsSummarisesThenShowsFocusesAndSelects) {
  TempDir dir;
  RecordingView view;
  EXPECT_EQ(RunOn(view, dir.Write("a.hex", kTwoRecords)), ScanOutcome::Complete);
  EXPECT_EQ(view.events,
            (Events{"clear", "add:Data record: 0100h: 1122", "add:End record.",
                    "add: - - - - - - - - ", "add:First address: 100h in line: 0",
                    "add:Last address: 100h in line: 0", "line:Done", "show", "focus", "select"}));
}

TEST(ScanRunOrder, QuickLoadHidesTheListUntilTheEnd) {
  for (int quick : {1, 2}) {
    TempDir dir;
    RecordingView view;
    view.quickCheck = quick;
    RunOn(view, dir.Write("a.hex", kTwoRecords));
    ASSERT_GE(view.events.size(), 2u);
    EXPECT_EQ(view.events[0], "clear");
    EXPECT_EQ(view.events[1], "hide");
    EXPECT_EQ(Events(view.events.end() - 4, view.events.end()),
              (Events{"line:Done", "show", "focus", "select"}));
  }
}

TEST(ScanRunOrder, ShowsProgressAndProcessesEventsEvery100Lines) {
  TempDir dir;
  std::string bytes;
  for (int i = 0; i < 250; ++i) bytes += "\r\n";
  RecordingView view;
  RunOn(view, dir.Write("blank.hex", bytes));
  EXPECT_EQ(view.events, (Events{"clear", "line:100", "events", "line:200", "events",
                                 "add: - - - - - - - - ", "line:Done", "show", "focus", "select"}));
}

TEST(ScanRunOrder, NoProgressBeforeTheHundredthLine) {
  TempDir dir;
  RecordingView view;
  RunOn(view, dir.Write("short.hex", std::string(99, '\n')));
  EXPECT_TRUE(view.With("line:") == Events{"Done"});
}

TEST(ScanRunOrder, WarningsComeInLineOrderBetweenListingLines) {
  TempDir dir;
  RecordingView view;
  RunOn(view, dir.Write("w.hex", ":0100000011EE\n:02000004FFFFFC\n:\n:00000001FF\n"));
  EXPECT_EQ(Events(view.events.begin(), view.events.begin() + 5),
            (Events{"clear", "add:Data record: 0000h: 11",
                    "warning:Unknown datatype|Unknown datatype in line: 1\rDatatype: 04\r"
                    "Line will be ignored.",
                    "warning:Invalid record|Invalid record in line: 2\rLine will be ignored.",
                    "add:End record."}));
}

TEST(ScanRunOrder, TakesTheNextFreeFileNumberAndReleasesIt) {
  TempDir dir;
  RecordingView view;
  FormState form{dir.Write("a.hex", kTwoRecords)};
  const auto expected = FreeFile();
  int numberDuringRun = 0;
  ScanRun(view, form).Run();
  EXPECT_EQ(form.FileNumber, expected);
  EXPECT_EQ(FreeFile(), expected);
  // While the run reads, the number is taken.
  std::string bytes(100, '\n');
  view.onEvents = [&] { numberDuringRun = FreeFile(); };
  FormState second{dir.Write("b.hex", bytes)};
  ScanRun(view, second).Run();
  EXPECT_EQ(numberDuringRun, expected + 1);
}

TEST(ScanRunFileError, MissingFileShowsTheErrorBoxAndTheList) {
  TempDir dir;
  RecordingView view;
  view.quickCheck = 1;
  const auto path = (dir.Path() / "gone.hex").string();
  EXPECT_EQ(RunOn(view, path), ScanOutcome::FileError);
  EXPECT_EQ(view.events,
            (Events{"clear", "hide",
                    "error:File error|Cannot read file: " + path + "\rNo such file or directory",
                    "show", "focus"}));
}

TEST(ScanRunFileError, AFileThatShrinksKeepsWhatWasListedAndGivesNoSummary) {
  TempDir dir;
  std::string bytes;
  for (int i = 0; i < 30000; ++i) bytes += ":00000001FF\r\n";  // more than one block
  const auto path = dir.Write("shrinks.hex", bytes);
  RecordingView view;
  view.onEvents = [&] { std::filesystem::resize_file(path, 100); };
  FormState form{path};
  EXPECT_EQ(ScanRun(view, form).Run(), ScanOutcome::FileError);
  const auto listed = view.With("add:");
  // Every line ended within the first block stays listed (the last one's line
  // feed falls into the next block); no summary follows.
  EXPECT_EQ(listed.size(), (TextFile::kDefaultBlockSize + 1) / 13);
  EXPECT_EQ(listed.back(), "End record.");
  EXPECT_EQ(Events(view.events.end() - 3, view.events.end()),
            (Events{"error:File error|Cannot read file: " + path +
                        "\rThe file became shorter while it was read",
                    "show", "focus"}));
}

TEST(ScanRunFileError, FolderShowsTheSystemsReason) {
  TempDir dir;
  RecordingView view;
  EXPECT_EQ(RunOn(view, dir.Path().string()), ScanOutcome::FileError);
  EXPECT_EQ(view.With("error:"),
            Events{"File error|Cannot read file: " + dir.Path().string() + "\rIs a directory"});
  EXPECT_TRUE(view.With("add:").empty());
}

}  // namespace
}  // namespace larkspan

namespace larkspan {
namespace {

// Line numbers are not limited to 32 bits: files of billions of lines count on.
TEST(ScanStateWidth, LineNumbersPast32BitsAreKept) {
  ScanState state;
  state.LineIndex = 5'000'000'000;
  state.NoteAddress(0x10);
  state.LineIndex = 6'000'000'000;
  state.NoteAddress(0x20);
  EXPECT_EQ(state.FirstAddress.Line, 5'000'000'000);
  EXPECT_EQ(state.LastAddress.Line, 6'000'000'000);
}

}  // namespace
}  // namespace larkspan
