// Loads a HEX file into the real window through a stand-in file dialog and reports
// the time from the dialog's answer to the first entry selected, the memory the
// listing takes, and how long selecting the last entry takes.
//   larkspan-window-bench FILE [--quick]        (use QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QListView>
#include <QTest>

#include <cstdio>
#include <string>

#include "listing_model.h"
#include "main_form.h"
#include "platform.h"
#include "resident_memory.h"

namespace {

// Answers the file dialog with one path; everything else does nothing.
class BenchPlatform final : public larkspan::Platform {
 public:
  explicit BenchPlatform(QString path) : path_(std::move(path)) {}
  void MessageBox(QWidget*, larkspan::BoxIcon, const QString&, const QString&) override {}
  std::optional<QString> ChooseFile(QWidget*, const larkspan::OpenFileRequest&) override {
    timer.start();
    return path_;
  }
  void ExitProgram() override {}
  QElapsedTimer timer;

 private:
  QString path_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: larkspan-window-bench FILE [--quick]\n");
    return 2;
  }
  BenchPlatform platform(QString::fromLocal8Bit(argv[1]));
  larkspan::Main_Form form(platform);
  form.Quick_Check->setChecked(argc > 2 && std::string(argv[2]) == "--quick");
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  QCoreApplication::processEvents();
  const long before = larkspan::testing::ResidentKiB();

  form.Load_Button_Click();
  const double loadSeconds = platform.timer.nsecsElapsed() / 1e9;
  QCoreApplication::processEvents();
  const long after = larkspan::testing::ResidentKiB();

  QElapsedTimer timer;
  timer.start();
  QTest::keyClick(form.Contents_List, Qt::Key_End, Qt::ControlModifier);
  QCoreApplication::processEvents();
  const double endSeconds = timer.nsecsElapsed() / 1e9;

  std::printf(
      "entries %lld load_s %.3f growth_mib %.1f last_entry_ms %.1f index %d event_rounds %ld "
      "layouts %ld\n",
      static_cast<long long>(form.Contents_Model->StoredCount()), loadSeconds,
      (after - before) / 1024.0, endSeconds * 1000, form.ListIndex(), form.Pacing().eventRounds,
      form.Pacing().layouts);
  return 0;
}
