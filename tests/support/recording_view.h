// A listing view that records every operation, for checking what a scan run does.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "scan/listing_view.h"

namespace larkspan::testing {

// Each operation becomes one event text: "add:<text>", "line:<text>",
// "warning:<title>|<text>", "error:<title>|<text>" (carriage returns kept), "clear",
// "hide", "show", "focus", "select", "events".
class RecordingView : public ListingView {
 public:
  bool quickLoad = false;
  std::vector<std::string> events;
  // Called from ProcessPendingEvents, so a test can act "inside" a run.
  std::function<void()> onEvents;

  void AddToList(std::string_view text) override { Record("add:", text); }
  void SetLineText(std::string_view text) override { Record("line:", text); }
  void WarningBox(std::string_view text, std::string_view title) override {
    Record("warning:", std::string(title) + "|" + std::string(text));
  }
  void ErrorBox(std::string_view text, std::string_view title) override {
    Record("error:", std::string(title) + "|" + std::string(text));
  }
  void ClearList() override { Record("clear"); }
  bool QuickLoad() const override { return quickLoad; }
  void SetListVisible(bool visible) override { Record(visible ? "show" : "hide"); }
  void FocusList() override { Record("focus"); }
  void SelectFirstEntry() override { Record("select"); }
  void ProcessPendingEvents() override {
    Record("events");
    if (onEvents) onEvents();
  }

  // The texts of the events that start with `prefix`, prefix removed.
  std::vector<std::string> With(std::string_view prefix) const {
    std::vector<std::string> texts;
    for (const auto& event : events) {
      if (event.starts_with(prefix)) texts.push_back(event.substr(prefix.size()));
    }
    return texts;
  }

 private:
  void Record(std::string_view prefix, std::string_view text = {}) {
    events.push_back(std::string(prefix) + std::string(text));
  }
};

}  // namespace larkspan::testing
