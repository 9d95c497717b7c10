// The order of a scan run's operations on the listing view. What it lists and
// warns for each kind of record is pinned by the golden files of tests/data.
#include "scan/scan_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "scan/text_file.h"
#include "tests/support/recording_view.h"
#include "tests/support/temp_file.h"

namespace larkspan {
namespace {

using testing::RecordingView;
using testing::TempDir;
using Events = std::vector<std::string>;

ScanOutcome RunOn(RecordingView& view, const std::string& path) {
  FormState form{path};
  const ScanOutcome outcome = ScanRun(view, form).Run();
  EXPECT_EQ(form.FileNumber, FreeFile());
  return outcome;
}

// Warnings come in line order between the listing lines, while the list fills.
TEST(ScanRun, ClearsListsAndWarnsSummarisesThenShowsFocusesAndSelects) {
  TempDir dir;
  RecordingView view;
  EXPECT_EQ(RunOn(view, dir.Write("a.hex", ":0201000011223A\n:02000004FFFFFC\n:\n:00000001FF\n")),
            ScanOutcome::Complete);
  EXPECT_EQ(
      view.events,
      (Events{"clear", "add:Data record: 0100h: 1122",
              "warning:Unknown datatype|Unknown datatype in line: 1\rDatatype: 04\r"
              "Line will be ignored.",
              "warning:Invalid record|Invalid record in line: 2\rLine will be ignored.",
              "add:End record.", "add: - - - - - - - - ", "add:First address: 100h in line: 0",
              "add:Last address: 100h in line: 0", "line:Done", "show", "focus", "select"}));
}

TEST(ScanRun, ShowsProgressAndProcessesEventsEvery100Lines) {
  TempDir dir;
  RecordingView view;
  RunOn(view, dir.Write("blank.hex", testing::Repeat("\r\n", 250)));
  EXPECT_EQ(view.events, (Events{"clear", "line:100", "events", "line:200", "events",
                                 "add: - - - - - - - - ", "line:Done", "show", "focus", "select"}));
}

TEST(ScanRun, QuickLoadHidesTheListAndAFileErrorShowsItAgain) {
  TempDir dir;
  RecordingView view;
  view.quickLoad = true;
  const auto path = (dir.Path() / "gone.hex").string();
  EXPECT_EQ(RunOn(view, path), ScanOutcome::FileError);
  EXPECT_EQ(view.events,
            (Events{"clear", "hide",
                    "error:File error|Cannot read file: " + path + "\rNo such file or directory",
                    "show", "focus"}));
}

TEST(ScanRun, AFileThatShrinksKeepsWhatWasListedAndGivesNoSummary) {
  TempDir dir;
  const auto path = dir.Write("shrinks.hex", testing::Repeat(":00000001FF\r\n", 30000));
  RecordingView view;
  view.onEvents = [&] { std::filesystem::resize_file(path, 100); };
  EXPECT_EQ(RunOn(view, path), ScanOutcome::FileError);
  // Every line ended within the first block stays listed (the last one's line
  // feed falls into the next block); no summary follows.
  const auto listed = view.With("add:");
  EXPECT_EQ(listed.size(), (TextFile::kDefaultBlockSize + 1) / 13);
  EXPECT_EQ(listed.back(), "End record.");
  EXPECT_EQ(Events(view.events.end() - 3, view.events.end()),
            (Events{"error:File error|Cannot read file: " + path +
                        "\rThe file became shorter while it was read",
                    "show", "focus"}));
}

}  // namespace
}  // namespace larkspan
