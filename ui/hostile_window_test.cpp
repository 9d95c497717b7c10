// The window on hostile files: it stays responsive, keeps its memory, reports what
// it cannot read and keeps working.
#include <QMessageBox>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "qt_platform.h"
#include "resident_memory.h"
#include "window_fixture.h"

using namespace larkspan;
using testing::ResidentKiB;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

class HostileWindowTest : public testing::WindowFixture {
  Q_OBJECT

  // The text of the one box shown, and that the window works on.
  QString TheBoxAndTheWindowGoesOn() {
    if (platform_.boxes.size() != 1) return QStringLiteral("%1 boxes").arg(platform_.boxes.size());
    if (!form_->Contents_List->isVisible() || !form_->Load_Button->isEnabled()) return "stuck";
    return platform_.boxes[0].text;
  }

 private slots:
  void init() { QVERIFY(OpenWindow()); }
  void cleanup() { form_.reset(); }

  void aLineOfHundredsOfMegabytesKeepsTheWindowAliveAndItsMemory() {
    const std::string path = (dir_.Path() / "one-line.hex").string();
    {
      std::ofstream out(path, std::ios::binary);
      const std::string chunk(1 << 20, 'A');
      out << ":10000000";
      for (int i = 0; i < 300; ++i) out << chunk;
    }
    const long before = ResidentKiB();
    long peak = 0;
    int rounds = 0;
    std::function<void()> watch = [&] {
      if (!form_->ScanActive()) return;
      ++rounds;
      peak = std::max(peak, ResidentKiB());
      QTimer::singleShot(0, watch);
    };
    QTimer::singleShot(0, watch);
    Load(QString::fromStdString(path));
    qInfo("one line of 300 MB: %d event rounds, memory +%ld KiB at most", rounds, peak - before);
    QVERIFY(rounds >= 2);  // the window handled its events while the line was read
    if (!kSanitized) QVERIFY2(peak - before < 8 * 1024, "memory grew with the line");
    QCOMPARE(Listing().size(), 4);
    QCOMPARE(Listing().at(0), "Data record: 0000h: " + QString(32, 'A'));
  }

  // Also with quick load, which hides the list until the run ends.
  void aFileItMayNotOpenShowsTheReasonAndTheWindowGoesOn() {
    const std::string plain = dir_.Write("plain.hex", ":00000001FF\r\n");
    const bool root = ::geteuid() == 0;  // root may read any file
    if (!root) std::filesystem::permissions(plain, std::filesystem::perms::none);
    const QString path = QString::fromStdString(root ? plain + "/inner.hex" : plain);
    form_->Quick_Check->setChecked(true);
    Load(path);
    QCOMPARE(platform_.boxes.at(0).icon, BoxIcon::Critical);
    QCOMPARE(TheBoxAndTheWindowGoesOn(),
             "Cannot read file: " + path + (root ? "\rNot a directory" : "\rPermission denied"));
  }

  void aFileThatShrinksWhileReadShowsTheErrorAndKeepsTheListing() {
    const std::string path = dir_.Write("shrinks.hex", testing::Repeat(":00000001FF\r\n", 30000));
    QTimer::singleShot(0, [&] { std::filesystem::resize_file(path, 100); });
    Load(QString::fromStdString(path));
    QCOMPARE(TheBoxAndTheWindowGoesOn(), "Cannot read file: " + QString::fromStdString(path) +
                                             "\rThe file became shorter while it was read");
    QVERIFY(form_->Contents_Model->rowCount() > 100);
    QVERIFY(!Listing().contains(QStringLiteral(" - - - - - - - - ")));
    Load(Write("ok.hex", ":00000001FF\r\n"));  // a later load works
    QCOMPARE(Listing(), (QStringList{"End record.", " - - - - - - - - "}));
  }

  void loadingAgainFreesThePreviousListing() {
    if (kSanitized) QSKIP("the address sanitizer keeps freed memory in quarantine");
    const QString path = Write(
        "big.hex", testing::Repeat(":10010000214601360121470136007EFE09D2190140\r\n", 200000));
    Load(path);
    const long afterFirst = ResidentKiB();
    Load(path);
    Load(path);
    QCOMPARE(form_->Contents_Model->rowCount(), 200003);
    QVERIFY2(ResidentKiB() - afterFirst < 3 * 1024,
             qPrintable(QStringLiteral("grew by %1 KiB").arg(ResidentKiB() - afterFirst)));
  }

  // The real message box shows texts from files and paths as plain text.
  void messageBoxesShowMarkupLiterally() {
    QString shown;
    WhenModal<QMessageBox>([&](QMessageBox& box) {
      shown = box.textFormat() == Qt::PlainText ? box.text() : QStringLiteral("not plain");
    });
    QtPlatform().MessageBox(form_.get(), BoxIcon::Critical, QStringLiteral("File error"),
                            QStringLiteral("Cannot read file: /tmp/<b>x</b>&amp;.hex\rNo such"));
    QCOMPARE(shown, QStringLiteral("Cannot read file: /tmp/<b>x</b>&amp;.hex\nNo such"));
  }
};

QTEST_MAIN(HostileWindowTest)
#include "hostile_window_test.moc"
