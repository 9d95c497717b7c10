// Every input that ever troubled the fuzzer, and every test file, through the same
// checks as in the fuzzer.
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

}  // namespace
}  // namespace larkspan::testing
