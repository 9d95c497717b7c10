// The load command: file choice, title and the scan run into the window.
#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <utility>

#include "window_fixture.h"

using larkspan::BoxIcon;
using larkspan::testing::FakePlatform;

namespace {

const char kThreeRecords[] =
    ":10010000214601360121470136007EFE09D2190140\r\n"
    ":100110002146017E17C20001FF5F16002148011928\r\n"
    ":00000001FF\r\n";

// A file long enough for the run to process pending events (every 100 lines).
std::string ManyLines(int lines) {
  std::string bytes;
  for (int i = 0; i < lines; ++i) bytes += ":0100000011EE\n";
  return bytes;
}

}  // namespace

class LoadCommandTest : public larkspan::testing::WindowFixture {
  Q_OBJECT

 private:
  // Runs `action` from inside the next pending-event processing of a scan run.
  static void DuringRun(std::function<void()> action) { QTimer::singleShot(0, action); }

 private slots:
  void init() { QVERIFY(OpenWindow()); }
  void cleanup() { CloseWindow(); }

  void loadListsTheFileSetsTheTitleAndSelectsTheFirstEntry() {
    const QString path = Write("boot.hex", kThreeRecords);
    platform_.choices.push_back(path);
    form_->Load_Button->click();
    QCOMPARE(form_->CurrentFile, path);
    QCOMPARE(form_->windowTitle(), QStringLiteral("Larkspan - ") + path);
    QCOMPARE(Listing(),
             (QStringList{"Data record: 0100h: 214601360121470136007EFE09D21901",
                          "Data record: 0110h: 2146017E17C20001FF5F160021480119", "End record.",
                          " - - - - - - - - ", "First address: 100h in line: 0",
                          "Last address: 110h in line: 1"}));
    QCOMPARE(form_->ListIndex(), 0);
    QCOMPARE(form_->Line_Text->text(), QStringLiteral("0"));
    QVERIFY(form_->Contents_List->isVisible());
    QCOMPARE(QApplication::focusWidget(), form_->Contents_List);
    QVERIFY(platform_.boxes.empty());
    QVERIFY(form_->FileNumber >= 1);
  }

  void theDialogIsAskedForAnExistingHexFile() {
    form_->Func_Load->trigger();
    QCOMPARE(platform_.requests.size(), size_t{1});
    const auto& request = platform_.requests[0];
    QCOMPARE(request.title, QStringLiteral("Enter path & name of HEX-file:"));
    QCOMPARE(request.folder, QStringLiteral("."));
    QCOMPARE(request.fileName, QString());
    QCOMPARE(request.filters, (QStringList{"HEX file (*.hex) (*.hex)", "Intel (*.83) (*.83)",
                                           "MCS-86 (*.88) (*.88)", "All files (*.*) (*)"}));
    QCOMPARE(request.selectedFilter, 0);
    QVERIFY(request.existingOnly);
  }

  void theNextDialogStartsAtThePreviousFile() {
    const QString path = Write("boot.hex", kThreeRecords);
    platform_.choices.push_back(path);
    form_->Load_Button_Click();
    form_->Load_Button_Click();
    QCOMPARE(platform_.requests.size(), size_t{2});
    QCOMPARE(platform_.requests[1].folder, QString::fromStdString(dir_.Path().string()));
    QCOMPARE(platform_.requests[1].fileName, QStringLiteral("boot.hex"));
  }

  void cancelChangesNothing() {
    const QString path = Write("boot.hex", kThreeRecords);
    platform_.choices.push_back(path);
    form_->Load_Button_Click();
    form_->Contents_List->setCurrentIndex(form_->Contents_Model->index(2));
    const QStringList before = Listing();
    platform_.choices.push_back(QString());  // cancel
    form_->Load_Button_Click();
    QCOMPARE(Listing(), before);
    QCOMPARE(form_->CurrentFile, path);
    QCOMPARE(form_->windowTitle(), QStringLiteral("Larkspan - ") + path);
    QCOMPARE(form_->Line_Text->text(), QStringLiteral("2"));
  }

