// Whether the window has a display to open on, asked before Qt is started: Qt ends
// the program with an abort when none of the platforms it tries can start.
#pragma once

#include <optional>
#include <string>

#include "display_servers.h"

namespace larkspan {

// Qt's command-line options that say where the window shows; nothing for an option
// not given.
struct DisplayOptions {
  std::optional<std::string> platform;    // -platform: the platforms to try, as QT_QPA_PLATFORM
  std::optional<std::string> display;     // -display: the X display, instead of DISPLAY
  std::optional<std::string> pluginPath;  // -platformpluginpath
};

struct DisplayCheck {
  // Nothing when the window can be shown; otherwise one line that says why not and
  // what to do instead.
  std::optional<std::string> problem;
  // The X display found, kept connected until Qt has connected to it too.
  XConnection x;
};

// Goes through the platforms Qt will try, in Qt's order, until one can start.
DisplayCheck CheckDisplay(const DisplayOptions& options);

}  // namespace larkspan
