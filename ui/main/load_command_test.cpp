// The load command and files handed over from outside: the file choice, the title
// and the scan run into the window, which lists and warns as the console does,
// stays responsive, keeps its memory, and reports what it cannot read.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>
#include <QWindow>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/qt_platform.h"
#include "support/window_fixture.h"

using namespace larkspan;
using testing::Repeat;

class LoadCommandTest : public testing::WindowFixture {
  Q_OBJECT

  // A file long enough for the run to process pending events (every 100 lines).
  QString ManyLines() { return Write("many.hex", Repeat(":0100000011EE\n", 250)); }
  // A drag of `data` entering the window over the list, or dropped there, as a
  // file manager sends it: whether the window accepted it.
  template <class Event>
  bool Send(const QMimeData& data) {
    Event event({9, 9}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form_->centralWidget(), &event);  // the list may be hidden
    return event.isAccepted();
  }
  // Drags `urls` over the list and drops them there: how many of the two events
  // the window accepted.
  int DragAndDrop(const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    return static_cast<int>(Send<QDragEnterEvent>(data)) + static_cast<int>(Send<QDropEvent>(data));
  }
  // What the real file dialog of the load command shows: title, folder, proposed
  // name, file mode, the choices and the one in force, and the patterns it
  // filters by with the first choice and then with each other one.
  static QStringList ShownDialog(Main_Form& form) {
    QStringList shown;
    WhenModal<QFileDialog>([&](QFileDialog& dialog) {
      auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
      auto* files = dialog.findChild<QFileSystemModel*>();
      shown << dialog.windowTitle() << dialog.directory().absolutePath()
            << dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text()
            << (dialog.fileMode() == QFileDialog::ExistingFile ? "existing" : "any");
      for (int i = 0; i < types->count(); ++i) shown << types->itemText(i);
      shown << types->currentText() << files->nameFilters();
      for (const QString& choice : dialog.nameFilters().mid(1)) {
        dialog.selectNameFilter(choice);
        shown << files->nameFilters();
      }
    });
    form.Load_Button_Click();
    return shown;
  }

 private slots:
  void init() { QVERIFY(OpenWindow()); }
  void cleanup() { form_.reset(); }

  // Every data file with its console output kept (tests/cli), by golden name.
  void listsAndWarnsLikeTheConsole_data() {
    QTest::addColumn<QString>("file");
    const QString data = QStringLiteral(LARKSPAN_SOURCE_DIR "/tests/data/");
    QTest::newRow("mixed") << data + "mixed.hex";
    QTest::newRow("options-end") << data + "-dash.hex";
    QTest::newRow("example") << data + "../../examples/sample86.hex";
    QTest::newRow("srec.s19.s19") << data + "srec/s19.s19";
    for (const char* kind : {"realhex", "hostile"}) {
      for (const QString& name : QDir(data + kind).entryList({"*.hex", "*.H86", "*.bin"})) {
        QTest::addRow("%s.%s", kind, qPrintable(name)) << data + kind + '/' + name;
      }
    }
  }
  void listsAndWarnsLikeTheConsole() {
    QFETCH(QString, file);
    Load(file);
    const QString golden =
        QStringLiteral(LARKSPAN_SOURCE_DIR "/tests/golden/") + QTest::currentDataTag();
    QCOMPARE(Listing(), FileLines(golden + ".stdout"));
    QCOMPARE(BoxLines(), FileLines(golden + ".stderr"));
    QCOMPARE(form_->windowTitle(), "Larkspan - " + file);
    // The first entry selected and shown in the indicator, the list in the focus.
    QVERIFY(form_->ListIndex() == 0 && ui_.Line_Text->text() == "0");
    QCOMPARE(QApplication::focusWidget(), ui_.Contents_List);
  }

  void theDialogOpensAtThePreviousFileAndOffersTheFileTypes() {
    // The real dialog; message boxes (none are expected) go to the stand-in.
    struct RealDialog : testing::FakePlatform {
      std::optional<QString> ChooseFile(QWidget* parent, const CommonDialog& dialog) override {
        return QtPlatform().ChooseFile(parent, dialog);
      }
    } platform;
    Main_Form form(platform);
    QCOMPARE(ShownDialog(form).join(" | "),
             "Enter path & name of HEX-file: | " + QDir::currentPath() +
                 " |  | existing | HEX file (*.hex) | Intel (*.83) | MCS-86 (*.88) | "
                 "All files (*.*) | S-record files (*.s19 *.s28 *.s37 *.srec *.mot *.mhx *.sx) | "
                 "HEX file (*.hex) | *.hex | *.83 | *.88 | * | "
                 "*.s19 | *.s28 | *.s37 | *.srec | *.mot | *.mhx | *.sx");
    const QString boot = Write("boot.hex", ":00000001FF\r\n");
    form.LoadFile(boot);
    QCOMPARE(ShownDialog(form).mid(1, 2), (QStringList{dir_.Path().c_str(), "boot.hex"}));
    QCOMPARE(form.windowTitle(), "Larkspan - " + boot);  // cancelled
    QVERIFY(platform.boxes.empty());
  }

