#include "app/display.h"

#ifdef LARKSPAN_HAVE_XCB
#include <xcb/xcb.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace larkspan {

namespace {

constexpr char kWaysOn[] =
    "; larkspan-scan FILE prints the listing on the console, and xvfb-run -a larkspan "
    "[FILE] opens the window on a virtual X display";

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// Connects to the X display named by DISPLAY, as Qt's X platform does first.
bool XDisplayAnswers() {
#ifdef LARKSPAN_HAVE_XCB
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  const bool answers = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return answers;
#else
  return true;
#endif
}

// True when QT_QPA_PLATFORM names X (alone or in a list) or nothing at all: the
// cases in which Qt needs a display server we can check. Another platform, such
// as offscreen, vnc or wayland, is the user's explicit choice and left to Qt.
bool NeedsX(std::string_view platforms) {
  while (!platforms.empty()) {
    const std::string_view entry = platforms.substr(0, platforms.find(';'));
    const std::string_view name = entry.substr(0, entry.find(':'));
    if (name != "xcb") return false;
    platforms.remove_prefix(std::min(platforms.size(), entry.size() + 1));
  }
  return true;
}

}  // namespace

std::optional<std::string> NoDisplay() {
  const std::string_view platforms = Environment("QT_QPA_PLATFORM");
  if (!NeedsX(platforms)) return std::nullopt;
  if (platforms.empty() && !Environment("WAYLAND_DISPLAY").empty()) return std::nullopt;
  const std::string_view display = Environment("DISPLAY");
  if (display.empty()) {
    return std::string("no display: ") +
           (platforms.empty() ? "neither DISPLAY nor WAYLAND_DISPLAY is set"
                              : "DISPLAY is not set") +
           kWaysOn;
  }
  if (XDisplayAnswers()) return std::nullopt;
  return "cannot connect to the display '" + std::string(display) + "'" + kWaysOn;
}

}  // namespace larkspan
