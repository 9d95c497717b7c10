// A run with the listing (as the window runs it) and one without (as the console
// prints the map) count every file's records alike, whichever records the listing
// lists or warns about as unknown types.
#include "session/scan_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace larkspan {
namespace {

struct Counts {
  std::vector<RecordTally::Row> records;
  std::int64_t invalid = 0;
  std::int64_t other = 0;
  std::int64_t faults = 0;

  bool operator==(const Counts&) const = default;
};

Counts CountsOf(const std::string& path, ListingOutput* listing, bool linear) {
  ScanListener frontEnd;
  ScanSession session({.listing = listing, .linear = linear, .check = true, .map = true}, frontEnd);
  session.Run(path);
  const MemoryMap& map = *session.Map();
  return {map.Records().Rows(), map.Records().InvalidRecords(), map.Records().OtherLines(),
          session.Faults().total};
}

TEST(ScanSession, CountsAlikeWithAndWithoutTheListing) {
  const std::filesystem::path data = std::filesystem::path(LARKSPAN_SOURCE_DIR) / "tests/data";
  int files = 0;
  for (const char* folder :
       {"map", "check", "listing", "hostile", "realhex", "srec", "srec-check", "srec-cli"}) {
    for (const auto& file : std::filesystem::directory_iterator(data / folder)) {
      for (const bool linear : {false, true}) {
        DiscardedListing listing;
        EXPECT_EQ(CountsOf(file.path(), &listing, linear), CountsOf(file.path(), nullptr, linear))
            << file.path() << (linear ? " with 32-bit records" : "");
      }
      ++files;
    }
  }
  EXPECT_GT(files, 30);
}

}  // namespace
}  // namespace larkspan
