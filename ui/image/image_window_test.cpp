// The memory image window: opened from the Function menu on the file last loaded,
// in step with the list, and moved about with its keys.
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <functional>

#include "checksum/checksum_picker.h"
#include "image/image_view.h"
#include "image/image_window.h"
#include "map/map_window.h"
#include "support/window_fixture.h"

using namespace larkspan;

namespace {

// One record a line: text from 0h to 39h, 0Ch bytes at 50h and at 400h, "BOOT"
// written again over 10h to 13h, 20h to 23h written again alike, and 0Ch bytes at
// 10000h after a type 02 record.
const QString kDemo = QStringLiteral(LARKSPAN_SOURCE_DIR "/tests/data/image/demo.hex");

}  // namespace

class ImageWindowTest : public testing::WindowFixture {
  Q_OBJECT

  ImageWindow* Window() const { return form_->ImageView(); }
  ImageView* View() const { return form_->ImageView()->View; }
  std::pair<std::uint32_t, std::uint32_t> Selected() const { return View()->Selection(); }
  bool Open() {
    ui_.Func_Image->trigger();
    return QTest::qWaitFor(
        [this] { return QApplication::activeWindow() == Window() && form_->LastMap() != nullptr; });
  }

 private slots:
  void init() { QVERIFY(OpenWindow()); }
  void cleanup() { form_.reset(); }

  void opensOnTheFileLastLoadedAndFollowsEachLoad() {
    QVERIFY(!ui_.Func_Image->isEnabled());  // before the first load
    Load(kDemo);
    QVERIFY(Open());
    QVERIFY(Window()->isWindow() && !Window()->isModal() && form_->isVisible());
    QCOMPARE(Window()->windowTitle(), "Memory image - " + kDemo);
    QCOMPARE(View()->Rows()->Count(), 10);
    QCOMPARE(Window()->Status_Label->text(),
             QStringLiteral("Address 00000000h, 16 bytes selected from 00000000h to 0000000Fh; 94 "
                            "bytes of data in 4 ranges"));
    Load(Write("small.hex", ":0400100001020304E2\r\n:00000001FF\r\n"));
    QCOMPARE(View()->Rows()->Text(0).substr(0, 22), "00000010  01 02 03 04 ");
    Load(Write("none.hex", ""));
    QCOMPARE(Window()->Status_Label->text(), QStringLiteral("No data"));
  }

  // The list's record shows as its bytes; a double-click on a byte selects the
  // record that wrote it last, and the indicator shows its index.
  void keepsInStepWithTheList() {
    Load(kDemo);
    QVERIFY(Open());
    QCOMPARE(Selected(), std::pair(0x0u, 0xFu));
    QTest::mouseClick(ui_.Contents_List->viewport(), Qt::LeftButton, {},
                      ui_.Contents_List->visualRect(ui_.Contents_Model->index(6)).center());
    QCOMPARE(Selected(), std::pair(0x10u, 0x13u));
    QTest::keyClick(ui_.Contents_List, Qt::Key_Up);
    QCOMPARE(Selected(), std::pair(0x400u, 0x40Bu));
    for (const auto& [address, index] : {std::pair(0x15u, 1), std::pair(0x12u, 6)}) {
      QTest::mouseDClick(View()->viewport(), Qt::LeftButton, {}, View()->PointOf(address));
      QCOMPARE(form_->ListIndex(), index);
      QCOMPARE(ui_.Line_Text->text(), QString::number(index));
    }
    QCOMPARE(Selected(), std::pair(0x10u, 0x13u));
  }

  void keysGoToFindAndCopy() {
    Load(kDemo);
    QVERIFY(Open());
    View()->setFocus();
    const auto key = [this](QKeyCombination keys, const char* typed = nullptr) {
      return [=, this] {
        QTest::keyClick(QApplication::focusWidget(), keys.key(), keys.keyboardModifiers());
        if (typed == nullptr) return;
        QTest::keyClicks(QApplication::focusWidget(), typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      };
    };
    const auto text = [this] { Window()->Find_Kind->setCurrentIndex(1); };
    const struct {
      std::function<void()> act;
      std::uint32_t first, last;
    } steps[] = {
        {key(Qt::CTRL | Qt::Key_G, "10000h"), 0x10000, 0x10000},
        {key(Qt::CTRL | Qt::Key_G, "xyz"), 0x10000, 0x10000},
        {key(Qt::CTRL | Qt::Key_Up), 0x400, 0x400},
        {key(Qt::CTRL | Qt::Key_Down), 0x10000, 0x10000},
        {key(Qt::CTRL | Qt::Key_F, "1A 1B"), 0x5A, 0x5B},
        {key(Qt::Key_F3), 0x5A, 0x5B},  // the only match, from the start
        {text, 0x5A, 0x5B},
        {key(Qt::CTRL | Qt::Key_F, "o"), 0xC, 0xC},
        {key(Qt::Key_F3), 0x15, 0x15},  // "boot" was written over with "BOOT"
        {key(Qt::CTRL | Qt::Key_G, "0x55"), 0x55, 0x55},
        {key(Qt::Key_Down), 0x60, 0x60},  // the folded gap
        {key(Qt::Key_Down), 0x405, 0x405},
        {key(Qt::Key_Right | Qt::ShiftModifier), 0x405, 0x406},
        {key(Qt::Key_Home), 0, 0},
        {key(Qt::Key_PageDown), 0x10000, 0x10000},
        {key(Qt::Key_End), 0x1000F, 0x1000F},
        {key(Qt::Key_Left | Qt::ShiftModifier), 0x1000E, 0x1000F},
        {key(Qt::Key_Up | Qt::ShiftModifier), 0x410, 0x1000F},
    };
    for (const auto& step : steps) {
      step.act();
      QCOMPARE(Selected(), std::pair(step.first, step.last));
    }
    QCOMPARE(Window()->Status_Label->text(),
             QStringLiteral("Address 00000410h, 64512 bytes selected from 00000410h to "
                            "0001000Fh; 94 bytes of data in 4 ranges"));
    key(Qt::Key_Down | Qt::ShiftModifier)();
    for (int i = 0; i < 3; ++i) key(Qt::Key_Left | Qt::ShiftModifier)();
    key(Qt::CTRL | Qt::Key_C)();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("08 -- -- -- --"));
  }

