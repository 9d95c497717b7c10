// The listing view of the console front end: listing lines on one stream,
// warnings, errors and progress on another.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

#include "listing_view.h"

namespace larkspan {

class ConsoleView final : public ListingView {
 public:
  struct Options {
    // Show "Reading line: N" on the message stream, rewritten in place.
    bool showProgress = false;
    // Both streams end up in the same place (a terminal, or 2>&1): pending listing
    // lines are flushed before anything is written to the message stream, so
    // that the order of the run stays visible.
    bool sharedTarget = false;
  };

  ConsoleView(std::FILE* listing, std::FILE* messages, Options options);
  ~ConsoleView() override;
  ConsoleView(const ConsoleView&) = delete;
  ConsoleView& operator=(const ConsoleView&) = delete;

  void ClearList() override {}
  void AddItem(std::string_view text) override;
  void SetListVisible(bool) override {}
  void FocusList() override {}
  void SelectFirstEntry() override {}
  int QuickCheckValue() const override { return 0; }
  void SetLineText(std::string_view text) override;
  void WarningBox(std::string_view text, std::string_view title) override;
  void ErrorBox(std::string_view text, std::string_view title) override;
  void ProcessPendingEvents() override {}

 private:
  // One line "title: text", each line break of the text written as "; ".
  void WriteMessage(std::string_view text, std::string_view title);
  void PrepareMessageStream();
  void EraseProgress();

  std::FILE* listing_;
  std::FILE* messages_;
  Options options_;
  std::size_t progressWidth_ = 0;  // characters of the progress line on screen
};

}  // namespace larkspan
