// Every input that ever troubled the fuzzer, and the fuzzer's seeds, through the
// same checks as in the fuzzer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "run_check.h"

namespace larkspan::testing {
namespace {

TEST(FuzzRegressions, EveryKeptInputScansConsistently) {
  int files = 0;
  for (const char* folder : {LARKSPAN_FUZZ_REGRESSIONS, LARKSPAN_TEST_DATA}) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
      if (!entry.is_regular_file() || entry.path().filename() == "SOURCES.txt") continue;
      std::ifstream in(entry.path(), std::ios::binary);
      std::stringstream bytes;
      bytes << in.rdbuf();
      const auto problems = CheckScan(entry.path().string(), bytes.str());
      EXPECT_TRUE(problems.empty()) << entry.path() << ": " << problems.front();
      ++files;
    }
  }
  EXPECT_GE(files, 10);
}

TEST(FuzzRegressions, TheChecksFindAWrongSummary) {
  RecordingView view;
  for (const char* event :
       {"clear", "add:Data record: 0010h: AB", "add:Data record: 0020h: CD",
        "add: - - - - - - - - ", "add:First address: 20h in line: 0",
        "add:Last address: 20h in line: 1", "line:Done", "show", "focus", "select"}) {
    view.events.emplace_back(event);
  }
  const auto problems = CheckEvents(view, ScanOutcome::Complete, 2);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0], "summary line 0 is not First address: ...");
}

TEST(FuzzRegressions, TheChecksCountLinesByTheReadingRule) {
  EXPECT_EQ(CountLines(""), 0);
  EXPECT_EQ(CountLines("a"), 1);
  EXPECT_EQ(CountLines("a\r\nb\rc\nd"), 4);
  EXPECT_EQ(CountLines("\r\n\r\n"), 2);
  EXPECT_EQ(CountLines("\n\r"), 2);
}

}  // namespace
}  // namespace larkspan::testing
