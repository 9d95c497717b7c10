// The window's smaller parts: path splitting, placement beside a window and the
// compact list model.
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include "main/listing_model.h"
#include "main/split_filename.h"
#include "platform/window_placement.h"

using larkspan::ListingModel;

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
      QCOMPARE(larkspan::SplitFilename(split.path, true), QLatin1String(split.folder));
      QCOMPARE(larkspan::SplitFilename(split.path, false), QLatin1String(split.name));
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
      QCOMPARE(larkspan::PlaceBeside(place.screen, QRect(place.main, QSize(490, 330)), {640, 450}),
               place.at);
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
