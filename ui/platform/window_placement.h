// Where a window opens beside another.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

class QWidget;

namespace larkspan {

// The top-left corner of a window whose frame is `size`, placed beside the frame
// `beside` within the screen's free area `room`: to its right, else to its left,
// top edges level where the screen's height allows. Nothing where neither side has
// room: the window would cover the other, and the window manager places it.
std::optional<QPoint> PlaceBeside(const QRect& room, const QRect& beside, const QSize& size);

// Moves `window`, not yet shown, beside `main` on `main`'s screen as PlaceBeside
// says; its frame is unknown until it is shown: taken to add what `main`'s adds.
void PlaceWindowBeside(QWidget& window, const QWidget& main);

}  // namespace larkspan
