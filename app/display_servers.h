// Connections to the display servers of Qt's X and Wayland platforms, opened
// before Qt starts to learn whether the servers answer.
#pragma once

#include <optional>
#include <string>

struct xcb_connection_t;

namespace larkspan {

// An open connection to an X server, or none. While it is open the server stays up:
// a server that resets when its last client leaves (as xvfb-run starts Xvfb) would
// otherwise be resetting when Qt connects, and Qt would find no display.
class XConnection {
 public:
  XConnection() = default;
  XConnection(XConnection&& other) noexcept;
  XConnection& operator=(XConnection&& other) noexcept;
  XConnection(const XConnection&) = delete;
  XConnection& operator=(const XConnection&) = delete;
  ~XConnection() { Close(); }

  // Connects to the X display NAME, or to the one DISPLAY names when NAME is null,
  // as Qt's X platform does; nothing when the server does not answer. Without
  // libxcb at build time every display is taken to answer.
  static std::optional<XConnection> Open(const char* name);
  void Close();

 private:
  explicit XConnection(xcb_connection_t* connection) : connection_(connection) {}
  xcb_connection_t* connection_ = nullptr;
};

// The Wayland display Qt's Wayland platform connects to: WAYLAND_DISPLAY, or
// wayland-0 when it is not set.
std::string WaylandDisplayName();

// Whether the Wayland compositor accepts a connection on its socket.
bool WaylandAnswers();

}  // namespace larkspan
