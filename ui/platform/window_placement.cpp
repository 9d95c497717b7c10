#include "platform/window_placement.h"

#include <algorithm>

namespace larkspan {

std::optional<QPoint> PlaceBeside(const QRect& room, const QRect& beside, const QSize& size) {
  const int top =
      std::clamp(beside.top(), room.top(), std::max(room.top(), room.bottom() + 1 - size.height()));
  if (beside.right() + size.width() <= room.right()) return QPoint(beside.right() + 1, top);
  if (beside.left() - size.width() >= room.left()) return QPoint(beside.left() - size.width(), top);
  return std::nullopt;
}

}  // namespace larkspan
