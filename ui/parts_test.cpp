// The window's smaller parts: path splitting, the dialog's request and
// the compact list model.
#include <QSignalSpy>
#include <QTest>

#include "common_dialog.h"
#include "fake_platform.h"
#include "listing_model.h"
#include "split_filename.h"

using larkspan::CommonDialog;
using larkspan::ListingModel;
using larkspan::SplitFilename;

class PartsTest : public QObject {
  Q_OBJECT

 private slots:
  void splitFilename_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << ""
                           << "."
                           << "";
    QTest::newRow("full path") << "/work/fw/boot.hex"
                               << "/work/fw"
                               << "boot.hex";
    QTest::newRow("root folder") << "/boot.hex"
                                 << "/"
                                 << "boot.hex";
    QTest::newRow("no separator") << "boot.hex"
                                  << "."
                                  << "boot.hex";
    QTest::newRow("backslash is a name character") << "C:\\work\\boot.hex"
                                                   << "."
                                                   << "C:\\work\\boot.hex";
    QTest::newRow("relative") << "fw/boot.hex"
                              << "fw"
                              << "boot.hex";
    QTest::newRow("trailing slash") << "/work/"
                                    << "/work"
                                    << "";
  }
  void splitFilename() {
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QCOMPARE(SplitFilename(path, true), folder);
    QCOMPARE(SplitFilename(path, false), name);
  }

  void dialogFiltersBecomeQtNameFilters() {
    larkspan::testing::FakePlatform platform;
    CommonDialog dialog(platform, nullptr);
    dialog.Filter = QStringLiteral("Images|*.hex;*.ihx|All files (*.*)|*.*|Odd");
    dialog.Flags = CommonDialog::kPathMustExist;
    const auto request = dialog.Request();
    QCOMPARE(request.filters, (QStringList{"Images (*.hex *.ihx)", "All files (*.*) (*)"}));
    QVERIFY(!request.existingOnly);
  }

  void dialogCancelRaisesOnlyWhenAsked() {
    larkspan::testing::FakePlatform platform;
    CommonDialog dialog(platform, nullptr);
    dialog.FileName = QStringLiteral("boot.hex");
    dialog.ShowOpen();
    QCOMPARE(dialog.FileName, QString());
    dialog.CancelError = true;
    QVERIFY_THROWS_EXCEPTION(larkspan::DialogCancelled, dialog.ShowOpen());
    platform.choices.push_back(QStringLiteral("/tmp/a.hex"));
    dialog.ShowOpen();
    QCOMPARE(dialog.FileName, QStringLiteral("/tmp/a.hex"));
  }

  void modelShowsEntriesOnlyOncePublished() {
    ListingModel model;
    QSignalSpy inserted(&model, &ListingModel::rowsInserted);
    model.Append("Data record: 0100h: AB");
    model.Append("End record.");
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.StoredCount(), 2);
    model.Publish();
    model.Publish();
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.index(0).data().toString(), QStringLiteral("Data record: 0100h: AB"));
    QCOMPARE(model.index(1).data().toString(), QStringLiteral("End record."));
  }

  void modelKeepsEveryTextAsAppended() {
    ListingModel model;
    const std::vector<std::string> texts = {"Data record: ",
                                            "Extended address: 10000h",
                                            "Start record: 0000h: C0 00",
                                            std::string("Data record: 0000h: \xe9\x01\0", 23),
                                            "Data recor",
                                            "",
                                            std::string(600, 'x')};
    // Enough entries to fill several storage blocks.
    for (int round = 0; round < 5000; ++round) {
      for (const auto& text : texts) model.Append(text);
    }
    model.Publish();
    for (int round = 0; round < 5000; ++round) {
      for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto row = static_cast<std::int64_t>(round * texts.size() + i);
        if (model.Text(row) != texts[i]) QFAIL(qPrintable(QStringLiteral("row %1").arg(row)));
      }
    }
    QCOMPARE(model.index(3).data().toString(),
             QString::fromLatin1(texts[3].data(), static_cast<qsizetype>(texts[3].size())));
    model.Clear();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.StoredCount(), 0);
  }
};

QTEST_MAIN(PartsTest)
#include "parts_test.moc"
