// The scan run's listing view on the window's real controls.
//
// The run offers to process pending events every 100 lines. Doing so costs a
// repaint and a round trip to the display server, so it happens at most once per
// display frame; the count in the indicator is still set every 100 lines, and the
// screen shows the latest one each frame.
//
// Entries reach a visible list in batches: a list view lays out all its rows again
// whenever rows are added. The first batch goes out at the first round of events;
// after that, a batch waits a multiple of what the last layout cost, between a
// tenth and two fifths of a second, so that new entries appear within half a
// second of being read. Only the layout is timed, never a modal box opened while
// events are processed. All entries go out before a message box, when the list is
// shown again and at the end. Quick load hides the list and announces nothing until
// the end.
#pragma once

#include <QElapsedTimer>

#include "scan/listing_view.h"

namespace larkspan {

class Main_Form;

// How often a run processed pending events and laid the list out, for benchmarks.
struct PacingCounts {
  long eventRounds = 0;
  long layouts = 0;
};

class FormListingView final : public ListingView {
 public:
  FormListingView(Main_Form& form, PacingCounts& counts);

  void AddToList(std::string_view text) override;
  void SetLineText(std::string_view text) override;
  void WarningBox(std::string_view text, std::string_view title) override;
  void ErrorBox(std::string_view text, std::string_view title) override;
  void ClearList() override;
  // Ticked or greyed: both keep the list hidden while the file is read.
  bool QuickLoad() const override;
  void SetListVisible(bool visible) override;
  void FocusList() override;
  void SelectFirstEntry() override;
  void ProcessPendingEvents() override;

  static constexpr qint64 kFrameMs = 16;
  static constexpr qint64 kMinBatchMs = 100;
  static constexpr qint64 kMaxBatchMs = 400;

 private:
  void PublishBatch();

  Main_Form& form_;
  PacingCounts& counts_;
  QElapsedTimer sinceEvents_;   // since pending events were last processed
  QElapsedTimer sincePublish_;  // invalid until the first batch went out
  qint64 batchIntervalMs_ = kMinBatchMs;
};

}  // namespace larkspan
