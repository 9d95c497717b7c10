// The window's smaller parts: path splitting, placement beside a window, the
// scan run's steps on the window and the compact list model.
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include "main/form_listing_view.h"
#include "main/listing_model.h"
#include "main/split_filename.h"
#include "platform/window_placement.h"
#include "session/scan_session.h"
#include "support/temp_file.h"

using namespace larkspan;

namespace {

// The window's side of a scan run, as the steps it was asked for; entries and
// rounds of events are not among them.
struct RecordingWindow final : ListingWindow {
  QStringList steps;
  bool quick = false;
  bool visible = true;

  void ClearList() override { steps << "clear"; }
  void AddItem(std::string_view, LineKind, std::int64_t) override {}
  void PublishItems(bool) override {}
  bool ListVisible() const override { return visible; }
  void SetListVisible(bool shown) override {
    visible = shown;
    steps << (shown ? "show" : "hide");
  }
  void FocusList() override { steps << "focus"; }
  void SelectFirstItem() override { steps << "select first"; }
  void ShowSelectedIndex() override { steps << "show index"; }
  bool QuickLoad() const override { return quick; }
  void SetIndicator(const QString& text) override { steps << text; }
  bool ShowMessage(BoxIcon, const QString& title, const QString&, const QString&) override {
    steps << "box " + title;
    return false;
  }
  void ProcessPendingEvents() override {}
};

}  // namespace

class PartsTest : public QObject {
  Q_OBJECT

 private slots:
  void splitFilename() {
    const struct {
      const char *path, *folder, *name;
    } cases[] = {
        {"", ".", ""},
        {"/work/fw/boot.hex", "/work/fw", "boot.hex"},
        {"/boot.hex", "/", "boot.hex"},
        {"boot.hex", ".", "boot.hex"},
        {"C:\\work\\boot.hex", ".", "C:\\work\\boot.hex"},  // a backslash is part of a name
        {"fw/boot.hex", "fw", "boot.hex"},
        {"/work/", "/work", ""},
    };
    for (const auto& split : cases) {
      QCOMPARE(SplitFilename(split.path, true), QLatin1String(split.folder));
      QCOMPARE(SplitFilename(split.path, false), QLatin1String(split.name));
    }
  }

  // A window of 640x450 beside a main window of 490x330, on screens of 1280 and
  // 1920 pixels with a panel at the top.
  void placesBesideWhereThereIsRoom() {
    const struct {
      QRect screen;
      QPoint main;
      std::optional<QPoint> at;
    } cases[] = {
        {{0, 24, 1280, 1000}, {395, 371}, std::nullopt},  // centred: room on neither side
        {{0, 24, 1920, 1056}, {715, 387}, QPoint(1205, 387)},
        {{0, 24, 1920, 1056}, {1430, 100}, QPoint(790, 100)},  // at the right edge: left
        {{0, 24, 1280, 1000}, {0, 900}, QPoint(490, 574)},     // moved up to fit
        {{0, 24, 1280, 1000}, {0, 0}, QPoint(490, 24)},        // below the panel
        {{0, 24, 1280, 200}, {0, 30}, QPoint(490, 24)},        // taller than the screen
        {{1280, 0, 1280, 1024}, {1280, 0}, QPoint(1770, 0)},   // a second screen
        {{1280, 0, 1280, 1024}, {1920, 0}, QPoint(1280, 0)},   // left, exactly
        {{1280, 0, 1280, 1024}, {1919, 0}, std::nullopt},
    };
    for (const auto& place : cases) {
      QCOMPARE(PlaceBeside(place.screen, QRect(place.main, QSize(490, 330)), {640, 450}), place.at);
    }
  }

  // The indicator counts every 100 lines, shows "Done" after a whole file and
  // nothing before the first count; the list is hidden during a quick load.
  void aRunCountsItsLinesAndEndsWithDone() {
    const testing::TempDir dir;
    const std::string record = ":0100000011EE\n";
    const QStringList end{"Done", "show", "focus", "select first", "show index"};
    const struct {
      std::string bytes;  // none: no such file
      bool quick;
      QStringList steps;
    } cases[] = {
        {testing::Repeat(record, 99), false, QStringList{"clear"} + end},
        {testing::Repeat(record, 250), true, QStringList{"clear", "hide", "100", "200"} + end},
        {":00000006FA\n" + testing::Repeat(record, 99), false,
         QStringList{"clear", "box Unknown datatype", "100"} + end},
        {{}, true, {"clear", "hide", "box File error", "show", "focus", "show index"}},
    };
    for (const auto& run : cases) {
      const std::string path =
          run.bytes.empty() ? (dir.Path() / "missing.hex").string() : dir.Write("f.hex", run.bytes);
      RecordingWindow window;
      window.quick = run.quick;
      PacingCounts counts;
      FormListingView::Prepare(window);
      FormListingView view(window, counts);
      ScanSession session({.listing = &view}, view);
      FormListingView::Finish(window, session.Run(path) == ScanOutcome::Complete);
      QCOMPARE(window.steps, run.steps);
    }
  }

  // Entries show once published, each as appended, across storage blocks.
  void modelKeepsItsContractAndEveryText() {
    ListingModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy inserted(&model, &ListingModel::rowsInserted);
    const std::string texts[] = {"Data record: ",
                                 "Extended address: 10000h",
                                 "Start record: 0000h: C0 00",
                                 std::string("Data record: 0000h: \xe9\x01\0", 23),
                                 "Data recor",
                                 "",
                                 std::string(600, 'x')};
    for (int round = 0; round < 5000; ++round) {
      for (const auto& text : texts) model.Append(text);
    }
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.StoredCount(), 35000);
    model.Publish();
    model.Publish();
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(model.rowCount(), 35000);
    for (int row = 0; row < model.rowCount(); ++row) {
      const std::string& text = texts[row % 7];
      if (model.index(row).data() != QString::fromLatin1(text.data(), std::ssize(text))) {
        QFAIL(qPrintable(QStringLiteral("row %1").arg(row)));
      }
    }
    model.Clear();
    // Entries and their lines: line 2 has none (a warning), the summary none.
    for (const std::int64_t line : {0, 1, 3, 4, -1, -1}) model.Append("x", {}, line);
    QCOMPARE((std::vector{model.RowOfLine(2), model.RowOfLine(3), model.RowOfLine(5)}),
             (std::vector<std::int64_t>{-1, 2, -1}));
    QCOMPARE((std::vector{model.LineOfRow(3), model.LineOfRow(4), model.LineOfRow(9)}),
             (std::vector<std::int64_t>{4, -1, -1}));
    model.Clear();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.StoredCount(), 0);
  }
};

QTEST_MAIN(PartsTest)
#include "parts_test.moc"
