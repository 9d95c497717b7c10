// The window's controls, keys, About box and exits.
#include <QtTest/qtestspontaneevent.h>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>

#include "support/window_fixture.h"

using namespace larkspan;

class MainFormTest : public testing::WindowFixture {
  Q_OBJECT

  // Presses and releases a key where keys go: at the widget that has the focus.
  static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  void ClickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(ui_.Contents_List->viewport(), Qt::LeftButton, modifiers,
                      ui_.Contents_List->visualRect(ui_.Contents_Model->index(row)).center());
  }
  QString Indicator() const { return ui_.Line_Text->text(); }
  // The font a control asks for where it asks for a fixed pitch, and whether the
  // characters it shows then take one width.
  static QString FixedPitch(const QFont& font) {
    if (!font.fixedPitch()) return {};
    const QFontMetricsF m(font);
    const qreal width = m.horizontalAdvance('0');
    const bool even = m.horizontalAdvance('i') == width && m.horizontalAdvance('W') == width;
    return QStringLiteral(" %1 %2 pt%3 %4")
        .arg(font.family())
        .arg(font.pointSizeF())
        .arg(font.styleHint() == QFont::TypeWriter ? " typewriter" : "")
        .arg(even ? "fixed-pitch" : "uneven-pitch");
  }
  // A control's class, caption, tip and place, and how its text shows; it fails
  // where the caption does not fit.
  static QString Describe(QWidget* w) {
    const QRect r = w->geometry();
    return QStringLiteral("%1 '%2' '%3' %4,%5 %6x%7")
               .arg(w->metaObject()->className(), w->property("text").toString(), w->toolTip())
               .arg(r.x())
               .arg(r.y())
               .arg(r.width())
               .arg(r.height()) +
           (w->font().bold() ? " bold" : "") + FixedPitch(w->font()) +
           (w->property("alignment").toInt() & Qt::AlignRight ? " right-aligned" : "") +
           (w->layoutDirection() == Qt::RightToLeft ? " right-to-left" : "") +
           (w->property("checked").toBool() ? " checked" : "") +
           (w->sizeHint().width() > r.width() ? " cut-off" : "");
  }

 private slots:
  void init() { QVERIFY(OpenWindow()); }
  void cleanup() { form_.reset(); }

  // The window as the user first meets it, as main_form_window.txt describes it.
  void startsAsDescribed() {
    const auto flags = form_->windowFlags();
    QStringList shown{
        form_->windowTitle() +
            QStringLiteral(", client %1x%2")
                .arg(form_->centralWidget()->width())
                .arg(form_->centralWidget()->height()) +
            (form_->minimumSize() == form_->maximumSize() ? ", fixed size" : "") +
            (flags & Qt::WindowMinMaxButtonsHint ? ", minimize or maximize box" : "") +
            (flags & Qt::WindowCloseButtonHint ? ", close box" : "") +
            (form_->windowIcon().isNull() ? "" : ", icon"),
        "focus on " + QApplication::focusWidget()->toolTip()};
    for (QWidget* control :
         form_->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      shown << Describe(control);
    }
    for (int i = 0; i < 4; ++i) {
      Press(Qt::Key_Tab);
      shown << "tab to " + QApplication::focusWidget()->toolTip();
    }
    for (QAction* action : form_->menuBar()->actions() + ui_.Func_Menu->actions()) {
      shown << "menu " + (action->isSeparator() ? "-" : action->text()) +
                   (action->shortcut().isEmpty() ? "" : " shortcut") +
                   (action->isCheckable() ? (action->isChecked() ? " ticked" : " unticked") : "") +
                   (action->isEnabled() ? "" : " disabled");
    }
    ui_.Func_About->trigger();
    for (const auto& box : platform_.boxes) {
      shown << (box.icon == BoxIcon::Information ? "information " : "other box ") + box.title +
                   ": " + QString(box.text).replace('\n', "\\n");
    }
    QCOMPARE(shown, FileLines(QStringLiteral(LARKSPAN_SOURCE_DIR "/ui/main/main_form_window.txt")));
    QVERIFY(form_->CurrentFileName().isEmpty());
    const QPoint offset =
        form_->frameGeometry().center() - form_->screen()->availableGeometry().center();
    // Centred but for half the window frame, known only once shown, and rounding.
    const QSize frame = form_->frameGeometry().size() - form_->size();
    QVERIFY2(offset.manhattanLength() <= (frame.width() + frame.height()) / 2 + 2,
             qPrintable(QStringLiteral("%1 %2x%3")
                            .arg(offset.manhattanLength())
                            .arg(frame.width())
                            .arg(frame.height())));
  }

  void everyExitEndsTheProgramButClosingFromCode() {
    ui_.Exit_Button->click();
    ui_.Func_Exit->trigger();
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

  // On the empty list: a navigation key without Shift, Ctrl or Alt (on the keypad
  // too) shows the index once it comes up; Alt+F4 alone exits.
  void navigationKeysShowTheIndexWhenUpAndAltF4Exits() {
    ui_.Contents_List->setFocus();
    const Qt::KeyboardModifiers modifiers[] = {
        Qt::NoModifier,      Qt::KeypadModifier, Qt::ShiftModifier,
        Qt::ControlModifier, Qt::AltModifier,    Qt::AltModifier | Qt::ShiftModifier};
    for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
                              Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_F4}) {
      for (const Qt::KeyboardModifiers shift : modifiers) {
        if (key == Qt::Key_F4 && shift == Qt::AltModifier) continue;
        ui_.Line_Text->SetCaption(QStringLiteral("x"));
        QTest::keyPress(ui_.Contents_List, key, shift);
        QCOMPARE(Indicator(), QStringLiteral("x"));
        QTest::keyRelease(ui_.Contents_List, key, shift);
        const bool navigation = key != Qt::Key_Left && key != Qt::Key_F4 &&
                                (shift & ~Qt::KeypadModifier) == Qt::NoModifier;
        QCOMPARE(Indicator(), navigation ? QStringLiteral("-1") : QStringLiteral("x"));
      }
    }
    QCOMPARE(platform_.exits, 0);
    Press(Qt::Key_F4, Qt::AltModifier);
    QCOMPARE(platform_.exits, 1);
  }

  void navigationKeysAndClicksShowTheIndex() {
    ui_.Contents_List->setFocus();
    Press(Qt::Key_Down);  // on the empty list
    QCOMPARE(Indicator(), QStringLiteral("-1"));
    Load(Write("r.hex", testing::Repeat(":0100000011EE\r\n", 40000)));
    QCOMPARE(Indicator(), QStringLiteral("0"));
    QCOMPARE(QApplication::focusWidget(), ui_.Contents_List);
    Press(Qt::Key_Down);
    QCOMPARE(Indicator(), QStringLiteral("1"));
    Press(Qt::Key_PageDown);
    QVERIFY(form_->ListIndex() > 1);
    QCOMPARE(Indicator(), QString::number(form_->ListIndex()));
    Press(Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(Indicator(), QStringLiteral("40002"));  // records, separator, summary
    ui_.Contents_List->scrollToTop();
    ClickRow(3);
    QCOMPARE(Indicator(), QStringLiteral("3"));
    ClickRow(3, Qt::ControlModifier);  // deselects
    QCOMPARE(Indicator(), QStringLiteral("-1"));
    Press(Qt::Key_Down);
    QCOMPARE(Indicator(), QStringLiteral("4"));
    // After a failed run the indicator shows the list as it now stands.
    Load(QString::fromStdString((dir_.Path() / "missing.hex").string()));
    QCOMPARE(platform_.boxes.size(), size_t{1});
    QCOMPARE(Indicator(), QStringLiteral("-1"));
  }

  void indicatorShowsEveryDigit_data() {
    QTest::addColumn<QString>("text");
    for (const char* text : {"0", "Done", "150042", "4000250", "2147483647"}) {
      QTest::newRow(text) << QString::fromLatin1(text);
    }
  }
  // Each after the longest caption, which may have taken a smaller font.
  void indicatorShowsEveryDigit() {
    QFETCH(QString, text);
    ui_.Line_Text->SetCaption(QStringLiteral("2147483647"));
    ui_.Line_Text->SetCaption(text);
    const int room = ui_.Line_Text->contentsRect().width() - ui_.Line_Text->indent();
    const int width = QFontMetrics(ui_.Line_Text->font()).horizontalAdvance(text);
    QVERIFY2(width <= room, qPrintable(QStringLiteral("%1 > %2").arg(width).arg(room)));
    // A smaller font only where the window's own would not fit.
    const QFont own = form_->centralWidget()->font();
    if (QFontMetrics(own).horizontalAdvance(text) <= room) QCOMPARE(ui_.Line_Text->font(), own);
  }

  // Enter presses the button in the focus, else Load; access keys reach their controls.
  void enterAndAccessKeysPressTheirControls() {
    Press(Qt::Key_Return);
    Press(Qt::Key_Q, Qt::AltModifier);
    QTRY_COMPARE(ui_.Quick_Check->checkState(), Qt::Checked);
    Press(Qt::Key_Enter);
    QCOMPARE(platform_.requests.size(), size_t{2});
    Press(Qt::Key_L, Qt::AltModifier);
    QTRY_COMPARE(platform_.requests.size(), size_t{3});
    ui_.Exit_Button->setFocus();
    Press(Qt::Key_Return);
    QCOMPARE(platform_.requests.size(), size_t{3});
    QCOMPARE(platform_.exits, 1);
    Press(Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(ui_.Func_Menu->isVisible());
    ui_.Func_Menu->close();
  }
};

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
