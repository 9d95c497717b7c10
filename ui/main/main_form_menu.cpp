// The Function menu: its items, the options it remembers between runs of the
// program, and the memory map window it opens.
#include <QAction>
#include <QListView>
#include <QMenu>
#include <QMenuBar>

#include "main/listing_model.h"
#include "main/main_form.h"
#include "map/map_window.h"
#include "platform/platform.h"

namespace larkspan {

namespace {

const QString kLinearKey = QStringLiteral("decodeLinearRecords");
const QString kCheckKey = QStringLiteral("checkRecords");

}  // namespace

void Main_Form::BuildMenu() {
  Func_Menu = menuBar()->addMenu(QStringLiteral("&Function"));
  Func_Load = Func_Menu->addAction(QStringLiteral("&Load file .."));
  // The map of the file last loaded: there is none before the first load.
  Func_Map = Func_Menu->addAction(QStringLiteral("Memory &map"));
  Func_Map->setEnabled(false);
  Func_Image = Func_Menu->addAction(QStringLiteral("Memory &image"));
  Func_Image->setEnabled(false);
  Func_Compare = Func_Menu->addAction(QStringLiteral("Com&pare with file .."));
  Func_Compare->setEnabled(false);
  Func_Menu->addSeparator();  // Space_1
  Func_Linear = AddOption(QStringLiteral("Decode &32-bit records"), kLinearKey);
  Func_Check = AddOption(QStringLiteral("&Check records"), kCheckKey);
  Func_Menu->addSeparator();  // Space_2
  Func_About = Func_Menu->addAction(QStringLiteral("&About"));
  Func_Menu->addSeparator();  // Space_3
  Func_Exit = Func_Menu->addAction(QStringLiteral("E&xit"));
  setFixedSize(kClientWidth, menuBar()->sizeHint().height() + kClientHeight);
}

// A checkable item, ticked as the user left it.
QAction* Main_Form::AddOption(const QString& caption, const QString& key) {
  QAction* option = Func_Menu->addAction(caption);
  option->setCheckable(true);
  option->setChecked(platform_.Option(key));
  return option;
}

void Main_Form::Func_Linear_Click() {
  platform_.SetOption(kLinearKey, Func_Linear->isChecked());
}

void Main_Form::Func_Check_Click() {
  platform_.SetOption(kCheckKey, Func_Check->isChecked());
}

void Main_Form::Func_Map_Click() {
  if (Map_Window == nullptr) {
    Map_Window = new MapWindow(this);
    ShareChecksumPicker(Map_Window->Checksum_Kind);
    connect(Map_Window, &MapWindow::LineChosen, this,
            [this](qint64 line) { Map_Table_DblClick(line); });
    connect(Map_Window, &MapWindow::ImageChosen, this, [this] { Func_Image_Click(); });
    RefreshMap();
  }
  Map_Window->show();
  Map_Window->raise();
  Map_Window->activateWindow();
  GatherMap();
}

void Main_Form::RefreshMap() {
  if (Map_Window == nullptr) return;
  if (ScanActive() || map_ == nullptr) {
    Map_Window->ShowReading();
  } else {
    Map_Window->ShowMap(map_, CurrentFile);
  }
}

void Main_Form::Map_Table_DblClick(std::int64_t line) {
  const std::int64_t row = Contents_Model->RowAtOrBeforeLine(line);
  if (ScanActive() || row < 0 || row >= Contents_Model->rowCount()) return;
  Contents_List->setCurrentIndex(Contents_Model->index(static_cast<int>(row)));
}

}  // namespace larkspan
