#include "records/text_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/temp_file.h"

namespace larkspan {
namespace {

using testing::TempDir;
using Lines = std::vector<std::string>;

Lines ReadAll(const std::string& path, std::size_t blockSize) {
  TextFile file(64, blockSize);
  EXPECT_TRUE(file.Open(path));
  Lines lines;
  std::string_view line;
  while (!file.AtEnd() && file.ReadLine(line)) lines.emplace_back(line);
  EXPECT_EQ(file.Error(), 0);
  return lines;
}

// Every case is read with several block sizes, so that terminators, and a carriage
// return followed by a line feed, fall across block boundaries. At most 64
// characters of a line are kept, and spaces do not count towards them.
TEST(TextFile, SplitsAtEveryKindOfLineEndAndRemovesSpaces) {
  const struct {
    std::string bytes;
    Lines lines;
  } kTable[] = {// clang-format off
      {"", {}}, {"abc", {"abc"}}, {"ab\r\ncd\r\n", {"ab", "cd"}}, {"ab\ncd\n", {"ab", "cd"}},
      {"ab\rcd\r", {"ab", "cd"}}, {"ab\r\ncd", {"ab", "cd"}}, {"ab\r\r\ncd", {"ab", "", "cd"}},
      {"\n\r", {"", ""}}, {"\r\n\r\n", {"", ""}}, {"\n\n", {"", ""}},
      {"  a b  c \r\n d\r\n", {"abc", "d"}}, {"a\tb\x1a\r\n", {"a\tb\x1a"}},
      {std::string("\0\xff\x80\n", 4), {std::string("\0\xff\x80", 3)}},
      {std::string(100, 'x') + "\ny", {std::string(64, 'x'), "y"}},
      {std::string(500, ' ') + std::string(70, 'z'), {std::string(64, 'z')}}};
  // clang-format on
  TempDir dir;
  for (const auto& [bytes, lines] : kTable) {
    const auto path = dir.Write("lines.txt", bytes);
    for (std::size_t blockSize : {1, 2, 3, 7, 64 * 1024}) {
      EXPECT_EQ(ReadAll(path, blockSize), lines)
          << ::testing::PrintToString(bytes.substr(0, 16)) << ", block size " << blockSize;
    }
  }
}

TEST(TextFile, CallsTheIdleHookWithinALongLine) {
  TempDir dir;
  TextFile file(8, 1000);
  int calls = 0;
  file.SetIdleHook([&] { ++calls; }, 3000);
  ASSERT_TRUE(file.Open(dir.Write("long.txt", std::string(10000, 'A') + "\nshort\n")));
  std::string_view line;
  ASSERT_TRUE(file.ReadLine(line));
  EXPECT_EQ(line, "AAAAAAAA");
  EXPECT_EQ(calls, 3);
  ASSERT_TRUE(file.ReadLine(line));
  EXPECT_EQ(calls, 3);
}

TEST(TextFile, AFileThatGrowsWhileReadIsReadToItsNewEnd) {
  TempDir dir;
  const auto path = dir.Write("grows.hex", "a\n");
  TextFile file(8);
  ASSERT_TRUE(file.Open(path));
  std::string_view line;
  ASSERT_TRUE(file.ReadLine(line));
  std::ofstream(path, std::ios::app) << "b\n";
  ASSERT_FALSE(file.AtEnd());
  ASSERT_TRUE(file.ReadLine(line));
  EXPECT_EQ(line, "b");
  EXPECT_TRUE(file.AtEnd());
  EXPECT_EQ(file.Error(), 0);
}

}  // namespace
}  // namespace larkspan
