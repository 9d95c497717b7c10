// Whether the window has a display to open on, asked before Qt is started: Qt
// ends the program with an abort when its platform finds no display.
#pragma once

#include <optional>
#include <string>

namespace larkspan {

// Nothing when the window can be shown; otherwise one line that says why not and
// what to do instead.
std::optional<std::string> NoDisplay();

}  // namespace larkspan
