// The compare window: opened from the Function menu on the file last loaded and a
// second file, stepped from difference to difference, and kept on the same second
// file as other files are loaded.
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "compare/compare_view.h"
#include "compare/compare_window.h"
#include "compare/image_compare.h"
#include "support/window_fixture.h"

using namespace larkspan;

namespace {

QString Data(const char* name) {
  return QStringLiteral(LARKSPAN_SOURCE_DIR "/tests/data/compare/") + QLatin1String(name);
}
}  // namespace

class CompareWindowTest : public testing::WindowFixture {
  Q_OBJECT

  CompareWindow* Window() const { return form_->Comparison(); }
  CompareView* View() const { return Window()->View; }
  // Waits for the compare of the file last loaded with `second`.
  bool Shown(const QString& second) {
    return QTest::qWaitFor([this, second] {
      return Window() != nullptr && Window()->Compare() != nullptr &&
             Window()->windowTitle().endsWith(" with " + second) &&
             QApplication::activeWindow() == Window();
    });
  }
  bool CompareWith(const QString& second) {
    platform_.choices.push_back(second);
    ui_.Func_Compare->trigger();
    return Shown(second);
  }
  QString Status() const { return Window()->Status_Label->text(); }
  // What the console says of the same pair: its last line is the summary.
  static QString ConsoleSummary(const char* golden) {
    return FileLines(QStringLiteral(LARKSPAN_SOURCE_DIR "/tests/golden/") + QLatin1String(golden))
        .last();
  }

 private slots:
  void init() { QVERIFY(OpenWindow()); }
  void cleanup() { form_.reset(); }

  void comparesTheFileLastLoadedWithTheSameSecondFile() {
    QVERIFY(!ui_.Func_Compare->isEnabled());  // before the first load
    Load(Data("base.hex"));
    QVERIFY(CompareWith(Data("changed.hex")));
    QCOMPARE(platform_.requests.back().DialogTitle, QStringLiteral("Compare with file:"));
    QVERIFY(Window()->isWindow() && !Window()->isModal() && form_->isVisible());
    QCOMPARE(Window()->windowTitle(),
             "Compare: " + Data("base.hex") + " with " + Data("changed.hex"));
    QCOMPARE(Window()->Files_Label->text(), QStringLiteral("Left: base.hex    Right: changed.hex"));
    QCOMPARE(Window()->Summary_Label->text(), ConsoleSummary("compare.changed.stdout"));
    const CompareRows& rows = *View()->Rows();
    const auto text = [&](std::uint32_t address) {
      return QString::fromStdString(CompareView::Text(rows.At(rows.RowOf(address))));
    };
    // Bytes without data are never shown as 00.
    QCOMPARE(text(0x130), QStringLiteral("00000130  30 31 32 33 34 35 36 37  38 39 3A 3B 3C 3D "
                                         "3E 3F  |  -- -- -- -- -- -- -- --  -- -- -- -- -- "
                                         "-- -- --"));
    QCOMPARE(text(0x200).mid(10, 6), QStringLiteral("-- -- "));
    QCOMPARE(text(0x200).mid(CompareView::kSecondColumn, 12), QStringLiteral("01 02 03 -- "));
    Load(Data("relaid.hex"));
    QVERIFY(Shown(Data("changed.hex")));
    QCOMPARE(Window()->windowTitle(),
             "Compare: " + Data("relaid.hex") + " with " + Data("changed.hex"));
    QCOMPARE(Window()->Summary_Label->text(), ConsoleSummary("compare.changed.stdout"));
  }

  void identicalImagesSaySo() {
    Load(Data("base.hex"));
    QVERIFY(CompareWith(Data("relaid.hex")));
    QCOMPARE(Window()->Summary_Label->text(), ConsoleSummary("compare.relaid.stdout"));
    QTest::keyClick(View(), Qt::Key_F8);
    QCOMPARE(Status(), QStringLiteral("No difference after this one"));
  }

  void stepsFromDifferenceToDifferenceAndGoesToAddresses() {
    Load(Data("base.hex"));
    QVERIFY(CompareWith(Data("changed.hex")));
    const auto key = [this](QKeyCombination keys, const char* typed = nullptr) {
      QTest::keyClick(QApplication::focusWidget(), keys.key(), keys.keyboardModifiers());
      if (typed == nullptr) return;
      QTest::keyClicks(QApplication::focusWidget(), typed);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    };
    QCOMPARE(View()->Cursor(), 0x100u);
    for (const std::uint32_t address : {0x105u, 0x110u, 0x130u, 0x200u}) {
      key(Qt::Key_F8);
      QCOMPARE(View()->Cursor(), address);
    }
    QCOMPARE(Status(), QStringLiteral("Address 00000200h; difference 4 of 4, only in second from "
                                      "00000200h to 00000202h"));
    key(Qt::Key_F8);
    QCOMPARE(Status(), QStringLiteral("No difference after this one"));
    QCOMPARE(View()->Cursor(), 0x200u);
    key(Qt::SHIFT | Qt::Key_F8);
    QCOMPARE(View()->Cursor(), 0x130u);
    Window()->Previous_Button->click();
    QCOMPARE(View()->Cursor(), 0x110u);
    Window()->Next_Button->click();
    QCOMPARE(View()->Cursor(), 0x130u);
    key(Qt::CTRL | Qt::Key_G, "0x8000011");
    QCOMPARE(View()->Cursor(), 0x08000011u);
    QCOMPARE(Status(), QStringLiteral("Address 08000011h"));
    key(Qt::CTRL | Qt::Key_G, "xyz");
    QCOMPARE(Status(), QStringLiteral("Not an address: xyz"));
    key(Qt::SHIFT | Qt::Key_F8);
    QCOMPARE(View()->Cursor(), 0x200u);
  }

  // A double-click on a byte of the first file selects the record that wrote it;
  // on the second file's side it does nothing.
  void doubleClickSelectsTheRecordInTheList() {
    Load(Data("base.hex"));
    QVERIFY(CompareWith(Data("changed.hex")));
    QTest::mouseDClick(View()->viewport(), Qt::LeftButton, {}, View()->PointOf(0x112));
    QCOMPARE(form_->ListIndex(), 1);  // the list leaves out the type 04 record
    QTest::mouseDClick(View()->viewport(), Qt::LeftButton, {}, View()->PointOf(0x131, true));
    QCOMPARE(form_->ListIndex(), 1);
    QTest::mouseDClick(View()->viewport(), Qt::LeftButton, {}, View()->PointOf(0x131));
    QCOMPARE(form_->ListIndex(), 3);
  }

  void aSecondFileThatCannotBeReadIsNamedInABox() {
    Load(Data("base.hex"));
    const QString missing = QString::fromStdString((dir_.Path() / "missing.hex").string());
    const std::size_t boxes = platform_.boxes.size();  // the listing's warnings
    platform_.choices.push_back(missing);
    ui_.Func_Compare->trigger();
    QVERIFY(QTest::qWaitFor([&] { return platform_.boxes.size() > boxes; }));
    QVERIFY2(platform_.boxes.back().text.contains(missing), qPrintable(BoxLines().join('\n')));
    QCOMPARE(Window(), nullptr);
  }
};

QTEST_MAIN(CompareWindowTest)
#include "compare_window_test.moc"
