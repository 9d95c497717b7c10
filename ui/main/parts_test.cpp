// The window's smaller parts: path splitting and the compact list model.
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include "main/listing_model.h"
#include "main/split_filename.h"

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