  void aSecondLoadReplacesTheListingAndCancelChangesNothing() {
    Load(Write("first.hex", ":00000001FF\r\n"));
    const QString path = ManyLines();
    // The user selects the first entry during the run: it ends showing 0 all the same.
    QTimer::singleShot(0,
                       [&] { ui_.Contents_List->setCurrentIndex(ui_.Contents_Model->index(0)); });
    Load(path);
    QCOMPARE(ui_.Line_Text->text(), QStringLiteral("0"));
    ui_.Contents_List->setCurrentIndex(ui_.Contents_Model->index(2));
    const QStringList listing = Listing();
    QCOMPARE(listing.size(), 253);
    Load(QString());  // cancel
    QCOMPARE(Listing(), listing);
    QCOMPARE(form_->CurrentFileName(), path);
    QCOMPARE(form_->windowTitle(), "Larkspan - " + path);
    QCOMPARE(ui_.Line_Text->text(), QStringLiteral("2"));
  }

  // A named pipe is read as its writer writes; while the run waits, the window
  // handles its events: here the writer only comes through them.
  void aPipeIsWaitedForWhileTheWindowHandlesItsEvents() {
    const std::string path = (dir_.Path() / "pipe.hex").string();
    QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
    int writer = -1;
    QTimer eachRound;  // a zero timer fires in every round of event processing
    connect(&eachRound, &QTimer::timeout, [&] {
      if (writer == -1) {
        writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
        QCOMPARE(::write(writer, ":00000001FF\n", 12), 12);
      } else if (writer >= 0 && ui_.Contents_Model->StoredCount() == 1) {
        // The record is read; the run waits for more.
        ui_.Func_About->trigger();
        ::close(writer);
        writer = -2;
      }
    });
    eachRound.start(0);
    Load(QString::fromStdString(path));
    QCOMPARE(Listing(), (QStringList{"End record.", " - - - - - - - - "}));
    QCOMPARE(BoxLines().size(), 1);
  }

  void theRunWaitsForEachBoxWithTheEntriesBeforeIt() {
    std::vector<int> rowsWhileOpen;
    platform_.whileBoxOpen = [&] { rowsWhileOpen.push_back(ui_.Contents_Model->rowCount()); };
    Load(Write("w.hex", ":0100000011EE\r\n:02000004FFFFFC\r\n:\r\n"));
    QCOMPARE(rowsWhileOpen, (std::vector<int>{1, 1}));
  }

  // The indicator keeps what it showed until the run has read 100 lines, then
  // counts every 100; boxes of unknown records in lines 0, 99, 100 and 299 see it.
  void theIndicatorCountsEveryHundredLinesFromWhatItShowed() {
    Load(ManyLines());
    ui_.Contents_List->setCurrentIndex(ui_.Contents_Model->index(2));
    const std::string unknown = ":00000006FA\n";
    const std::string lines = unknown + Repeat(":0100000011EE\n", 98) + unknown + unknown +
                              Repeat(":0100000011EE\n", 198) + unknown;
    QStringList shown;
    platform_.whileBoxOpen = [&] { shown << ui_.Line_Text->text(); };
    Load(Write("unknown.hex", lines));
    QCOMPARE(shown, (QStringList{"2", "2", "100", "200"}));
  }

  // A file error shows its box also after the user asked for no further warnings:
  // here the file shrinks while the first warning's box is open.
  void aFileErrorShowsAfterFurtherWarningsWereDeclined() {
    const QString shrinks =
        Write("shrinks.hex", ":00000006FA\r\n" + Repeat(":00000001FF\r\n", 30000));
    platform_.tickedBox = 0;
    platform_.whileBoxOpen = [&] { std::filesystem::resize_file(shrinks.toStdString(), 100); };
    Load(shrinks);
    QCOMPARE(BoxLines().size(), 2);
    QCOMPARE(platform_.boxes[1].icon, BoxIcon::Critical);
  }

