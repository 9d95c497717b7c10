// The window on hostile files: it lists what the console lists, stays responsive,
// keeps its memory, reports what it cannot read and keeps working.
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "qt_platform.h"
#include "resident_memory.h"
#include "window_fixture.h"

using larkspan::BoxIcon;
using larkspan::testing::ResidentKiB;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

}  // namespace

class HostileWindowTest : public larkspan::testing::WindowFixture {
  Q_OBJECT

 private:
  // The boxes as the console writes its messages: "title: text", breaks as "; ".
  QStringList BoxLines() const {
    QStringList lines;
    for (const auto& box : platform_.boxes) {
      lines << box.title + QStringLiteral(": ") + QString(box.text).replace('\r', "; ");
    }
    return lines;
  }

 private slots:
  void init() { QVERIFY(OpenWindow()); }
  void cleanup() { CloseWindow(); }

  // The window lists and warns exactly as the console does (whose output is kept).
  void listsHostileFilesLikeTheConsole_data() {
    QTest::addColumn<QString>("name");
    for (const auto& entry : std::filesystem::directory_iterator(LARKSPAN_HOSTILE_DATA)) {
      const auto name = QString::fromStdString(entry.path().filename().string());
      QTest::newRow(qPrintable(name)) << name;
    }
  }
  void listsHostileFilesLikeTheConsole() {
    QFETCH(QString, name);
    Load(QStringLiteral(LARKSPAN_HOSTILE_DATA "/") + name);
    const QString golden = QStringLiteral(LARKSPAN_GOLDEN "/hostile.") + name;
    QCOMPARE(Listing(), FileLines(golden + QStringLiteral(".stdout")));
    QCOMPARE(BoxLines(), FileLines(golden + QStringLiteral(".stderr")));
    QCOMPARE(form_->Line_Text->text(), QStringLiteral("0"));
  }

  void aLineOfHundredsOfMegabytesKeepsTheWindowAliveAndItsMemory() {
    const std::string path = (dir_.Path() / "one-line.hex").string();
    {
      std::ofstream out(path, std::ios::binary);
      out << ":10000000";
      const std::string chunk(1 << 20, 'A');
      for (int i = 0; i < 300; ++i) out << chunk;
    }
    const long before = ResidentKiB();
    long peakDuringRun = 0;
    int eventsDuringRun = 0;
    std::function<void()> watch = [&] {
      if (!form_->ScanActive()) return;
      ++eventsDuringRun;
      peakDuringRun = std::max(peakDuringRun, ResidentKiB());
      QTimer::singleShot(0, watch);
    };
    QTimer::singleShot(0, watch);
    Load(QString::fromStdString(path));
    qInfo("one line of 300 MB: %d event rounds during the run, memory +%ld KiB at the most",
          eventsDuringRun, peakDuringRun - before);
    // The run let the window handle its events while it read the one line.
    QVERIFY(eventsDuringRun >= 2);
    if (!kSanitized) QVERIFY2(peakDuringRun - before < 8 * 1024, "memory grew with the line");
    QCOMPARE(Listing().size(), 4);
    QCOMPARE(Listing().at(0), QStringLiteral("Data record: 0000h: ") + QString(32, 'A'));
  }

  void aFileItMayNotOpenShowsTheReasonAndTheWindowGoesOn() {
    const std::string plain = dir_.Write("plain.hex", ":00000001FF\r\n");
    QString path;
    QString reason;
    if (::geteuid() == 0) {
      path = QString::fromStdString(plain + "/inner.hex");  // root may read any file
      reason = QStringLiteral("Not a directory");
    } else {
      std::filesystem::permissions(plain, std::filesystem::perms::none);
      path = QString::fromStdString(plain);
      reason = QStringLiteral("Permission denied");
    }
    Load(path);
    QCOMPARE(BoxLines(), QStringList{QStringLiteral("File error: Cannot read file: ") + path +
                                     QStringLiteral("; ") + reason});
    QCOMPARE(platform_.boxes[0].icon, BoxIcon::Critical);
    QVERIFY(form_->Contents_List->isVisible());
    QVERIFY(form_->Load_Button->isEnabled());
  }

  void aFileThatShrinksWhileReadShowsTheErrorAndKeepsTheListing() {
    std::string bytes;
    for (int i = 0; i < 30000; ++i) bytes += ":00000001FF\r\n";
    const std::string path = dir_.Write("shrinks.hex", bytes);
    QTimer::singleShot(0, [&] { std::filesystem::resize_file(path, 100); });
    Load(QString::fromStdString(path));
    QCOMPARE(platform_.boxes.size(), size_t{1});
    QCOMPARE(platform_.boxes[0].text,
             QStringLiteral("Cannot read file: ") + QString::fromStdString(path) +
                 QStringLiteral("\rThe file became shorter while it was read"));
    QVERIFY(form_->Contents_Model->rowCount() > 100);
    QVERIFY(!Listing().contains(QStringLiteral(" - - - - - - - - ")));
    QVERIFY(form_->Contents_List->isVisible());
    // A later load works.
    Load(QString::fromStdString(dir_.Write("ok.hex", ":00000001FF\r\n")));
    QCOMPARE(Listing(), (QStringList{"End record.", " - - - - - - - - "}));
  }

  void loadingAgainFreesThePreviousListing() {
    if (kSanitized) QSKIP("the address sanitizer keeps freed memory in quarantine");
    std::string bytes;
    for (int i = 0; i < 200000; ++i) bytes += ":10010000214601360121470136007EFE09D2190140\r\n";
    const QString path = QString::fromStdString(dir_.Write("big.hex", bytes));
    Load(path);
    const long afterFirst = ResidentKiB();
    Load(path);
    Load(path);
    const long afterThird = ResidentKiB();
    QCOMPARE(form_->Contents_Model->rowCount(), 200003);
    qInfo("three loads of 200000 records: %ld KiB after the first, %ld KiB after the third",
          afterFirst, afterThird);
    QVERIFY2(afterThird - afterFirst < 3 * 1024,
             qPrintable(QStringLiteral("grew by %1 KiB").arg(afterThird - afterFirst)));
  }

  // The real message box shows texts from files and paths as plain text.
  void messageBoxesShowMarkupLiterally() {
    larkspan::QtPlatform platform;
    const QString text = QStringLiteral("Cannot read file: /tmp/<b>x</b>&amp;.hex\rNo such file");
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      shown = box->text();
      format = box->textFormat();
      box->accept();
    });
    platform.MessageBox(form_.get(), BoxIcon::Critical, QStringLiteral("File error"), text);
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(shown, QStringLiteral("Cannot read file: /tmp/<b>x</b>&amp;.hex\nNo such file"));
  }
};

QTEST_MAIN(HostileWindowTest)
#include "hostile_window_test.moc"
