// A front end that records every event of a scan run, for checking what it does.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "listing/listing.h"
#include "records/scan_events.h"

namespace larkspan::testing {

// Each event becomes one text: "add:<line>", "warning:<title>: <lines>" and
// "error:<title>: <lines>" (lines joined by "; ", as the console writes them),
// "progress:<lines>", "end:<lines>". Idle events are counted only.
class RecordingView : public ListingOutput, public ScanListener {
 public:
  std::vector<std::string> events;
  int idles = 0;
  // Called at each progress event, so a test can act "inside" a run.
  std::function<void()> onProgress;

  void AddToList(std::string_view text, LineKind, std::int64_t) override { Record("add:", text); }
  void OnWarning(const Message& message) override { Record("warning:", Text(message)); }
  void OnFileError(const Message& message) override { Record("error:", Text(message)); }
  void OnProgress(std::int64_t lines) override {
    Record("progress:", std::to_string(lines));
    if (onProgress) onProgress();
  }
  void OnIdle() override { ++idles; }
  void OnEnd(std::int64_t lines) override { Record("end:", std::to_string(lines)); }

  // The texts of the events that start with `prefix`, prefix removed.
  std::vector<std::string> With(std::string_view prefix) const {
    std::vector<std::string> texts;
    for (const auto& event : events) {
      if (event.starts_with(prefix)) texts.push_back(event.substr(prefix.size()));
    }
    return texts;
  }

 private:
  static std::string Text(const Message& message) {
    return message.title + ": " + JoinLines(message, "; ");
  }
  void Record(std::string_view prefix, std::string_view text) {
    events.push_back(std::string(prefix) + std::string(text));
  }
};

}  // namespace larkspan::testing
