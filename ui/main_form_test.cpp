// The window's controls, keys, About box and exits.
#include <QtTest/qtestspontaneevent.h>
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include "key_codes.h"
#include "window_fixture.h"

using namespace larkspan;

class MainFormTest : public testing::WindowFixture {
  Q_OBJECT

  // Presses and releases a key where keys go: at the widget that has the focus.
  static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  void LoadRecords(int records) {
    Load(Write("r.hex", testing::Repeat(":0100000011EE\r\n", records)));
  }
  void ClickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(form_->Contents_List->viewport(), Qt::LeftButton, modifiers,
                      form_->Contents_List->visualRect(form_->Contents_Model->index(row)).center());
  }
  QString Indicator() const { return form_->Line_Text->text(); }

 private slots:
  void init() { QVERIFY(OpenWindow()); }
  void cleanup() { form_.reset(); }

  void startsWithTitleStateAndFocus() {
    QCOMPARE(form_->windowTitle(), QStringLiteral("Larkspan"));
    QVERIFY(form_->CurrentFile.isEmpty() && !form_->NavKeyDown);
    QCOMPARE(Indicator(), QStringLiteral("0"));
    QCOMPARE(QApplication::focusWidget(), form_->Load_Button);
    QVERIFY(!form_->windowIcon().isNull());
    const QPoint offset =
        form_->frameGeometry().center() - form_->screen()->availableGeometry().center();
    // Centred within the width of a window frame, known only once shown.
    QVERIFY2(offset.manhattanLength() <= 8, qPrintable(QString::number(offset.manhattanLength())));
  }

  void controlsCarryTheirCaptionsTipsAndPlaces() {
    const struct {
      QWidget* widget;
      const char* caption;
      const char* tip;
      QRect place;
    } controls[] = {
        {form_->Contents_List, "", "Contents of HEX-file", {8, 8, 465, 244}},
        {form_->Load_Button, "&Load file", "Load HEX-file and display contents", {16, 264, 89, 25}},
        {form_->Line_Label, "Reading line:", "", {128, 269, 73, 17}},
        {form_->Line_Text, "0", "Progress of file reading", {208, 268, 60, 17}},
        {form_->Quick_Check, "&Quick load:", "Load HEX-file quicker", {272, 269, 81, 17}},
        {form_->Exit_Button, "E&xit", "Close program", {376, 264, 89, 25}},
    };
    for (const auto& control : controls) {
      QCOMPARE(control.widget->property("text").toString(), QLatin1String(control.caption));
      QCOMPARE(control.widget->toolTip(), QLatin1String(control.tip));
      QCOMPARE(control.widget->geometry(), control.place);
      QVERIFY2(control.widget->sizeHint().width() <= control.place.width(), control.caption);
    }
    QCOMPARE(form_->centralWidget()->size(), QSize(482, 298));
    QCOMPARE(form_->minimumSize(), form_->maximumSize());
    QCOMPARE(form_->windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
             Qt::WindowCloseButtonHint);
    QVERIFY(form_->Load_Button->font().bold() && form_->Exit_Button->font().bold());
    QVERIFY(form_->Line_Text->alignment() & Qt::AlignRight);
    QCOMPARE(form_->Quick_Check->checkState(), Qt::Unchecked);
    QCOMPARE(form_->Quick_Check->layoutDirection(), Qt::RightToLeft);
    const QFontMetrics list(form_->Contents_List->font());
    QCOMPARE(list.horizontalAdvance(QStringLiteral("iiii")),
             list.horizontalAdvance(QStringLiteral("MMMM")));
  }

  void tabOrderRunsLoadQuickExitList() {
    for (QWidget* next : std::initializer_list<QWidget*>{
             form_->Quick_Check, form_->Exit_Button, form_->Contents_List, form_->Load_Button}) {
      Press(Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), next);
    }
  }

  void menuHoldsItsItemsInOrder() {
    QCOMPARE(form_->Func_Menu->title(), QStringLiteral("&Function"));
    QStringList items;
    for (QAction* action : form_->Func_Menu->actions()) {
      items << (action->isSeparator() ? QStringLiteral("-") : action->text());
      QVERIFY(action->shortcut().isEmpty());
    }
    QCOMPARE(items, (QStringList{"&Load file ..", "-", "&About", "-", "E&xit"}));
  }

  void aboutBoxNamesVersionPurposeAndMaker() {
    form_->Func_About->trigger();
    QCOMPARE(platform_.boxes.size(), size_t{1});
    QCOMPARE(platform_.boxes[0].icon, BoxIcon::Information);
    QCOMPARE(platform_.boxes[0].title, QStringLiteral("About Larkspan"));
    QCOMPARE(platform_.boxes[0].text,
             QStringLiteral("Larkspan, Version 1.0.715\rRead HEX-file and display contents and "
                            "usable addess info.\r\rWritten by the Larkspan developers."));
  }

  void everyExitEndsTheProgramButClosingFromCode() {
    form_->Exit_Button->click();
    form_->Func_Exit->trigger();
    Press(Qt::Key_F4, Qt::AltModifier);
    QCOMPARE(platform_.exits, 3);
    Press(Qt::Key_X, Qt::AltModifier);  // access key of Exit
    QTRY_COMPARE(platform_.exits, 4);
    QCloseEvent closeBox;  // the window system asks the window to close
    QSpontaneKeyEvent::setSpontaneous(&closeBox);
    qApp->notify(form_.get(), &closeBox);
    QCOMPARE(platform_.exits, 5);
    form_->close();
    QCOMPARE(platform_.exits, 5);
    QVERIFY(!form_->isVisible());
  }

  void keyDownSetsTheNavigationFlagOrExits_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("shift");
    QTest::addColumn<bool>("flag");
    QTest::addColumn<int>("exits");
    for (const int key : {kKeyUp, kKeyDown, kKeyPageUp, kKeyPageDown, kKeyHome, kKeyEnd}) {
      QTest::addRow("key %d", key) << key << 0 << true << 0;
    }
    QTest::newRow("Shift+Down") << int{kKeyDown} << int{kShiftMask} << false << 0;
    QTest::newRow("Ctrl+End") << int{kKeyEnd} << int{kCtrlMask} << false << 0;
    QTest::newRow("Alt+Up") << int{kKeyUp} << int{kAltMask} << false << 0;
    QTest::newRow("Left") << KeyCodeOf(Qt::Key_Left) << 0 << false << 0;
    QTest::newRow("F4") << int{kKeyF4} << 0 << false << 0;
    QTest::newRow("Alt+Shift+F4") << int{kKeyF4} << kAltMask + kShiftMask << false << 0;
    QTest::newRow("Alt+F4") << int{kKeyF4} << int{kAltMask} << false << 1;
  }
  void keyDownSetsTheNavigationFlagOrExits() {
    QFETCH(int, key);
    QFETCH(int, shift);
    form_->Form_KeyDown(key, shift);
    QTEST(form_->NavKeyDown, "flag");
    QTEST(platform_.exits, "exits");
  }

  void navigationKeysAndClicksShowTheIndex() {
    form_->Contents_List->setFocus();
    Press(Qt::Key_Down);  // on the empty list
    QCOMPARE(Indicator(), QStringLiteral("-1"));
    QVERIFY(!form_->NavKeyDown);
    LoadRecords(40000);
    QCOMPARE(Indicator(), QStringLiteral("0"));
    QCOMPARE(QApplication::focusWidget(), form_->Contents_List);
    Press(Qt::Key_Down);
    QCOMPARE(Indicator(), QStringLiteral("1"));
    Press(Qt::Key_PageDown);
    QVERIFY(form_->ListIndex() > 1);
    QCOMPARE(Indicator(), QString::number(form_->ListIndex()));
    Press(Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(Indicator(), QStringLiteral("40002"));  // records, separator, summary
    form_->Contents_List->scrollToTop();
    ClickRow(3);
    QCOMPARE(Indicator(), QStringLiteral("3"));
    ClickRow(3, Qt::ControlModifier);  // deselects
    QCOMPARE(Indicator(), QStringLiteral("-1"));
  }

  void indicatorShowsEveryDigit_data() {
    QTest::addColumn<QString>("text");
    for (const char* text : {"0", "Done", "150042", "4000250", "2147483647"}) {
      QTest::newRow(text) << QString::fromLatin1(text);
    }
  }
  void indicatorShowsEveryDigit() {
    QFETCH(QString, text);
    form_->Line_Text->SetCaption(text);
    const int room = form_->Line_Text->contentsRect().width() - form_->Line_Text->indent();
    const int width = QFontMetrics(form_->Line_Text->font()).horizontalAdvance(text);
    QVERIFY2(width <= room, qPrintable(QStringLiteral("%1 > %2").arg(width).arg(room)));
    // A smaller font only where the window's own would not fit.
    if (text.size() <= 6) QCOMPARE(form_->Line_Text->font(), form_->centralWidget()->font());
  }

  void aFileErrorLeavesTheIndicatorOnTheListAsItStands() {
    LoadRecords(3);
    Press(Qt::Key_End);
    Load(QString::fromStdString((dir_.Path() / "missing.hex").string()));
    QCOMPARE(platform_.boxes.size(), size_t{1});
    QCOMPARE(Indicator(), QStringLiteral("-1"));
  }

  void enterPressesLoadUnlessAnotherButtonHasTheFocus() {
    Press(Qt::Key_Return);
    form_->Quick_Check->setFocus();
    Press(Qt::Key_Enter);
    QCOMPARE(platform_.requests.size(), size_t{2});
    form_->Exit_Button->setFocus();
    Press(Qt::Key_Return);
    QCOMPARE(platform_.requests.size(), size_t{2});
    QCOMPARE(platform_.exits, 1);
  }

  void accessKeysReachTheirControls() {
    Press(Qt::Key_Q, Qt::AltModifier);
    QTRY_COMPARE(form_->Quick_Check->checkState(), Qt::Checked);
    Press(Qt::Key_L, Qt::AltModifier);
    QTRY_COMPARE(platform_.requests.size(), size_t{1});
    Press(Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(form_->Func_Menu->isVisible());
    form_->Func_Menu->close();
  }
};

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
