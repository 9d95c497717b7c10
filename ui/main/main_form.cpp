#include "main/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>

#include <exception>

#include "larkspan/version.h"
#include "main/key_codes.h"
#include "main/line_indicator.h"
#include "main/listing_model.h"
#include "main/split_filename.h"
#include "memory/memory_map.h"
#include "platform/platform.h"
#include "session/scan_session.h"

namespace larkspan {

namespace {

constexpr char kDialogTitle[] = "Enter path & name of HEX-file:";
constexpr char kFileFilter[] =
    "HEX file (*.hex)|*.hex|Intel (*.83)|*.83|MCS-86 (*.88)|*.88|All files (*.*)|*.*";

bool IsNavigationKey(int keyCode) {
  switch (keyCode) {
    case kKeyUp:
    case kKeyDown:
    case kKeyPageUp:
    case kKeyPageDown:
    case kKeyHome:
    case kKeyEnd:
      return true;
    default:
      return false;
  }
}

// Qt reads "[*]" in a window title as the place of a modified mark and shows
// "[*][*]" as "[*]"; a path is shown as it stands.
QString LiteralTitle(QString title) {
  return title.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
}

}  // namespace

Main_Form::Main_Form(Platform& platform, QWidget* parent)
    : QMainWindow(parent), Filename_Dialog(platform, this), platform_(platform) {
  BuildControls();
  BuildMenu();
  ConnectHandlers();
  setAcceptDrops(true);
  // The form sees keys before its controls.
  qApp->installEventFilter(this);
  Form_Load();
  CentreOnScreen();
}

Main_Form::~Main_Form() {
  qApp->removeEventFilter(this);
}

void Main_Form::Form_Load() {
  NavKeyDown = false;
  CurrentFile.clear();
  setWindowTitle(QStringLiteral("Larkspan"));
}

int Main_Form::ListIndex() const {
  // Ctrl+click deselects the current entry but leaves it current.
  const QModelIndex current = Contents_List->currentIndex();
  const bool selected = current.isValid() && Contents_List->selectionModel()->isSelected(current);
  return selected ? current.row() : -1;
}

void Main_Form::Contents_List_Click() {
  Line_Text->SetCaption(QString::number(ListIndex()));
}

void Main_Form::Form_KeyDown(int keyCode, int shift) {
  if (keyCode == kKeyF4 && shift == kAltMask) {
    Exit_Button_Click();
    return;
  }
  if (IsNavigationKey(keyCode) && shift == 0) NavKeyDown = true;
}

void Main_Form::Form_KeyUp(int /*keyCode*/, int /*shift*/) {
  if (!NavKeyDown) return;
  Line_Text->SetCaption(QString::number(ListIndex()));
  NavKeyDown = false;
}

void Main_Form::Form_QueryUnload(bool& /*cancel*/, int unloadMode) {
  if (unloadMode == kUnloadByUser) Func_Exit_Click();
}

void Main_Form::Exit_Button_Click() {
  platform_.ExitProgram();
}

void Main_Form::Func_Exit_Click() {
  Exit_Button_Click();
}

void Main_Form::Func_Load_Click() {
  Load_Button_Click();
}

void Main_Form::Load_Button_Click() {
  // Only one scan run at a time: it holds the input file until it ends.
  if (scanActive_) return;
  Filename_Dialog.DialogTitle = QString::fromLatin1(kDialogTitle);
  Filename_Dialog.InitDir = SplitFilename(CurrentFile, true);
  Filename_Dialog.FileName = SplitFilename(CurrentFile, false);
  Filename_Dialog.Filter = QString::fromLatin1(kFileFilter);
  Filename_Dialog.Flags =
      CommonDialog::kHideReadOnly | CommonDialog::kPathMustExist | CommonDialog::kFileMustExist;
  if (const std::optional<QString> chosen = Filename_Dialog.ShowOpen()) LoadFile(*chosen);
}

void Main_Form::LoadFile(const QString& path) {
  if (scanActive_) return;
  CurrentFile = path;
  setWindowTitle(LiteralTitle(QStringLiteral("Larkspan") + QStringLiteral(" - ") + CurrentFile));
  RunScan();
}

// Around the run, the window clears the list, hides it for a quick load, and at
// the end shows it, gives it the focus and selects its first entry, which shows 0
// in the indicator. After a failed run the indicator shows the list as it stands.
// The map window says that a file is being read until the run ends.
void Main_Form::RunScan() {
  scanActive_ = true;
  OfferLoad(false);
  Func_Map->setEnabled(true);
  Func_Image->setEnabled(true);
  RefreshMap();
  UpdateImage();
  Contents_Model->Clear();
  if (Quick_Check->checkState() != Qt::Unchecked) Contents_List->setVisible(false);
  const bool complete = ListCurrentFile();
  if (complete) Line_Text->SetCaption(QStringLiteral("Done"));
  Contents_Model->Publish();
  Contents_List->setVisible(true);
  Contents_List->setFocus();
  if (complete) Contents_List->setCurrentIndex(Contents_Model->index(0));
  // Also when the first entry was selected already and the selection did not change.
  Contents_List_Click();
  scanActive_ = false;
  OfferLoad(true);
  RefreshMap();
  UpdateImage();
}

// The listing, with Check records the checks too, and the map for the map and
// image windows.
bool Main_Form::ListCurrentFile() {
  pacing_ = {};
  FormListingView view(*this, pacing_);
  ScanSession session({.listing = &view,
                       .linear = Func_Linear->isChecked(),
                       .check = Func_Check->isChecked(),
                       .map = true},
                      view);
  map_ = session.Map();
  const std::string path = QFile::encodeName(CurrentFile).toStdString();
  try {
    return session.Run(path) == ScanOutcome::Complete;
  } catch (const std::exception& e) {
    // Nothing in a run is expected to throw; should it, the window keeps working.
    view.OnFileError(
        Message{MessageKind::FileError, "File error", {"Cannot list file: " + path, e.what()}});
    return false;
  }
}

void Main_Form::OfferLoad(bool offered) {
  Load_Button->setEnabled(offered);
  Func_Load->setEnabled(offered);
}

void Main_Form::Func_About_Click() {
  const QString text =
      QStringLiteral("Larkspan, Version %1.%2.%3")
          .arg(kVersionMajor)
          .arg(kVersionMinor)
          .arg(kVersionRevision) +
      QStringLiteral("\nRead HEX-file and display contents and usable addess info.") +
      QStringLiteral("\n\nWritten by the Larkspan developers.");
  platform_.MessageBox(this, BoxIcon::Information, QStringLiteral("About Larkspan"), text,
                       QString());
}

QString Main_Form::SplitFilename(const QString& filename, bool pathFile) {
  return larkspan::SplitFilename(filename, pathFile);
}

bool Main_Form::eventFilter(QObject* watched, QEvent* event) {
  const bool press = event->type() == QEvent::KeyPress;
  if (!press && event->type() != QEvent::KeyRelease) return false;
  // Each key once: at the widget that has the focus (or the form itself), not
  // again as it travels up to the parents.
  QWidget* target = QApplication::focusWidget();
  if (watched != (target != nullptr ? static_cast<QObject*>(target) : this)) return false;
  if (target != nullptr && target->window() != this) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const int code = KeyCodeOf(key->key());
  const int shift = ShiftMaskOf(key->modifiers());
  if (!press) {
    Form_KeyUp(code, shift);
    return false;
  }
  Form_KeyDown(code, shift);
  if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
  PressDefaultButton();
  return true;
}

// What Enter does: it presses the button that has the focus, or else the default
// button, Load.
void Main_Form::PressDefaultButton() {
  auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
  if (button == nullptr) button = Load_Button;
  if (button->isEnabled()) button->click();
}

void Main_Form::closeEvent(QCloseEvent* event) {
  bool cancel = false;
  Form_QueryUnload(cancel, event->spontaneous() ? kUnloadByUser : kUnloadByCode);
  event->setAccepted(!cancel);
}

}  // namespace larkspan