  // During a run only About and the exits work: no second load, no drop, also of
  // a drag that entered before the run. Quick load hides the list during the run only.
  void duringARunOnlyAboutAndTheExitsWork() {
    const QString running = ManyLines();
    ui_.Quick_Check->setChecked(true);
    bool listShown = true;
    bool loadOffered = true;
    int dropsAccepted = -1;
    QMimeData early;
    early.setUrls({QUrl::fromLocalFile(Write("a.hex", ":00000001FF\r\n"))});
    QVERIFY(Send<QDragEnterEvent>(early));
    bool activeAtExit = false;
    platform_.onExit = [&] { activeAtExit = form_->ScanActive(); };
    QTimer::singleShot(0, [&] {
      listShown = ui_.Contents_List->isVisible();
      loadOffered = ui_.Load_Button->isEnabled() || ui_.Func_Load->isEnabled();
      form_->Load_Button_Click();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      dropsAccepted = Send<QDropEvent>(early) +
                      DragAndDrop({QUrl::fromLocalFile(Write("b.hex", ":00000001FF\r\n"))});
      ui_.Func_About->trigger();
      ui_.Exit_Button->click();
    });
    Load(running);
    QVERIFY(!listShown && !loadOffered);
    QVERIFY(ui_.Contents_List->isVisible());
    QCOMPARE(platform_.requests.size(), size_t{1});
    QCOMPARE(dropsAccepted, 0);
    QCOMPARE(BoxLines().size(), 1);
    QVERIFY(BoxLines()[0].startsWith("About Larkspan"));
    QVERIFY(activeAtExit);
    QCoreApplication::processEvents();
    QCOMPARE(form_->CurrentFileName(), running);
    QCOMPARE(ui_.Contents_Model->rowCount(), 253);
    QVERIFY(ui_.Load_Button->isEnabled() && ui_.Func_Load->isEnabled());
  }

  // On a visible list, entries show from the first round of events on, and keep
  // coming after a modal box. The file is a pipe that a writer feeds a hundred
  // lines at each round of the window's events, so that the run takes its time.
  void entriesKeepComingAfterAModalBox() {
    const std::string path = (dir_.Path() / "slow.hex").string();
    QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
    const int keepOpen = ::open(path.c_str(), O_RDWR);  // lets the writer in before the run
    const std::string hundred = Repeat(":0100000011EE\n", 100);
    QCOMPARE(::write(keepOpen, hundred.data(), hundred.size()), std::ssize(hundred));
    std::atomic<int> rounds = 0;
    std::thread writer([end = ::open(path.c_str(), O_WRONLY), &rounds, &hundred] {
      for (int i = 1; i < 60; ++i) {
        for (int seen = rounds; seen < i; seen = rounds) rounds.wait(seen);
        if (::write(end, hundred.data(), hundred.size()) <= 0) break;
      }
      ::close(end);
    });
    int firstRound = -1, rowsAtClose = -1;
    bool moreDuringRun = false;
    platform_.whileBoxOpen = [&] { rowsAtClose = ui_.Contents_Model->rowCount(); };
    QTimer eachRound;
    connect(&eachRound, &QTimer::timeout, [&] {
      const int rows = ui_.Contents_Model->rowCount();
      if (firstRound < 0) {
        firstRound = rows;
        ::close(keepOpen);
        ui_.Func_About->trigger();
      } else if (rowsAtClose >= 0 && rows > rowsAtClose && form_->ScanActive()) {
        moreDuringRun = true;
      }
      ++rounds;
      rounds.notify_all();
    });
    eachRound.start(0);
    Load(QString::fromStdString(path));
    writer.join();
    QCOMPARE(firstRound, 100);
    QCOMPARE(rowsAtClose, 100);
    QVERIFY(moreDuringRun);
    QCOMPARE(ui_.Contents_Model->rowCount(), 6003);
  }

  void longEntriesAfterAShortFirstOneCanBeScrolledTo() {
    Load(Write("wide.hex", ":00000001FF\r\n:20000000" + std::string(64, 'A') + "\r\n"));
    // Also when the longest entry comes in a later batch than the first ones.
    ui_.Contents_Model->Append("Data record: 0000h: " + std::string(200, 'B'));
    ui_.Contents_Model->Publish();
    QCoreApplication::processEvents();
    for (const int row : {1, 3}) {
      const QModelIndex wide = ui_.Contents_Model->index(row);
      QVERIFY(ui_.Contents_List->visualRect(wide).width() >=
              QFontMetrics(ui_.Contents_List->font()).horizontalAdvance(wide.data().toString()));
    }
    QVERIFY(ui_.Contents_List->horizontalScrollBar()->maximum() > 0);
  }

