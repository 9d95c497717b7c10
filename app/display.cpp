#include "display.h"

#include <QString>

#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform_plugins.h"

namespace larkspan {

namespace {

constexpr char kWaysOn[] =
    "; larkspan-scan FILE prints the listing on the console, and xvfb-run -a larkspan "
    "[FILE] opens the window on a virtual X display";

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The platform names of a list such as "wayland;xcb:option": entries are separated
// by ';', and a name may carry options after ':'.
std::vector<std::string> Names(std::string_view list) {
  std::vector<std::string> names;
  while (true) {
    const std::size_t end = list.find(';');
    const std::string_view entry = list.substr(0, end);
    names.emplace_back(entry.substr(0, entry.find(':')));
    if (end == std::string_view::npos) return names;
    list.remove_prefix(end + 1);
  }
}

// The platforms Qt 6.4 tries, in order, until one starts: those of -platform, or
// else of QT_QPA_PLATFORM; or else Wayland when WAYLAND_DISPLAY is set (even
// empty) or the session is a Wayland one, then X, the default of Debian's Qt.
std::vector<std::string> PlatformsTried(const DisplayOptions& options) {
  if (options.platform) return Names(*options.platform);
  if (!Environment("QT_QPA_PLATFORM").empty()) return Names(Environment("QT_QPA_PLATFORM"));
  if (std::getenv("WAYLAND_DISPLAY") != nullptr || Environment("XDG_SESSION_TYPE") == "wayland") {
    return {"wayland", "xcb"};
  }
  return {"xcb"};
}

class Check {
 public:
  explicit Check(const DisplayOptions& options)
      : options_(options), platforms_(PlatformsTried(options)) {}

  DisplayCheck Run() {
    std::vector<std::string> reasons;
    for (const std::string& name : platforms_) {
      std::optional<std::string> reason = CannotStart(name);
      if (!reason) return DisplayCheck{.problem = std::nullopt, .x = std::move(x_)};
      reasons.push_back(*reason);
    }
    return DisplayCheck{.problem = Line(reasons), .x = {}};
  }

 private:
  // Why the platform NAME cannot start; nothing when it can, or may: a platform
  // without a display server, such as offscreen or vnc, is left to Qt.
  std::optional<std::string> CannotStart(const std::string& name) {
    const std::string_view pluginPath =
        options_.pluginPath ? *options_.pluginPath : Environment("QT_QPA_PLATFORM_PLUGIN_PATH");
    if (!PlatformPluginInstalled(QString::fromStdString(name),
                                 QString::fromUtf8(pluginPath.data(), pluginPath.size()))) {
      const char* package = name.starts_with("wayland") ? " (package qt6-wayland)" : "";
      return "Qt's platform plugin '" + name + "' is not installed" + package;
    }
    if (name == "xcb") return XCannotStart();
    if (name.starts_with("wayland") && !WaylandAnswers()) {
      return "cannot connect to the Wayland display '" + WaylandDisplayName() + "'";
    }
    return std::nullopt;
  }

  std::optional<std::string> XCannotStart() {
    const char* name = options_.display ? options_.display->c_str() : std::getenv("DISPLAY");
    if (!options_.display && Environment("DISPLAY").empty()) {
      const bool byDefault =
          !options_.platform && platforms_.size() == 1 && Environment("QT_QPA_PLATFORM").empty();
      return byDefault ? "neither DISPLAY nor WAYLAND_DISPLAY is set" : "DISPLAY is not set";
    }
    std::optional<XConnection> connection = XConnection::Open(name);
    if (!connection) return "cannot connect to the display '" + std::string(name) + "'";
    x_ = std::move(*connection);
    return std::nullopt;
  }

  // One line: the reasons, platform by platform, and the ways on without a display.
  static std::string Line(const std::vector<std::string>& reasons) {
    std::string line = reasons.front().starts_with("cannot") ? "" : "no display: ";
    for (std::size_t i = 0; i < reasons.size(); ++i) line += (i > 0 ? ", and " : "") + reasons[i];
    return line + kWaysOn;
  }

  const DisplayOptions& options_;
  const std::vector<std::string> platforms_;
  XConnection x_;
};

}  // namespace

DisplayCheck CheckDisplay(const DisplayOptions& options) {
  return Check(options).Run();
}

}  // namespace larkspan
