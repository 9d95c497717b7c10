#include "text_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "temp_file.h"

namespace larkspan {
namespace {

using testing::TempDir;
using Lines = std::vector<std::string>;

Lines ReadAll(const std::string& path, std::size_t keepLimit, std::size_t blockSize) {
  TextFile file(keepLimit, blockSize);
  EXPECT_TRUE(file.Open(path, FreeFile()));
  Lines lines;
  std::string line;
  while (!file.AtEnd()) {
    EXPECT_TRUE(file.ReadLine(line));
    lines.push_back(line);
  }
  EXPECT_EQ(file.Error(), 0);
  return lines;
}

struct Splitting {
  const char* name;
  std::string bytes;
  Lines lines;
};

void PrintTo(const Splitting& p, std::ostream* os) {
  *os << p.name;
}

// Every case is read with several block sizes, so that terminators, and a carriage
// return followed by a line feed, fall across block boundaries.
class TextFileLines : public ::testing::TestWithParam<Splitting> {};

TEST_P(TextFileLines, SplitsAtEveryKindOfLineEnd) {
  TempDir dir;
  const auto path = dir.Write("lines.txt", GetParam().bytes);
  for (std::size_t blockSize : {1, 2, 3, 7, 64 * 1024}) {
    EXPECT_EQ(ReadAll(path, 64, blockSize), GetParam().lines) << "block size " << blockSize;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextFileLines,
    ::testing::Values(
        Splitting{"Empty", "", {}}, Splitting{"NoTerminator", "abc", {"abc"}},
        Splitting{"CrLf", "ab\r\ncd\r\n", {"ab", "cd"}},
        Splitting{"LfAlone", "ab\ncd\n", {"ab", "cd"}},
        Splitting{"CrAlone", "ab\rcd\r", {"ab", "cd"}},
        Splitting{"LastLineUnterminated", "ab\r\ncd", {"ab", "cd"}},
        Splitting{"CrCrLf", "ab\r\r\ncd", {"ab", "", "cd"}}, Splitting{"LfCr", "\n\r", {"", ""}},
        Splitting{"BlankCrLf", "\r\n\r\n", {"", ""}}, Splitting{"LfLf", "\n\n", {"", ""}},
        Splitting{"SpacesRemoved", "  a b  c \r\n d\r\n", {"abc", "d"}},
        Splitting{"TabsAndControlsStay", "a\tb\x1a\r\n", {"a\tb\x1a"}},
        Splitting{"EightBitBytes", std::string("\0\xff\x80\n", 4), {std::string("\0\xff\x80", 3)}},
        Splitting{
            "OnlyLongestPrefixKept", std::string(100, 'x') + "\ny", {std::string(64, 'x'), "y"}},
        Splitting{"SpacesDoNotCountTowardsLimit",
                  std::string(500, ' ') + std::string(70, 'z'),
                  {std::string(64, 'z')}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextFile, HoldsItsFileNumberWhileOpen) {
  TempDir dir;
  const auto path = dir.Write("a.hex", "x");
  const auto first = FreeFile();
  {
    TextFile file(8);
    ASSERT_TRUE(file.Open(path, first));
    EXPECT_EQ(FreeFile(), first + 1);
    TextFile second(8);
    ASSERT_TRUE(second.Open(path, FreeFile()));
    EXPECT_EQ(FreeFile(), first + 2);
    file.Close();
    EXPECT_EQ(FreeFile(), first);
  }
  EXPECT_EQ(FreeFile(), first);
}

TEST(TextFile, ReportsTheSystemErrorOfAFailedOpen) {
  TempDir dir;
  TextFile file(8);
  EXPECT_FALSE(file.Open((dir.Path() / "missing.hex").string(), FreeFile()));
  EXPECT_EQ(file.Error(), ENOENT);
  EXPECT_TRUE(file.AtEnd());
}

TEST(TextFile, ReportsTheSystemErrorOfAFailedRead) {
  TempDir dir;
  TextFile file(8);
  ASSERT_TRUE(file.Open(dir.Path().string(), FreeFile()));
  EXPECT_TRUE(file.AtEnd());
  EXPECT_EQ(file.Error(), EISDIR);
  std::string line;
  EXPECT_FALSE(file.ReadLine(line));
}

TEST(TextFile, CallsTheLongLineHookWithinALongLine) {
  TempDir dir;
  const auto path = dir.Write("long.txt", std::string(10000, 'A') + "\nshort\n");
  TextFile file(8, 1000);
  int calls = 0;
  file.SetLongLineHook([&] { ++calls; }, 3000);
  ASSERT_TRUE(file.Open(path, FreeFile()));
  std::string line;
  ASSERT_TRUE(file.ReadLine(line));
  EXPECT_EQ(line, "AAAAAAAA");
  EXPECT_EQ(calls, 3);
  ASSERT_TRUE(file.ReadLine(line));
  EXPECT_EQ(calls, 3);
}

TEST(TextFile, ANamedPipeWithoutWriterIsAnEmptyFileNotAHang) {
  TempDir dir;
  const auto path = (dir.Path() / "pipe").string();
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  TextFile file(8);
  ASSERT_TRUE(file.Open(path, FreeFile()));
  EXPECT_TRUE(file.AtEnd());
  EXPECT_EQ(file.Error(), 0);
}

TEST(TextFile, AFileThatShrinksWhileReadIsAReadFailure) {
  TempDir dir;
  const auto path =
      dir.Write("shrinks.hex", std::string(5000, 'x') + "\n" + std::string(5000, 'y'));
  TextFile file(8, 1024);
  ASSERT_TRUE(file.Open(path, FreeFile()));
  std::string line;
  ASSERT_TRUE(file.ReadLine(line));
  std::filesystem::resize_file(path, 6000);
  EXPECT_FALSE(file.ReadLine(line));
  EXPECT_EQ(file.Error(), TextFile::kFileShrank);
  EXPECT_EQ(file.ErrorText(), "The file became shorter while it was read");
}

TEST(TextFile, AFileThatGrowsWhileReadIsReadToItsNewEnd) {
  TempDir dir;
  const auto path = dir.Write("grows.hex", "a\n");
  TextFile file(8);
  ASSERT_TRUE(file.Open(path, FreeFile()));
  std::string line;
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