  void warningsComeInOrderAndTheRunWaitsForEach() {
    platform_.choices.push_back(Write("w.hex", ":0100000011EE\r\n:02000004FFFFFC\r\n:\r\n"));
    std::vector<int> rowsWhileOpen;
    platform_.whileBoxOpen = [&](const FakePlatform::Box&) {
      rowsWhileOpen.push_back(form_->Contents_Model->rowCount());
    };
    form_->Load_Button_Click();
    QCOMPARE(platform_.boxes.size(), size_t{2});
    QCOMPARE(platform_.boxes[0].icon, BoxIcon::Warning);
    QCOMPARE(platform_.boxes[0].title, QStringLiteral("Unknown datatype"));
    QCOMPARE(platform_.boxes[0].text,
             QStringLiteral("Unknown datatype in line: 1\rDatatype: 04\rLine will be ignored."));
    QCOMPARE(platform_.boxes[1].title, QStringLiteral("Invalid record"));
    QCOMPARE(platform_.boxes[1].text,
             QStringLiteral("Invalid record in line: 2\rLine will be ignored."));
    // While each box is open, the list shows what came before it, and no more.
    QCOMPARE(rowsWhileOpen, (std::vector<int>{1, 1}));
  }

  void quickLoadHidesTheListDuringTheRunOnly() {
    form_->Quick_Check->setChecked(true);
    platform_.choices.push_back(Write("many.hex", ManyLines(250)));
    bool visibleDuringRun = true;
    DuringRun([&] { visibleDuringRun = form_->Contents_List->isVisible(); });
    form_->Load_Button_Click();
    QVERIFY(!visibleDuringRun);
    QVERIFY(form_->Contents_List->isVisible());
    QCOMPARE(form_->Contents_Model->rowCount(), 253);
  }

