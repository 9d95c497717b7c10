// Loads a HEX file into the real window through a stand-in file dialog and reports
// the time from the load command to the first entry selected, the memory the
// listing takes, the peak memory of the process, how long selecting the last entry
// takes, and the time from opening the memory map window to its map shown (the
// load gathered none: the window gathers it then).
//   larkspan-window-bench FILE [--quick]        (use QT_QPA_PLATFORM=offscreen)
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QListView>
#include <QTest>

#include <cstdio>
#include <string>

#include "bench_platform.h"
#include "main/listing_model.h"
#include "main/main_form.h"
#include "resident_memory.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: larkspan-window-bench FILE [--quick]\n");
    return 2;
  }
  larkspan::bench::BenchPlatform platform;
  platform.file = QString::fromLocal8Bit(argv[1]);
  larkspan::Main_Form form(platform);
  form.Parts().Quick_Check->setChecked(argc > 2 && std::string(argv[2]) == "--quick");
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  QCoreApplication::processEvents();
  const long before = larkspan::bench::ResidentKiB();

  QElapsedTimer timer;
  timer.start();
  form.Load_Button_Click();
  const double loadSeconds = timer.nsecsElapsed() / 1e9;
  QCoreApplication::processEvents();
  const long after = larkspan::bench::ResidentKiB();

  timer.start();
  QTest::keyClick(form.Parts().Contents_List, Qt::Key_End, Qt::ControlModifier);
  QCoreApplication::processEvents();
  const double endSeconds = timer.nsecsElapsed() / 1e9;
  const long peak = larkspan::bench::PeakResidentKiB();

  timer.start();
  form.Parts().Func_Map->trigger();
  if (!QTest::qWaitFor([&] { return form.LastMap() != nullptr; }, 60000)) return 1;
  QCoreApplication::processEvents();
  const double mapSeconds = timer.nsecsElapsed() / 1e9;

  std::printf(
      "entries %lld load_s %.3f growth_mib %.1f last_entry_ms %.1f index %d event_rounds %ld "
      "layouts %ld peak_mib %.1f map_s %.3f\n",
      static_cast<long long>(form.Parts().Contents_Model->StoredCount()), loadSeconds,
      (after - before) / 1024.0, endSeconds * 1000, form.ListIndex(), form.Pacing().eventRounds,
      form.Pacing().layouts, peak / 1024.0, mapSeconds);
  return 0;
}
