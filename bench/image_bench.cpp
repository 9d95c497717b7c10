// Loads a HEX file into the real window, then opens its memory image window and
// reports the time from the request to the image painted, the memory the window
// adds, and the time each Page Down takes, key and repaint, from the top of the
// image to its end; then, with 16 MiB selected, the time from the pick of each
// checksum to its value shown.
//   larkspan-image-bench FILE [HEIGHT]   (the image window's height in pixels, 900)
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench_platform.h"
#include "checksum/checksum_picker.h"
#include "image/image_view.h"
#include "image/image_window.h"
#include "main/main_form.h"
#include "paint_watch.h"
#include "resident_memory.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: larkspan-image-bench FILE [HEIGHT]\n");
    return 2;
  }
  const int height = argc > 2 ? std::atoi(argv[2]) : 900;
  larkspan::bench::BenchPlatform platform;
  platform.file = QString::fromLocal8Bit(argv[1]);
  larkspan::Main_Form form(platform);
  form.Parts().Quick_Check->setChecked(true);
  // With Check records on, the load gathers the map: what is timed below is the
  // window opening on an image, not the pass that gathers one.
  form.Parts().Func_Check->setChecked(true);
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  form.Load_Button_Click();
  QCoreApplication::processEvents();
  const long before = larkspan::bench::ResidentKiB();

  // The request, up to the end of the view's first paint.
  larkspan::bench::PaintWatch watch;
  QElapsedTimer timer;
  timer.start();
  form.Parts().Func_Image->trigger();
  larkspan::ImageView* view = form.ImageView()->View;
  view->viewport()->installEventFilter(&watch);
  while (!watch.painted && timer.elapsed() < 10000) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  const double openMs = larkspan::bench::Milliseconds(timer);
  const long after = larkspan::bench::ResidentKiB();

  // Each Page Down moves by the rows the view's height holds.
  form.ImageView()->resize(form.ImageView()->width(), height);
  QCoreApplication::processEvents();
  view->setFocus();
  QTest::keyClick(view, Qt::Key_Home);
  std::vector<double> steps;
  while (view->verticalScrollBar()->value() < view->verticalScrollBar()->maximum()) {
    timer.start();
    QTest::keyClick(view, Qt::Key_PageDown);
    view->viewport()->repaint();
    steps.push_back(larkspan::bench::Milliseconds(timer));
  }
  std::sort(steps.begin(), steps.end());

  // A 16 MiB selection: from the pick of each algorithm to its checksum shown.
  view->Select(0x08000000, 0x08FFFFFF);
  larkspan::ChecksumPicker* picker = form.ImageView()->Checksum_Kind;
  QLabel* shown = form.ImageView()->Checksum_Label;
  double crc32Ms = 0;
  double slowestMs = 0;
  for (int index = picker->count() - 1; index >= 0; --index) {
    shown->clear();
    timer.start();
    picker->setCurrentIndex(index);
    while (shown->text().isEmpty() && timer.elapsed() < 10000) QCoreApplication::processEvents();
    const double ms = larkspan::bench::Milliseconds(timer);
    slowestMs = std::max(slowestMs, ms);
    if (index == 0) crc32Ms = ms;
  }
  const auto at = [&](double share) {
    return steps.empty() ? 0 : steps[static_cast<std::size_t>(share * (steps.size() - 1))];
  };
  const auto over = std::count_if(steps.begin(), steps.end(), [](double ms) { return ms > 16; });
  std::printf(
      "rows %lld open_ms %.1f growth_kib %ld page_rows %d steps %zu step_median_ms %.3f "
      "step_p99_ms %.3f step_max_ms %.3f over_16ms %ld crc32_16mib_ms %.1f slowest_16mib_ms "
      "%.1f\n",
      static_cast<long long>(view->Rows() != nullptr ? view->Rows()->Count() : 0), openMs,
      after - before, view->PageRows(), steps.size(), at(0.5), at(0.99), at(1),
      static_cast<long>(over), crc32Ms, slowestMs);
  return 0;
}
