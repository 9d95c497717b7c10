// The program's main window: the list of a file's records, the line indicator, the
// quick-load box, the Load and Exit buttons and the Function menu, which also opens
// the memory map window and holds the options of the scan run.
#pragma once

#include <QMainWindow>
#include <QString>

#include <cstdint>
#include <memory>

#include "main/form_listing_view.h"
#include "platform/common_dialog.h"

class QAction;
class QCheckBox;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QListView;
class QMenu;
class QPushButton;

namespace larkspan {

class ImageWindow;
class LineIndicator;
class MapWindow;
class MemoryMap;
class ListingModel;
class Platform;

// Handlers are named after the control and the event; handlers that do the same
// thing call one another.
class Main_Form : public QMainWindow {
  Q_OBJECT

 public:
  // Size of the client area below the menu bar, in pixels.
  static constexpr int kClientWidth = 482;
  static constexpr int kClientHeight = 298;

  explicit Main_Form(Platform& platform, QWidget* parent = nullptr);
  ~Main_Form() override;

  // Form state.
  QString CurrentFile;      // full path of the last file chosen
  bool NavKeyDown = false;  // a navigation key went down; update the indicator

  // Controls.
  QListView* Contents_List = nullptr;
  ListingModel* Contents_Model = nullptr;
  QPushButton* Load_Button = nullptr;
  QLabel* Line_Label = nullptr;
  LineIndicator* Line_Text = nullptr;
  QCheckBox* Quick_Check = nullptr;
  QPushButton* Exit_Button = nullptr;
  CommonDialog Filename_Dialog;
  QMenu* Func_Menu = nullptr;
  QAction* Func_Load = nullptr;
  QAction* Func_Map = nullptr;
  QAction* Func_Linear = nullptr;  // remembered: list types 04 and 05
  QAction* Func_Check = nullptr;   // remembered: check the records as the run reads them
  QAction* Func_Image = nullptr;
  QAction* Func_About = nullptr;
  ImageWindow* Image_Window = nullptr;  // made when first asked for
  QAction* Func_Exit = nullptr;
  MapWindow* Map_Window = nullptr;  // made when first opened

  void Form_Load();
  void Contents_List_Click();
  void Form_KeyDown(int keyCode, int shift);
  void Form_KeyUp(int keyCode, int shift);
  void Form_QueryUnload(bool& cancel, int unloadMode);
  void Exit_Button_Click();
  void Func_Exit_Click();
  void Func_Load_Click();
  void Load_Button_Click();
  // What the load command does with the path chosen: it becomes CurrentFile and
  // the title, and the scan run lists it. Nothing while a run is active.
  void LoadFile(const QString& path);
  // LoadFile on `path` made absolute, once the event loop gets to it: for a file
  // handed over from outside, the command line or a drop.
  void LoadLater(const QString& path);
  void Func_About_Click();
  // Opens the memory map window, or brings it to the front.
  void Func_Map_Click();
  // The options remember their state as the user leaves it.
  void Func_Linear_Click();
  void Func_Check_Click();
  // A row of the map window chose `line`: selects the entry of its record, or of
  // the last listed record before it, as a click on that entry does.
  void Map_Table_DblClick(std::int64_t line);
  // Opens the window of the memory image of the file last loaded; it follows the
  // list's selection and each new load.
  void Func_Image_Click();
  static QString SplitFilename(const QString& filename, bool pathFile);

  // Index of the selected list entry, -1 when none is selected.
  int ListIndex() const;
  // True while a scan run fills the list.
  bool ScanActive() const { return scanActive_; }
  Platform& Services() const { return platform_; }
  // The memory map of the file last loaded, complete when the run was; nothing
  // before the first load.
  const MemoryMap* LastMap() const { return map_.get(); }
  // How the last scan run paced its event processing and list layouts.
  const PacingCounts& Pacing() const { return pacing_; }

  // Unload modes of Form_QueryUnload.
  static constexpr int kUnloadByUser = 0;  // the close box or the window menu
  static constexpr int kUnloadByCode = 1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // One local file may be dropped on the window, except during a scan run.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildControls();
  void BuildMenu();
  void ConnectHandlers();
  void CentreOnScreen();
  void PressDefaultButton();
  void RunScan();
  // The scan run of CurrentFile into the list; true when it read the whole file.
  bool ListCurrentFile();
  void OfferLoad(bool offered);
  QAction* AddOption(const QString& caption, const QString& key);
  // Brings the map window, once made, up to date: the last map, or that a run is
  // reading a file.
  void RefreshMap();
  // The image window and the list in step: main_form_image.cpp.
  void ConnectImage();
  void UpdateImage();
  void ShowRecordInImage();
  void Image_Byte_DblClick(std::uint32_t address);

  Platform& platform_;
  bool scanActive_ = false;
  PacingCounts pacing_;
  // Shared with the map window while it shows it.
  std::shared_ptr<MemoryMap> map_;
};

}  // namespace larkspan
