// What the window benchmarks time paints with: the first paint of a widget, and
// a timer's reading in milliseconds.
#pragma once

#include <QElapsedTimer>
#include <QEvent>
#include <QObject>

namespace larkspan::bench {

// Notes the first paint of the widget it filters.
class PaintWatch : public QObject {
 public:
  bool painted = false;
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

inline double Milliseconds(const QElapsedTimer& timer) {
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

}  // namespace larkspan::bench
