#include "platform/window_placement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace larkspan {

std::optional<QPoint> PlaceBeside(const QRect& room, const QRect& beside, const QSize& size) {
  const int top =
      std::clamp(beside.top(), room.top(), std::max(room.top(), room.bottom() + 1 - size.height()));
  if (beside.right() + size.width() <= room.right()) return QPoint(beside.right() + 1, top);
  if (beside.left() - size.width() >= room.left()) return QPoint(beside.left() - size.width(), top);
  return std::nullopt;
}

void PlaceWindowBeside(QWidget& window, const QWidget& main) {
  const QScreen* screen = main.screen();
  if (screen == nullptr) return;
  const QSize frame = window.size() + main.frameGeometry().size() - main.size();
  const std::optional<QPoint> at =
      PlaceBeside(screen->availableGeometry(), main.frameGeometry(), frame);
  if (at) window.move(*at);
}

}  // namespace larkspan
