// The scan run's listing and events on the window it lists into.
//
// Around the run, the window clears the list and hides it for a quick load. After
// a whole file it shows "Done", then shows the list, gives it the focus and selects
// its first entry, which shows 0 in the indicator; after a failed run it shows the
// list and the index of its selected entry. Until the first count the indicator
// keeps what it showed.
//
// The run reports progress every 100 lines. Processing pending events costs a
// repaint and a round trip to the display server, so it happens at most once per
// display frame; the count in the indicator is still set every 100 lines, and the
// screen shows the latest one each frame. While the run waits for input it offers
// event processing each frame too.
//
// Entries reach a visible list in batches: a list view lays out all its rows again
// whenever rows are added. The first batch goes out at the first round of events;
// after that, a batch waits a multiple of what the last layout cost, between a
// tenth and two fifths of a second, so that new entries appear within half a
// second of being read. Only the layout is timed, never a modal box opened while
// events are processed. All entries go out before a message box and at the end.
// Quick load hides the list and announces nothing until the end.
//
// Each warning box offers to show no further warnings of the file: once that is
// ticked, the run goes on without warning boxes; the memory map keeps every
// warning all the same. A file error's box still shows, as the listing stops there.
#pragma once

#include <QElapsedTimer>

#include "listing/listing.h"
#include "main/listing_window.h"
#include "platform/platform.h"
#include "records/scan_events.h"

namespace larkspan {

// How often a run processed pending events and laid the list out.
struct PacingCounts {
  long eventRounds = 0;
  long layouts = 0;
};

class FormListingView final : public ListingOutput, public ScanListener {
 public:
  FormListingView(ListingWindow& window, PacingCounts& counts);

  // What the window does before a run and after it, `complete` when the run read
  // the whole file.
  static void Prepare(ListingWindow& window);
  static void Finish(ListingWindow& window, bool complete);

  void AddToList(std::string_view text, LineKind kind, std::int64_t line) override;
  void OnWarning(const Message& message) override;
  void OnFileError(const Message& message) override;
  void OnProgress(std::int64_t lines) override;
  void OnIdle() override { ProcessPendingEvents(); }

 private:
  // True when the user ticked the box's check box.
  bool ShowBox(BoxIcon icon, const Message& message, const QString& checkBox);
  void ProcessPendingEvents();
  void PublishBatch();

  ListingWindow& window_;
  PacingCounts& counts_;
  QElapsedTimer sinceEvents_;   // since pending events were last processed
  QElapsedTimer sincePublish_;  // invalid until the first batch went out
  qint64 batchIntervalMs_ = 0;  // set by each layout
  bool quiet_ = false;          // no more boxes in this run
};

}  // namespace larkspan
