#include "display_servers.h"

#ifdef LARKSPAN_HAVE_XCB
#include <xcb/xcb.h>
#endif
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <utility>

namespace larkspan {

XConnection::XConnection(XConnection&& other) noexcept
    : connection_(std::exchange(other.connection_, nullptr)) {}

XConnection& XConnection::operator=(XConnection&& other) noexcept {
  if (this != &other) {
    Close();
    connection_ = std::exchange(other.connection_, nullptr);
  }
  return *this;
}

std::optional<XConnection> XConnection::Open(const char* name) {
#ifdef LARKSPAN_HAVE_XCB
  XConnection connection(xcb_connect(name, nullptr));
  if (xcb_connection_has_error(connection.connection_) != 0) return std::nullopt;
  return connection;
#else
  static_cast<void>(name);
  return XConnection();
#endif
}

void XConnection::Close() {
#ifdef LARKSPAN_HAVE_XCB
  if (connection_ != nullptr) xcb_disconnect(connection_);
#endif
  connection_ = nullptr;
}

std::string WaylandDisplayName() {
  const char* name = std::getenv("WAYLAND_DISPLAY");
  return name != nullptr ? name : "wayland-0";
}

// The compositor's socket is the path WAYLAND_DISPLAY names, or the name in
// XDG_RUNTIME_DIR; a compositor that starts the program may instead hand it a
// connected socket in WAYLAND_SOCKET.
bool WaylandAnswers() {
  if (std::getenv("WAYLAND_SOCKET") != nullptr) return true;
  std::string path = WaylandDisplayName();
  if (path.empty()) return false;
  if (path.front() != '/') {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr) return false;
    path = std::string(runtime) + "/" + path;
  }
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket < 0) return false;
  const bool answers =
      ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(socket);
  return answers;
}

}  // namespace larkspan
