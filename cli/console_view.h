// The listing view of the console front end: listing lines on one stream,
// warnings, errors and progress on another.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "listing/listing.h"
#include "records/scan_events.h"
#include "session/scan_session.h"

namespace larkspan {

class ConsoleView final : public ListingOutput, public ScanListener {
 public:
  struct Options {
    // Show "Reading line: N" on the message stream, rewritten in place.
    bool showProgress = false;
    // Both streams end up in the same place (a terminal, or 2>&1): pending listing
    // lines are flushed before anything is written to the message stream, so
    // that the order of the run stays visible.
    bool sharedTarget = false;
    // The progress line is redrawn at most this often; counts in between are
    // skipped, as no one could read them anyway.
    std::chrono::milliseconds progressInterval{50};
  };

  ConsoleView(std::FILE* listing, std::FILE* messages, Options options);
  ~ConsoleView() override;
  ConsoleView(const ConsoleView&) = delete;
  ConsoleView& operator=(const ConsoleView&) = delete;

  void AddToList(std::string_view text, LineKind kind, std::int64_t line) override;
  bool WantsRecords() const override { return false; }
  void OnWarning(const Message& message) override { WriteMessage(message); }
  void OnFileError(const Message& message) override { WriteMessage(message); }
  void OnProgress(std::int64_t lines) override;
  void OnEnd(std::int64_t /*lines*/) override { EraseProgress(); }

 private:
  // One line "title: text", the lines of the text joined by "; ".
  void WriteMessage(const Message& message);
  void PrepareMessageStream();
  void EraseProgress() {
    if (progressWidth_ != 0) ErasePendingProgress();
  }
  void ErasePendingProgress();
  // Writes the listing lines gathered so far to the listing stream.
  void FlushListing();

  // Listing lines are gathered and written in blocks of about this many bytes.
  static constexpr std::size_t kListingBufferSize = 64 * 1024;

  std::FILE* listing_;
  std::FILE* messages_;
  Options options_;
  std::size_t progressWidth_ = 0;  // characters of the progress line on screen
  std::chrono::steady_clock::time_point lastProgress_{};
  std::unique_ptr<char[]> pending_;  // listing lines not yet written
  std::size_t pendingSize_ = 0;
};

// "larkspan-scan: check: NAME: faults N (checksum N, byte count N, ...)".
void WriteFaults(std::FILE* out, const std::string& name, const FaultReport& faults);

}  // namespace larkspan
