// Reads the memory maps of two files, then opens the compare window on them and
// reports the time from the request to the rows painted and shown, and the time
// each step to the next difference takes, the step and its repaint, from the
// first difference to the last.
//   larkspan-compare-bench FIRST SECOND
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "compare/compare_view.h"
#include "compare/compare_window.h"
#include "compare/image_compare.h"
#include "paint_watch.h"
#include "session/scan_session.h"

namespace {

std::shared_ptr<const larkspan::MemoryMap> MapOf(const char* path) {
  larkspan::ScanListener quiet;
  larkspan::ScanSession session({.map = true}, quiet);
  session.Run(path);
  return session.Map();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: larkspan-compare-bench FIRST SECOND\n");
    return 2;
  }
  const auto first = MapOf(argv[1]);
  const auto second = MapOf(argv[2]);
  larkspan::CompareWindow window;
  window.resize(900, 700);
  larkspan::bench::PaintWatch watch;
  window.View->viewport()->installEventFilter(&watch);

  // Both maps are read: the compare, its rows, the window shown and painted.
  QElapsedTimer timer;
  timer.start();
  window.SetCompare(first, QString::fromLocal8Bit(argv[1]), second,
                    QString::fromLocal8Bit(argv[2]));
  window.show();
  while (!watch.painted && timer.elapsed() < 10000) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  // On X the first paint of a window sets up what later paints reuse: counted
  // here with a second paint, the rows on the screen, and not in the first step.
  window.repaint();
  const double openMs = larkspan::bench::Milliseconds(timer);
  if (!QTest::qWaitForWindowExposed(&window)) return 1;

  std::vector<double> steps;
  const std::size_t differences = window.Compare()->Differences().size();
  for (std::size_t i = 0; i < differences; ++i) {
    timer.start();
    window.NextDifference();
    window.View->viewport()->repaint();
    steps.push_back(larkspan::bench::Milliseconds(timer));
  }
  std::sort(steps.begin(), steps.end());
  const auto at = [&](double share) {
    return steps.empty() ? 0 : steps[static_cast<std::size_t>(share * (steps.size() - 1))];
  };
  const auto over = std::count_if(steps.begin(), steps.end(), [](double ms) { return ms > 16; });
  std::printf(
      "differences %zu open_ms %.1f steps %zu step_median_ms %.3f step_p99_ms %.3f "
      "step_max_ms %.3f over_16ms %ld\n",
      differences, openMs, steps.size(), at(0.5), at(0.99), at(1), static_cast<long>(over));
  return 0;
}
