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
#include "main/line_indicator.h"
#include "main/listing_model.h"
#include "main/map_pass.h"
#include "main/split_filename.h"
#include "memory/memory_map.h"
#include "platform/platform.h"
#include "session/scan_session.h"

namespace larkspan {

namespace {

constexpr char kDialogTitle[] = "Enter path & name of HEX-file:";
constexpr char kFileFilter[] =
    "HEX file (*.hex)|*.hex|Intel (*.83)|*.83|MCS-86 (*.88)|*.88|All files (*.*)|*.*|"
    "S-record files (*.s19 *.s28 *.s37 *.srec *.mot *.mhx *.sx)|"
    "*.s19 *.s28 *.s37 *.srec *.mot *.mhx *.sx";

bool IsNavigationKey(int key) {
  switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
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
  ConnectMapPass();
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

void Main_Form::Form_KeyDown(int key, Qt::KeyboardModifiers shift) {
  if (key == Qt::Key_F4 && shift == Qt::AltModifier) {
    Exit_Button_Click();
    return;
  }
  if (IsNavigationKey(key) && shift == Qt::NoModifier) NavKeyDown = true;
}

void Main_Form::Form_KeyUp() {
  if (!NavKeyDown) return;
  Line_Text->SetCaption(QString::number(ListIndex()));
  NavKeyDown = false;
}

void Main_Form::Form_QueryUnload(int unloadMode) {
  if (unloadMode == kUnloadByUser) Exit_Button_Click();
}

void Main_Form::Exit_Button_Click() {
  platform_.ExitProgram();
}

void Main_Form::Load_Button_Click() {
  // Only one scan run at a time: it holds the input file until it ends.
  if (scanActive_) return;
  if (const std::optional<QString> chosen =
          ChooseHexFile(QString::fromLatin1(kDialogTitle), CurrentFile)) {
    LoadFile(*chosen);
  }
}

std::optional<QString> Main_Form::ChooseHexFile(const QString& title, const QString& file) {
  Filename_Dialog.DialogTitle = title;
  Filename_Dialog.InitDir = SplitFilename(file, true);
  Filename_Dialog.FileName = SplitFilename(file, false);
  Filename_Dialog.Filter = QString::fromLatin1(kFileFilter);
  Filename_Dialog.Flags = CommonDialog::kFileMustExist;
  return Filename_Dialog.ShowOpen();
}

void Main_Form::LoadFile(const QString& path) {
  if (scanActive_) return;
  CurrentFile = path;
  setWindowTitle(LiteralTitle(QStringLiteral("Larkspan") + QStringLiteral(" - ") + CurrentFile));
  RunScan();
}

// The map window says that a file is being read until the run ends.
void Main_Form::RunScan() {
  scanActive_ = true;
  mapPass_->Stop();
  map_.reset();
  OfferLoad(false);
  Func_Map->setEnabled(true);
  Func_Image->setEnabled(true);
  Func_Compare->setEnabled(true);
  RefreshMap();
  UpdateImage();
  UpdateCompare();
  FormListingView::Prepare(*this);
  FormListingView::Finish(*this, ListCurrentFile());
  scanActive_ = false;
  OfferLoad(true);
  RefreshMap();
  UpdateImage();
  UpdateCompare();
}

// The listing, with Check records the checks too, and the map when a view needs
// it.
bool Main_Form::ListCurrentFile() {
  pacing_ = {};
  FormListingView view(*this, pacing_);
  ScanSession session({.listing = &view,
                       .linear = Func_Linear->isChecked(),
                       .check = Func_Check->isChecked(),
                       .map = MapWanted()},
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

bool Main_Form::eventFilter(QObject* watched, QEvent* event) {
  const bool press = event->type() == QEvent::KeyPress;
  if (!press && event->type() != QEvent::KeyRelease) return false;
  // Each key once: at the widget that has the focus (or the form itself), not
  // again as it travels up to the parents.
  QWidget* target = QApplication::focusWidget();
  if (watched != (target != nullptr ? static_cast<QObject*>(target) : this)) return false;
  if (target != nullptr && target->window() != this) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (!press) {
    Form_KeyUp();
    return false;
  }
  // Only Shift, Ctrl and Alt count: a navigation key on the keypad is one too.
  Form_KeyDown(key->key(),
               key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
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
  Form_QueryUnload(event->spontaneous() ? kUnloadByUser : kUnloadByCode);
  event->accept();
}

}  // namespace larkspan