  // On a visible list, entries show from the first round of events on, and a
  // modal box held open for a while does not hold up the entries read after it.
  // The file is a pipe that a slow writer feeds, so that the run takes its time.
  void entriesKeepComingAfterALongModalBox() {
    const std::string path = (dir_.Path() / "slow.hex").string();
    QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
    int keepOpen = ::open(path.c_str(), O_RDWR);  // lets the writer in before the run
    const int writeEnd = ::open(path.c_str(), O_WRONLY);
    std::thread writer([writeEnd] {
      const std::string hundred = ManyLines(100);
      for (int i = 0; i < 60; ++i) {
        if (::write(writeEnd, hundred.data(), hundred.size()) < 0) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      ::close(writeEnd);
    });
    QElapsedTimer clock;
    clock.start();
    std::vector<std::pair<qint64, int>> rounds;  // time, entries in the list
    qint64 boxClosed = -1;
    int rowsAtClose = 0;
    platform_.whileBoxOpen = [&](const FakePlatform::Box&) {
      QTest::qSleep(800);  // the user reads the box
      boxClosed = clock.elapsed();
      rowsAtClose = form_->Contents_Model->rowCount();
    };
    QTimer eachRound;  // a zero timer fires in every round of event processing
    connect(&eachRound, &QTimer::timeout, [&] {
      rounds.emplace_back(clock.elapsed(), form_->Contents_Model->rowCount());
      if (rounds.size() > 1) return;
      ::close(std::exchange(keepOpen, -1));
      form_->Func_About->trigger();
    });
    eachRound.start(0);
    Load(QString::fromStdString(path));
    eachRound.stop();
    writer.join();
    QCOMPARE(rounds.front().second, 100);
    const auto next = std::find_if(rounds.begin(), rounds.end(), [&](const auto& round) {
      return round.first > boxClosed && round.second > rowsAtClose;
    });
    QVERIFY(next != rounds.end());
    QVERIFY2(next->first - boxClosed <= 500, qPrintable(QString::number(next->first - boxClosed)));
    QCOMPARE(form_->Contents_Model->rowCount(), 6003);
  }

  void noSecondLoadWhileARunIsActive() {
    platform_.choices.push_back(Write("many.hex", ManyLines(250)));
    bool loadOffered = true;
    DuringRun([&] {
      loadOffered = form_->Load_Button->isEnabled() || form_->Func_Load->isEnabled();
      form_->Load_Button_Click();
      form_->Load_Button->setFocus();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    form_->Load_Button_Click();
    QVERIFY(!loadOffered);
    QCOMPARE(platform_.requests.size(), size_t{1});
    QVERIFY(form_->Load_Button->isEnabled());
    QVERIFY(form_->Func_Load->isEnabled());
  }

  void exitsWorkFromInsideARun() {
    platform_.choices.push_back(Write("many.hex", ManyLines(250)));
    bool activeAtExit = false;
    platform_.onExit = [&] { activeAtExit = form_->ScanActive(); };
    DuringRun([&] { form_->Exit_Button->click(); });
    form_->Load_Button_Click();
    QCOMPARE(platform_.exits, 1);
    QVERIFY(activeAtExit);
  }

  void aboutOpensFromInsideARun() {
    platform_.choices.push_back(Write("many.hex", ManyLines(250)));
    DuringRun([&] { form_->Func_About->trigger(); });
    form_->Load_Button_Click();
    QCOMPARE(platform_.boxes.size(), size_t{1});
    QCOMPARE(platform_.boxes[0].title, QStringLiteral("About Larkspan"));
    QCOMPARE(form_->Contents_Model->rowCount(), 253);
  }

  void aFileThatVanishedShowsTheErrorAndTheWindowGoesOn() {
    const QString path = Write("gone.hex", kThreeRecords);
    std::filesystem::remove(path.toStdString());
    platform_.choices.push_back(path);
    form_->Quick_Check->setChecked(true);
    form_->Load_Button_Click();
    QCOMPARE(platform_.boxes.size(), size_t{1});
    QCOMPARE(platform_.boxes[0].icon, BoxIcon::Critical);
    QCOMPARE(platform_.boxes[0].title, QStringLiteral("File error"));
    QCOMPARE(platform_.boxes[0].text, QStringLiteral("Cannot read file: ") + path +
                                          QStringLiteral("\rNo such file or directory"));
    QVERIFY(form_->Contents_List->isVisible());
    QVERIFY(form_->Load_Button->isEnabled());
    QCOMPARE(form_->windowTitle(), QStringLiteral("Larkspan - ") + path);
    // A later load works.
    platform_.choices.push_back(Write("boot.hex", kThreeRecords));
    form_->Load_Button_Click();
    QCOMPARE(form_->Contents_Model->rowCount(), 6);
  }

  void pathsAreShownAsTheyStand() {
    const QString path = Write("<b>x<i>&amp;[*].hex", kThreeRecords);
    platform_.choices.push_back(path);
    form_->Load_Button_Click();
    QCOMPARE(form_->windowHandle()->title(), QStringLiteral("Larkspan - ") + path);
    QCOMPARE(form_->Contents_Model->rowCount(), 6);
  }

  void longEntriesAfterAShortFirstOneCanBeScrolledTo() {
    platform_.choices.push_back(
        Write("wide.hex", ":00000001FF\r\n:20000000" + std::string(64, 'A') + "\r\n"));
    form_->Load_Button_Click();
    const QModelIndex wide = form_->Contents_Model->index(1);
    const int textWidth =
        QFontMetrics(form_->Contents_List->font()).horizontalAdvance(wide.data().toString());
    QVERIFY(form_->Contents_List->visualRect(wide).width() >= textWidth);
    QVERIFY(form_->Contents_List->horizontalScrollBar()->maximum() > 0);
    // Also when the longest entry comes in a later batch than the first ones.
    form_->Contents_Model->Append("Data record: 0000h: " + std::string(200, 'B'));
    form_->Contents_Model->Publish();
    QCoreApplication::processEvents();
    const QModelIndex wider = form_->Contents_Model->index(form_->Contents_Model->rowCount() - 1);
    QVERIFY(form_->Contents_List->visualRect(wider).width() >=
            QFontMetrics(form_->Contents_List->font()).horizontalAdvance(wider.data().toString()));
  }

  void aSecondLoadReplacesTheListing() {
    platform_.choices.push_back(Write("many.hex", ManyLines(250)));
    platform_.choices.push_back(Write("boot.hex", kThreeRecords));
    form_->Load_Button_Click();
    form_->Load_Button_Click();
    QCOMPARE(form_->Contents_Model->rowCount(), 6);
    QCOMPARE(form_->Line_Text->text(), QStringLiteral("0"));
  }
};

QTEST_MAIN(LoadCommandTest)
#include "load_command_test.moc"
