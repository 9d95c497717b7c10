// Files handed to the window from outside: the command line's file and drops.
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <string>

#include "window_fixture.h"

using larkspan::BoxIcon;

namespace {

const char kThreeRecords[] =
    ":10010000214601360121470136007EFE09D2190140\r\n"
    ":100110002146017E17C20001FF5F16002148011928\r\n"
    ":00000001FF\r\n";

}  // namespace

class FilesFromOutsideTest : public larkspan::testing::WindowFixture {
  Q_OBJECT

 private:
  // Drags `urls` over the list and drops them there, as a file manager does; how
  // many of the two events the window accepted.
  int DragAndDrop(const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QWidget* target = form_->Contents_List->viewport();
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return static_cast<int>(enter.isAccepted()) + static_cast<int>(drop.isAccepted());
  }

 private slots:
  void init() { QVERIFY(OpenWindow()); }
  void cleanup() { CloseWindow(); }

  void theFileArgumentLoadsAsIfChosenInTheDialog() {
    QDir::setCurrent(QStringLiteral(LARKSPAN_SOURCE_DIR));
    const QString path = QStringLiteral(LARKSPAN_SOURCE_DIR "/examples/sample86.hex");
    form_->LoadLater(QStringLiteral("tests/../examples/sample86.hex"));
    QTRY_COMPARE(form_->CurrentFile, path);
    QCOMPARE(form_->windowTitle(), QStringLiteral("Larkspan - ") + path);
    QCOMPARE(Listing(),
             FileLines(QStringLiteral(LARKSPAN_SOURCE_DIR "/tests/golden/example.stdout")));
    QVERIFY(platform_.boxes.empty());
    form_->Load_Button_Click();
    QCOMPARE(platform_.requests.size(), size_t{1});
    QCOMPARE(platform_.requests[0].folder, QStringLiteral(LARKSPAN_SOURCE_DIR "/examples"));
    QCOMPARE(platform_.requests[0].fileName, QStringLiteral("sample86.hex"));
  }

  void aFileArgumentThatCannotBeReadGivesTheFileErrorAndTheWindowStays() {
    const QString path = QString::fromStdString((dir_.Path() / "missing.hex").string());
    form_->LoadLater(path);
    QTRY_COMPARE(platform_.boxes.size(), size_t{1});
    QCOMPARE(platform_.boxes[0].icon, BoxIcon::Critical);
    QCOMPARE(platform_.boxes[0].title, QStringLiteral("File error"));
    QCOMPARE(platform_.exits, 0);
    QVERIFY(form_->isVisible());
    QVERIFY(form_->Load_Button->isEnabled());
  }

  void aDroppedFileLoads() {
    const QString path = Write("boot.hex", kThreeRecords);
    QCOMPARE(DragAndDrop({QUrl::fromLocalFile(path)}), 2);
    QTRY_COMPARE(form_->CurrentFile, path);
    QCOMPARE(form_->windowTitle(), QStringLiteral("Larkspan - ") + path);
    QCOMPARE(Listing().size(), 6);
  }

  void noDropDuringARun() {
    std::string many;
    for (int i = 0; i < 250; ++i) many += ":0100000011EE\n";
    const QString running = Write("many.hex", many);
    const QString dropped = Write("boot.hex", kThreeRecords);
    int accepted = -1;
    QTimer::singleShot(0, [&] { accepted = DragAndDrop({QUrl::fromLocalFile(dropped)}); });
    Load(running);
    QCOMPARE(accepted, 0);
    QCoreApplication::processEvents();
    QCOMPARE(form_->CurrentFile, running);
  }

  void severalFilesOrARemoteFileAreRefusedWithoutABox() {
    const QString path = Write("boot.hex", kThreeRecords);
    QCOMPARE(DragAndDrop({QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)}), 0);
    QCOMPARE(DragAndDrop({QUrl(QStringLiteral("https://example.org/boot.hex"))}), 0);
    QCoreApplication::processEvents();
    QVERIFY(platform_.boxes.empty());
    QVERIFY(form_->CurrentFile.isEmpty());
  }
};

QTEST_MAIN(FilesFromOutsideTest)
#include "files_from_outside_test.moc"