  // A view three rows high on ten rows: the address gone to heads the view, as far
  // as rows below it fill the view; the copy key copies the bytes from the fields
  // too, unless text is selected there; another file clears the go-to field.
  void goToHeadsTheViewAndCopyWorksFromTheFields() {
    Load(kDemo);
    QVERIFY(Open());
    const int frame = 2 * View()->frameWidth();  // the hint is 24 rows and the frame
    View()->setFixedHeight((View()->sizeHint().height() - frame) / 8 + frame);
    QTRY_COMPARE(View()->PageRows(), 3);
    const auto type = [](QLineEdit* field, const char* text) {
      field->setFocus();
      field->setText(QString::fromLatin1(text));
      QTest::keyClick(field, Qt::Key_Return);
    };
    for (const auto& [address, top] :
         {std::pair("20", 2), std::pair("400", 7), std::pair("0", 0), std::pair("10000", 7)}) {
      type(Window()->Address_Text, address);
      QCOMPARE(View()->TopRow(), top);
    }
    Window()->Find_Kind->setCurrentIndex(1);
    type(Window()->Find_Text, "o");
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(Window()->Find_Text, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("6F"));
    QTest::keyClick(Window()->Find_Kind, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("6F"));
    QTest::keyClick(Window()->Find_Text, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Window()->Find_Text, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("o"));
    QVERIFY(!Window()->Address_Text->text().isEmpty());
    Load(kDemo);
    QCOMPARE(Window()->Address_Text->text(), QStringLiteral("10000"));
    Load(Write("small.hex", ":0400100001020304E2\r\n:00000001FF\r\n"));
    QVERIFY(Window()->Address_Text->text().isEmpty());
  }
  // The checksum of the selected bytes, or of the whole image when nothing is
  // selected, by the algorithm last picked; a pick is kept, and the map window's
  // checksums follow it.
  void showsTheChecksumOfTheSelection() {
    platform_.settings["checksumAlgorithm"] = "sum8";  // from an earlier run
    Load(kDemo);
    QVERIFY(Open());
    const auto checksum = [this] { return Window()->Checksum_Label->text(); };
    QTRY_COMPARE(checksum(), QStringLiteral("sum8 BD of 16 bytes with data"));
    QTest::mouseClick(ui_.Contents_List->viewport(), Qt::LeftButton, {},
                      ui_.Contents_List->visualRect(ui_.Contents_Model->index(6)).center());
    QTRY_COMPARE(checksum(), QStringLiteral("sum8 34 of 4 bytes with data"));  // "BOOT"
    ChecksumPicker* picker = Window()->Checksum_Kind;
    QTest::keyClick(picker, Qt::Key_Home);
    QTRY_COMPARE(checksum(), QStringLiteral("CRC-32/ISO-HDLC 70784370 of 4 bytes with data"));
    QCOMPARE(platform_.settings["checksumAlgorithm"], QStringLiteral("CRC-32/ISO-HDLC"));
    View()->GoTo(0x10000);
    QTRY_COMPARE(checksum(), QStringLiteral("CRC-32/ISO-HDLC 56C7A259 of 94 bytes with data"));
    ui_.Func_Map->trigger();
    QTRY_VERIFY(form_->MapView() != nullptr && form_->MapView()->isVisible());
    QCOMPARE(form_->MapView()->Checksum_Kind->currentText(), QStringLiteral("CRC-32/ISO-HDLC"));
    QTest::keyClick(form_->MapView()->Checksum_Kind, Qt::Key_End);
    QTRY_COMPARE(checksum().left(6), QStringLiteral("sum32 "));
  }
};

QTEST_MAIN(ImageWindowTest)
#include "image_window_test.moc"
