// The memory map window, the options of the scan run and the warning boxes that
// can be silenced.
#include <QLabel>
#include <QTabWidget>
#include <QTreeView>

#include "image/image_window.h"
#include "map/map_window.h"
#include "support/window_fixture.h"

using namespace larkspan;

class MapWindowTest : public testing::WindowFixture {
  Q_OBJECT

  static QString Source(const char* path) { return QStringLiteral(LARKSPAN_SOURCE_DIR "/") + path; }
  MapWindow& Map() const { return *form_->MapView(); }
  // Opens the map window and waits for the map of the file last loaded.
  void OpenMap() {
    ui_.Func_Map->trigger();
    QTRY_VERIFY(Map().isActiveWindow() && form_->LastMap() != nullptr);
  }
  QAbstractItemModel& Model(MapWindow::Table table) const { return *Map().View(table)->model(); }
  // Every row of `table`, its cells joined by `separator`, from column `first` on.
  QStringList Rows(MapWindow::Table table, const QString& separator, int first = 0) const {
    QStringList rows;
    for (int row = 0; row < Model(table).rowCount(); ++row) {
      QStringList cells;
      for (int column = first; column < Model(table).columnCount(); ++column) {
        cells << Model(table).index(row, column).data().toString();
      }
      rows << cells.join(separator);
    }
    return rows;
  }
  // The window as the user reads it: summary, then each tab with its columns and rows.
  QStringList Shown() const {
    QStringList shown{Map().windowTitle(), Map().Summary_Label->text().replace('\n', " / ")};
    for (int table = 0; table < MapWindow::kTables; ++table) {
      QStringList headers;
      for (int column = 0; column < Model(MapWindow::Table(table)).columnCount(); ++column) {
        headers << Model(MapWindow::Table(table)).headerData(column, Qt::Horizontal).toString();
      }
      shown << Map().Tables_Tab->tabText(table) + ": " + headers.join(" | ");
      for (const QString& row : Rows(MapWindow::Table(table), " | ")) shown << "  " + row;
    }
    return shown;
  }
  // Double-clicks a cell, or presses Enter on it: the indicator then.
  QString Choose(MapWindow::Table table, int row, int column, bool enter = false) {
    QTreeView* view = Map().View(table);
    Map().Tables_Tab->setCurrentIndex(table);
    const QModelIndex index = view->model()->index(row, column);
    view->setCurrentIndex(index);
    if (enter) {
      QTest::keyClick(view, Qt::Key_Return);
    } else {  // a click, then a double-click's second half
      const QPoint at = view->visualRect(index).center();
      QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
      QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
    return ui_.Line_Text->text();
  }

 private slots:
  void init() { QVERIFY(OpenWindow()); }
  void cleanup() { form_.reset(); }

  // 344 unknown records: the first box answered, the second ticked, no more boxes.
  void aTickedBoxSilencesTheRestOfTheRunAndTheMapListsEveryWarning() {
    platform_.tickedBox = 1;
    Load(Source("tests/data/realhex/v20mbc_CPM.H86"));
    const QStringList warnings = FileLines(Source("tests/golden/realhex.v20mbc_CPM.H86.stderr"));
    QCOMPARE(BoxLines(), warnings.mid(0, 2));
    QCOMPARE(platform_.boxes[1].checkBox, "Don't show further warnings for this file");
    QVERIFY(form_->LastMap() == nullptr);  // no view wanted it: the load read once
    OpenMap();
    QCOMPARE(Rows(MapWindow::kWarnings, ": ", 1), warnings);
  }

  // Both options on, remembered for the next window; a file with ranges, a gap, a
  // conflicting overlap, 32-bit records, a checksum fault and an unknown type.
  void theMapShowsItsTablesAndLeadsToTheEntries() {
    ui_.Func_Linear->trigger();
    ui_.Func_Check->trigger();
    QVERIFY(Main_Form(platform_).Parts().Func_Check->isChecked());
    QVERIFY(Main_Form(platform_).Parts().Func_Linear->isChecked());
    Load(Source("ui/map/map_window_test.hex"));
    QVERIFY(form_->LastMap() != nullptr);  // Check records: the load gathered it
    OpenMap();
    QStringList shown = Listing() + BoxLines() + Shown();
    shown.replaceInStrings(Source(""), "");
    QCOMPARE(shown, FileLines(Source("ui/map/map_window_test.txt")));
    // A range, the overlap's later line, a fault (by Enter); the unknown record on
    // line 8 has no entry: the one before it, line 7.
    QCOMPARE(
        (QStringList{Choose(MapWindow::kRanges, 1, 0), Choose(MapWindow::kOverlaps, 0, 4),
                     Choose(MapWindow::kWarnings, 0, 1, true), Choose(MapWindow::kWarnings, 1, 2)}),
        (QStringList{"4", "5", "3", "7"}));
    Map().Image_Button->click();  // the memory image, from the map
    QVERIFY(form_->ImageView() != nullptr && form_->ImageView()->isVisible());
    QTest::keyClick(Map().View(MapWindow::kWarnings), Qt::Key_Escape);
    QTRY_VERIFY(!Map().isVisible());
    // While a file is read the window says so; after a file error, that it could not be read.
    QString during;
    platform_.whileBoxOpen = [&] { during = Map().Summary_Label->text(); };
    Load(Source("missing.hex"));
    QCOMPARE(during, "A file is being read; its map follows when it has been read.");
    QCOMPARE(
        Map().Summary_Label->text(),
        Source("missing.hex") + "\nThe file could not be read.\n" + platform_.boxes.back().text);
    QCOMPARE(Model(MapWindow::kWarnings).rowCount() + Model(MapWindow::kRanges).rowCount(), 1);
  }

  // The window's map counts as the console's: a type 04 record with three bytes
  // and a type 02 record with four are invalid records, whether the listing lists
  // them (32-bit) or warns about an unknown type (16-bit); each warning of the map
  // was shown in a box. One byte that differs reads singular.
  void theMapCountsAsTheConsoleDoes_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("linear");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("bases 16-bit") << "map/base-counts.hex" << false << QStringList();
    QTest::newRow("bases 32-bit") << "map/base-counts.hex" << true << QStringList();
    QTest::newRow("one byte differs")
        << "map/one-byte.hex" << false << QStringList{"1 byte differs"};
  }
  void theMapCountsAsTheConsoleDoes() {
    QFETCH(QString, file);
    QFETCH(bool, linear);
    if (linear) ui_.Func_Linear->trigger();
    ui_.Func_Check->trigger();
    Load(Source("tests/data/") + file);
    OpenMap();
    const QString golden = Source("tests/golden/map.") + QString(file).replace('/', '.');
    const QStringList counts = FileLines(golden + ".stdout").last().split("; ");
    QCOMPARE(Rows(MapWindow::kRecords, " ").mid(6), counts.mid(1));
    QCOMPARE(Rows(MapWindow::kWarnings, ": ", 1), BoxLines());
    QTEST(Rows(MapWindow::kOverlaps, "", 5), "values");
  }
};

QTEST_MAIN(MapWindowTest)
#include "map_window_test.moc"
