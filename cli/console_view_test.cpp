#include "console_view.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace larkspan {
namespace {

// A stream in memory; Text() shows what has been flushed to it so far. Listing
// lines and message formats are pinned by the golden files of larkspan-scan.
struct MemoryStream {
  char* data = nullptr;
  std::size_t size = 0;
  std::FILE* file = open_memstream(&data, &size);
  ~MemoryStream() {
    std::fclose(file);
    std::free(data);
  }
  std::string Text() const { return std::string(data, size); }
  std::string Flushed() {
    std::fflush(file);
    return Text();
  }
};

const Message kWarning{MessageKind::Fault, "T", {"w", "x"}};

TEST(ConsoleView, ProgressIsRewrittenInPlaceAndErasedAtTheEnd) {
  MemoryStream out, err;
  {
    ConsoleView view(out.file, err.file, {.showProgress = true, .progressInterval = {}});
    view.OnProgress(900);
    view.OnProgress(1000);
    view.OnWarning(kWarning);
    view.OnProgress(1100);
    view.OnEnd(1100);
  }
  EXPECT_EQ(err.Flushed(),
            "\rReading line: 900"
            "\rReading line: 1000"
            "\r                  \r"
            "T: w; x\n"
            "\rReading line: 1100"
            "\r                  \r");
}

// Progress left on screen is erased when the view ends.
TEST(ConsoleView, ProgressIsRedrawnAtMostOncePerInterval) {
  MemoryStream out, err;
  {
    ConsoleView view(out.file, err.file,
                     {.showProgress = true, .progressInterval = std::chrono::hours(1)});
    view.OnProgress(100);
    view.OnProgress(200);
  }
  EXPECT_EQ(err.Flushed(), "\rReading line: 100\r                 \r");
}

TEST(ConsoleView, SharedTargetFlushesTheListingBeforeMessagesAndProgress) {
  MemoryStream out, err;
  ConsoleView view(out.file, err.file,
                   {.showProgress = true, .sharedTarget = true, .progressInterval = {}});
  view.AddToList("first", LineKind::kPlain, -1);
  view.OnWarning(kWarning);
  EXPECT_EQ(out.Text(), "first\n");
  view.AddToList("second", LineKind::kPlain, -1);
  view.OnProgress(100);
  EXPECT_EQ(out.Text(), "first\nsecond\n");
  // The next listing line first erases the progress line it would overwrite.
  view.AddToList("third", LineKind::kPlain, -1);
  EXPECT_EQ(err.Flushed(), "T: w; x\n\rReading line: 100\r                 \r");
}

}  // namespace
}  // namespace larkspan
