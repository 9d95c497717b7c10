#include "recording_view.h"

namespace larkspan::testing {

std::vector<std::string> RecordingView::With(std::string_view prefix) const {
  std::vector<std::string> texts;
  for (const auto& event : events) {
    if (event.starts_with(prefix)) texts.push_back(event.substr(prefix.size()));
  }
  return texts;
}

}  // namespace larkspan::testing
