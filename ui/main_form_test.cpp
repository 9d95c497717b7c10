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
#include <QTest>

#include <cstdlib>
#include <memory>

#include "key_codes.h"
#include "window_fixture.h"

using larkspan::Main_Form;

class MainFormTest : public larkspan::testing::WindowFixture {
  Q_OBJECT

 private:
  // Presses and releases a key where keys go: at the widget that has the focus.
  static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }

  // Loads a file of `records` data records through the fake dialog.
  void LoadRecords(int records) {
    std::string bytes;
    for (int i = 0; i < records; ++i) bytes += ":0100000011EE\r\n";
    Load(Write("r.hex", bytes));
  }

 private slots:
  void init() { QVERIFY(OpenWindow()); }
  void cleanup() { CloseWindow(); }

  void startsWithTitleStateAndFocus() {
    QCOMPARE(form_->windowTitle(), QStringLiteral("Larkspan"));
    QVERIFY(form_->CurrentFile.isEmpty());
    QVERIFY(!form_->NavKeyDown);
    QCOMPARE(form_->Line_Text->text(), QStringLiteral("0"));
    QCOMPARE(QApplication::focusWidget(), form_->Load_Button);
    QVERIFY(!form_->windowIcon().isNull());
  }

  void controlsCarryTheirCaptionsAndTips() {
    QCOMPARE(form_->Load_Button->text(), QStringLiteral("&Load file"));
    QCOMPARE(form_->Load_Button->toolTip(), QStringLiteral("Load HEX-file and display contents"));
    QCOMPARE(form_->Exit_Button->text(), QStringLiteral("E&xit"));
    QCOMPARE(form_->Exit_Button->toolTip(), QStringLiteral("Close program"));
    QCOMPARE(form_->Line_Label->text(), QStringLiteral("Reading line:"));
    QCOMPARE(form_->Line_Text->toolTip(), QStringLiteral("Progress of file reading"));
    QCOMPARE(form_->Quick_Check->text(), QStringLiteral("&Quick load:"));
    QCOMPARE(form_->Quick_Check->toolTip(), QStringLiteral("Load HEX-file quicker"));
    QCOMPARE(form_->Contents_List->toolTip(), QStringLiteral("Contents of HEX-file"));
    QVERIFY(form_->Load_Button->font().bold());
    QVERIFY(form_->Exit_Button->font().bold());
    QVERIFY(form_->Line_Text->alignment() & Qt::AlignRight);
    QCOMPARE(form_->Quick_Check->checkState(), Qt::Unchecked);
    QCOMPARE(form_->Quick_Check->layoutDirection(), Qt::RightToLeft);
    const QFontMetrics list(form_->Contents_List->font());
    QCOMPARE(list.horizontalAdvance(QStringLiteral("iiii")),
             list.horizontalAdvance(QStringLiteral("MMMM")));
  }

  void controlsStandAtTheirPlaces() {
    QCOMPARE(form_->centralWidget()->size(), QSize(482, 298));
    QCOMPARE(form_->Contents_List->geometry(), QRect(8, 8, 465, 244));
    QCOMPARE(form_->Load_Button->geometry(), QRect(16, 264, 89, 25));
    QCOMPARE(form_->Line_Label->geometry(), QRect(128, 269, 73, 17));
    QCOMPARE(form_->Line_Text->geometry(), QRect(208, 268, 60, 17));
    QCOMPARE(form_->Quick_Check->geometry(), QRect(272, 269, 81, 17));
    QCOMPARE(form_->Exit_Button->geometry(), QRect(376, 264, 89, 25));
    QCOMPARE(form_->minimumSize(), form_->maximumSize());
    QVERIFY(!(form_->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(form_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form_->windowFlags() & Qt::WindowCloseButtonHint);
  }

  void captionsFitTheirControls() {
    for (QWidget* widget :
         {static_cast<QWidget*>(form_->Line_Label), static_cast<QWidget*>(form_->Load_Button),
          static_cast<QWidget*>(form_->Quick_Check), static_cast<QWidget*>(form_->Exit_Button)}) {
      QVERIFY2(widget->sizeHint().width() <= widget->width(), widget->metaObject()->className());
      QVERIFY(widget->font().pointSizeF() >= 6.0);
    }
  }

  void opensCentredOnTheScreen() {
    const QPoint offset =
        form_->frameGeometry().center() - form_->screen()->availableGeometry().center();
    // Within the width of a window frame, whose size is known only once shown.
    QVERIFY2(std::abs(offset.x()) <= 4 && std::abs(offset.y()) <= 4,
             qPrintable(QStringLiteral("off by %1, %2").arg(offset.x()).arg(offset.y())));
  }

  void tabOrderRunsLoadQuickExitList() {
    for (QWidget* next :
         {static_cast<QWidget*>(form_->Quick_Check), static_cast<QWidget*>(form_->Exit_Button),
          static_cast<QWidget*>(form_->Contents_List), static_cast<QWidget*>(form_->Load_Button)}) {
      Press(Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), next);
    }
  }

  void menuHoldsItsItemsInOrder() {
    QCOMPARE(form_->Func_Menu->title(), QStringLiteral("&Function"));
    const auto actions = form_->Func_Menu->actions();
    QCOMPARE(actions.size(), 5);
    QCOMPARE(actions[0]->text(), QStringLiteral("&Load file .."));
    QVERIFY(actions[1]->isSeparator());
    QCOMPARE(actions[2]->text(), QStringLiteral("&About"));
    QVERIFY(actions[3]->isSeparator());
    QCOMPARE(actions[4]->text(), QStringLiteral("E&xit"));
    for (QAction* action : actions) QVERIFY(action->shortcut().isEmpty());
  }

  void aboutBoxNamesVersionPurposeAndMaker() {
    form_->Func_About->trigger();
    QCOMPARE(platform_.boxes.size(), size_t{1});
    const auto& box = platform_.boxes[0];
    QCOMPARE(box.icon, larkspan::BoxIcon::Information);
    QCOMPARE(box.title, QStringLiteral("About Larkspan"));
    QCOMPARE(box.text, QStringLiteral("Larkspan, Version 1.0.715\rRead HEX-file and display "
                                      "contents and usable addess info.\r\rWritten by the "
                                      "Larkspan developers."));
  }

  void everyExitEndsTheProgram() {
    form_->Exit_Button->click();
    QCOMPARE(platform_.exits, 1);
    form_->Func_Exit->trigger();
    QCOMPARE(platform_.exits, 2);
    Press(Qt::Key_F4, Qt::AltModifier);
    QCOMPARE(platform_.exits, 3);
    Press(Qt::Key_X, Qt::AltModifier);  // access key of Exit
    QTRY_COMPARE(platform_.exits, 4);
    // The close box: the window system asks the window to close.
    QCloseEvent closeBox;
    QSpontaneKeyEvent::setSpontaneous(&closeBox);
    qApp->notify(form_.get(), &closeBox);
    QCOMPARE(platform_.exits, 5);
  }

  void closingFromCodeDoesNotExit() {
    form_->close();
    QCOMPARE(platform_.exits, 0);
    QVERIFY(!form_->isVisible());
  }

  void keyDownSetsTheNavigationFlag_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("shift");
    QTest::addColumn<bool>("flag");
    QTest::newRow("Up") << 38 << 0 << true;
    QTest::newRow("Down") << 40 << 0 << true;
    QTest::newRow("PageUp") << 33 << 0 << true;
    QTest::newRow("PageDown") << 34 << 0 << true;
    QTest::newRow("Home") << 36 << 0 << true;
    QTest::newRow("End") << 35 << 0 << true;
    QTest::newRow("Shift+Down") << 40 << 1 << false;
    QTest::newRow("Ctrl+End") << 35 << 2 << false;
    QTest::newRow("Alt+Up") << 38 << 4 << false;
    QTest::newRow("Left") << 37 << 0 << false;
    QTest::newRow("F4") << 115 << 0 << false;
  }
  void keyDownSetsTheNavigationFlag() {
    QFETCH(int, key);
    QFETCH(int, shift);
    QFETCH(bool, flag);
    form_->Form_KeyDown(key, shift);
    QCOMPARE(form_->NavKeyDown, flag);
    QCOMPARE(platform_.exits, 0);
  }

  void altF4AloneExits() {
    form_->Form_KeyDown(115, 4 | 1);
    QCOMPARE(platform_.exits, 0);
    form_->Form_KeyDown(115, 4);
    QCOMPARE(platform_.exits, 1);
  }

  void downOnTheEmptyListShowsMinusOne() {
    form_->Contents_List->setFocus();
    Press(Qt::Key_Down);
    QCOMPARE(form_->Line_Text->text(), QStringLiteral("-1"));
    QVERIFY(!form_->NavKeyDown);
  }

  void navigationKeysAndClicksShowTheIndex() {
    LoadRecords(300);
    QCOMPARE(form_->Line_Text->text(), QStringLiteral("0"));
    QCOMPARE(QApplication::focusWidget(), form_->Contents_List);
    Press(Qt::Key_Down);
    QCOMPARE(form_->Line_Text->text(), QStringLiteral("1"));
    Press(Qt::Key_PageDown);
    QVERIFY(form_->ListIndex() > 1);
    QCOMPARE(form_->Line_Text->text(), QString::number(form_->ListIndex()));
    Press(Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(form_->Line_Text->text(), QStringLiteral("302"));  // records, separator, summary
    form_->Contents_List->scrollToTop();
    QTest::mouseClick(form_->Contents_List->viewport(), Qt::LeftButton, {},
                      form_->Contents_List->visualRect(form_->Contents_Model->index(3)).center());
    QCOMPARE(form_->Line_Text->text(), QStringLiteral("3"));
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

  void deselectingTheEntryShowsMinusOne() {
    LoadRecords(3);
    const QRect first = form_->Contents_List->visualRect(form_->Contents_Model->index(0));
    QTest::mouseClick(form_->Contents_List->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      first.center());
    QCOMPARE(form_->Line_Text->text(), QStringLiteral("-1"));
  }

  void aFileErrorLeavesTheIndicatorOnTheListAsItStands() {
    LoadRecords(300);
    Press(Qt::Key_End, Qt::ControlModifier);
    Load(QString::fromStdString((dir_.Path() / "missing.hex").string()));
    QCOMPARE(platform_.boxes.size(), size_t{1});
    QCOMPARE(form_->Line_Text->text(), QStringLiteral("-1"));
  }

  void indexPast32767IsTheRealRow() {
    LoadRecords(40000);
    Press(Qt::Key_End);
    QCOMPARE(form_->Line_Text->text(), QStringLiteral("40002"));
  }

  void enterPressesLoadUnlessAnotherButtonHasTheFocus() {
    Press(Qt::Key_Return);
    QCOMPARE(platform_.requests.size(), size_t{1});
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