  // A file on the command line or dropped loads as if chosen in the dialog; a
  // drop of several files or a remote one is refused without a box.
  void filesFromOutsideLoadAsIfChosenInTheDialog() {
    form_->LoadLater(QString::fromStdString((dir_.Path() / "missing.hex").string()));
    QTRY_COMPARE(BoxLines().size(), 1);
    QVERIFY(BoxLines()[0].startsWith("File error: ") && ui_.Load_Button->isEnabled() &&
            platform_.exits == 0);
    QDir::setCurrent(QStringLiteral(LARKSPAN_SOURCE_DIR));
    form_->LoadLater(QStringLiteral("tests/../examples/sample86.hex"));
    QTRY_COMPARE(form_->CurrentFileName(), LARKSPAN_SOURCE_DIR "/examples/sample86.hex");
    QCOMPARE(ui_.Contents_Model->rowCount(), 16);
    // Paths are shown as they stand, also where Qt reads markup or a modified mark.
    const QString path = Write("<b>x<i>&amp;[*].hex", ":00000001FF\r\n");
    const QUrl file = QUrl::fromLocalFile(path);
    QCOMPARE(DragAndDrop({file, file}) + DragAndDrop({QUrl("https://example.org/b.hex")}), 0);
    QCOMPARE(DragAndDrop({file}), 2);
    QTRY_COMPARE(form_->CurrentFileName(), path);
    QCOMPARE(form_->windowHandle()->title(), "Larkspan - " + path);
    QCOMPARE(Listing().size(), 2);
    QCOMPARE(platform_.boxes.size(), size_t{1});  // the missing file's
  }

  void aLineOfHundredsOfMegabytesKeepsTheWindowAlive() {
    const std::string path = (dir_.Path() / "one-line.hex").string();
    {
      std::ofstream out(path, std::ios::binary);
      const std::string chunk(1 << 20, 'A');
      out << ":10000000";
      for (int i = 0; i < 300; ++i) out << chunk;
    }
    int rounds = 0;
    std::function<void()> watch = [&] {
      if (!form_->ScanActive()) return;
      ++rounds;
      QTimer::singleShot(0, watch);
    };
    QTimer::singleShot(0, watch);
    Load(QString::fromStdString(path));
    QVERIFY(rounds >= 2);  // the window handled its events while the line was read
    QCOMPARE(Listing().size(), 4);
    QCOMPARE(Listing().at(0), "Data record: 0000h: " + QString(32, 'A'));
  }

  // A file it may not open (with quick load, which hides the list during the run)
  // or one that shrinks while read: the reason in a box, the listing as far as it
  // got, and the window goes on.
  void fileErrorsShowTheReasonAndTheWindowGoesOn() {
    const std::string plain = dir_.Write("plain.hex", ":00000001FF\r\n");
    const bool root = ::geteuid() == 0;  // root may read any file
    if (!root) std::filesystem::permissions(plain, std::filesystem::perms::none);
    const QString closed = QString::fromStdString(root ? plain + "/inner.hex" : plain);
    ui_.Quick_Check->setChecked(true);
    Load(closed);
    QVERIFY(ui_.Contents_List->isVisible() && ui_.Load_Button->isEnabled());
    ui_.Quick_Check->setChecked(false);
    const QString shrinks = Write("shrinks.hex", Repeat(":00000001FF\r\n", 30000));
    QTimer::singleShot(0, [&] { std::filesystem::resize_file(shrinks.toStdString(), 100); });
    Load(shrinks);
    QCOMPARE(BoxLines(), (QStringList{"File error: Cannot read file: " + closed +
                                          (root ? "; Not a directory" : "; Permission denied"),
                                      "File error: Cannot read file: " + shrinks +
                                          "; The file became shorter while it was read"}));
    QCOMPARE(platform_.boxes[0].icon, BoxIcon::Critical);
    QVERIFY(ui_.Contents_Model->rowCount() > 100);
    QVERIFY(!Listing().contains(QStringLiteral(" - - - - - - - - ")));
    Load(Write("ok.hex", ":00000001FF\r\n"));  // a later load works
    QCOMPARE(Listing(), (QStringList{"End record.", " - - - - - - - - "}));
  }

  // The real message box shows texts from files and paths as plain text, and
  // tells whether its check box was ticked.
  void messageBoxesShowMarkupLiterally() {
    QString shown;
    WhenModal<QMessageBox>([&](QMessageBox& box) {
      shown = box.textFormat() == Qt::PlainText ? box.text() : QStringLiteral("not plain");
      shown += " | " + box.checkBox()->text();
      box.checkBox()->setChecked(true);
    });
    QVERIFY(
        QtPlatform().MessageBox(form_.get(), BoxIcon::Critical, QStringLiteral("File error"),
                                QStringLiteral("Cannot read file: /tmp/<b>x</b>&amp;.hex\nNo such"),
                                QStringLiteral("Tick")));
    QCOMPARE(shown, QStringLiteral("Cannot read file: /tmp/<b>x</b>&amp;.hex\nNo such | Tick"));
  }
};

QTEST_MAIN(LoadCommandTest)
#include "load_command_test.moc"
