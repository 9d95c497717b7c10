#include "console_view.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace larkspan {
namespace {

// A stream in memory; Text() shows what has been flushed to it so far.
class MemoryStream {
 public:
  MemoryStream() : stream_(open_memstream(&data_, &size_)) {}
  ~MemoryStream() {
    std::fclose(stream_);
    std::free(data_);
  }
  std::FILE* Get() const { return stream_; }
  std::string Text() const { return std::string(data_, size_); }
  std::string Flushed() {
    std::fflush(stream_);
    return Text();
  }

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* stream_;
};

TEST(ConsoleView, WritesListingLinesAndOneLineMessages) {
  MemoryStream out, err;
  {
    ConsoleView view(out.Get(), err.Get(), {});
    view.AddToList("Data record: 0100h: AB");
    view.WarningBox("Unknown datatype in line: 0\rDatatype: 04\rLine will be ignored.",
                    "Unknown datatype");
    view.AddToList(std::string("\xe9\0", 2));
    view.SetLineText("100");
    view.ErrorBox("Cannot read file: /x<b>\rIs a directory", "File error");
  }
  EXPECT_EQ(out.Flushed(), std::string("Data record: 0100h: AB\n\xe9\0\n", 26));
  EXPECT_EQ(err.Flushed(),
            "Unknown datatype: Unknown datatype in line: 0; Datatype: 04; Line will be ignored.\n"
            "File error: Cannot read file: /x<b>; Is a directory\n");
}

TEST(ConsoleView, ProgressIsRewrittenInPlaceAndErasedAtTheEnd) {
  MemoryStream out, err;
  {
    ConsoleView view(out.Get(), err.Get(), {.showProgress = true, .progressInterval = {}});
    view.SetLineText("900");
    view.SetLineText("1000");
    view.WarningBox("w", "T");
    view.SetLineText("1100");
    view.SetLineText("Done");
  }
  EXPECT_EQ(err.Flushed(),
            "\rReading line: 900"
            "\rReading line: 1000"
            "\r                  \r"
            "T: w\n"
            "\rReading line: 1100"
            "\r                  \r");
}

// Progress left on screen is erased when the view ends.
TEST(ConsoleView, ProgressIsRedrawnAtMostOncePerInterval) {
  MemoryStream out, err;
  {
    ConsoleView view(out.Get(), err.Get(),
                     {.showProgress = true, .progressInterval = std::chrono::hours(1)});
    view.SetLineText("100");
    view.SetLineText("200");
  }
  EXPECT_EQ(err.Flushed(), "\rReading line: 100\r                 \r");
}

TEST(ConsoleView, SharedTargetFlushesTheListingBeforeMessagesAndProgress) {
  MemoryStream out, err;
  ConsoleView view(out.Get(), err.Get(),
                   {.showProgress = true, .sharedTarget = true, .progressInterval = {}});
  view.AddToList("first");
  view.WarningBox("w", "T");
  EXPECT_EQ(out.Text(), "first\n");
  view.AddToList("second");
  view.SetLineText("100");
  EXPECT_EQ(out.Text(), "first\nsecond\n");
  // The next listing line first erases the progress line it would overwrite.
  view.AddToList("third");
  EXPECT_EQ(err.Flushed(), "T: w\n\rReading line: 100\r                 \r");
}

}  // namespace
}  // namespace larkspan
