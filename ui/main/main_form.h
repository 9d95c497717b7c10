// The program's main window: the list of a file's records, the line indicator, the
// quick-load box, the Load and Exit buttons and the Function menu, which also opens
// the memory map window and holds the options of the scan run.
#pragma once

#include <QMainWindow>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

#include "main/form_listing_view.h"
#include "main/listing_window.h"
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

class ChecksumPicker;
class CompareWindow;
class ImageWindow;
class LineIndicator;
class MapPass;
class MapWindow;
class MemoryMap;
class ListingModel;
class Platform;

// Handlers are named after the control and the event; a menu item that does what
// a button does runs the button's handler.
class Main_Form : public QMainWindow, private ListingWindow {
  Q_OBJECT

 public:
  // Size of the client area below the menu bar, in pixels.
  static constexpr int kClientWidth = 482;
  static constexpr int kClientHeight = 298;

  explicit Main_Form(Platform& platform, QWidget* parent = nullptr);
  ~Main_Form() override;

  // The controls, for tests and benchmarks to act on as a user does and to read
  // what they show.
  struct Controls {
    QListView* Contents_List;
    ListingModel* Contents_Model;
    QPushButton* Load_Button;
    LineIndicator* Line_Text;
    QCheckBox* Quick_Check;
    QPushButton* Exit_Button;
    QMenu* Func_Menu;
    QAction* Func_Load;
    QAction* Func_Map;
    QAction* Func_Image;
    QAction* Func_Compare;
    QAction* Func_Linear;
    QAction* Func_Check;
    QAction* Func_About;
    QAction* Func_Exit;
  };
  Controls Parts() const;
  // The map and image windows, once opened.
  MapWindow* MapView() const { return Map_Window; }
  ImageWindow* ImageView() const { return Image_Window; }
  // The compare window, once a second file was read.
  CompareWindow* Comparison() const { return Compare_Window; }

  // The load command: the file dialog, then LoadFile on the path chosen. Nothing
  // while a run is active.
  void Load_Button_Click();
  // What the load command does with the path chosen: it becomes CurrentFile and
  // the title, and the scan run lists it. Nothing while a run is active.
  void LoadFile(const QString& path);
  // LoadFile on `path` made absolute, once the event loop gets to it: for a file
  // handed over from outside, the command line or a drop.
  void LoadLater(const QString& path);
  // Compares the file last loaded, and each one loaded after it, with the file at
  // `path`: reads its map on a worker thread, then opens the compare window; a
  // file that cannot be read is named in a box. CompareLater does so on `path`
  // made absolute, once the event loop gets to it.
  void CompareWith(const QString& path);
  void CompareLater(const QString& path);

  // Full path of the last file chosen.
  const QString& CurrentFileName() const { return CurrentFile; }
  // Index of the selected list entry, -1 when none is selected.
  int ListIndex() const;
  // True while a scan run fills the list.
  bool ScanActive() const { return scanActive_; }
  // The memory map of the file last loaded, complete when the run was; nothing
  // before the first load.
  const MemoryMap* LastMap() const { return map_.get(); }
  // How the last scan run paced its event processing and list layouts.
  const PacingCounts& Pacing() const { return pacing_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // One local file may be dropped on the window, except during a scan run.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Unload modes of Form_QueryUnload.
  static constexpr int kUnloadByUser = 0;  // the close box or the window menu
  static constexpr int kUnloadByCode = 1;

  void Form_Load();
  void Contents_List_Click();
  // Keys as Qt names them, with the Shift, Ctrl and Alt modifiers held.
  void Form_KeyDown(int key, Qt::KeyboardModifiers shift);
  void Form_KeyUp();
  void Form_QueryUnload(int unloadMode);
  void Exit_Button_Click();
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
  // The map of the file last loaded is gathered by the load itself when a view
  // needs it then (the map or the image window is open, or Check records is on),
  // else by a pass of its own on a worker thread when a view asks for it:
  // main_form_map.cpp.
  void ConnectMapPass();
  bool MapWanted() const;
  void GatherMap();
  void MapGathered(std::shared_ptr<MemoryMap> map);
  // The image window and the list in step: main_form_image.cpp.
  void ConnectImage();
  void UpdateImage();
  void ShowRecordInImage();
  void Image_Byte_DblClick(std::uint32_t address);
  // Sets `picker` to the checksum last picked, and keeps the pick and the other
  // window's picker in step with it: main_form_checksum.cpp.
  void ShareChecksumPicker(ChecksumPicker* picker);
  // The compare with a second file: main_form_compare.cpp.
  void ConnectCompare();
  void Func_Compare_Click();
  void SecondGathered(std::shared_ptr<MemoryMap> map);
  void UpdateCompare();
  // The file dialog as the load command sets it up, titled `title`, on `file`.
  std::optional<QString> ChooseHexFile(const QString& title, const QString& file);

  // The list, indicator and boxes as the scan run uses them: main_form_listing.cpp.
  void ClearList() override;
  void AddItem(std::string_view text, LineKind kind, std::int64_t line) override;
  void PublishItems(bool layOut) override;
  bool ListVisible() const override;
  void SetListVisible(bool visible) override;
  void FocusList() override;
  void SelectFirstItem() override;
  void ShowSelectedIndex() override;
  bool QuickLoad() const override;
  void SetIndicator(const QString& text) override;
  bool ShowMessage(BoxIcon icon, const QString& title, const QString& text,
                   const QString& checkBox) override;
  void ProcessPendingEvents() override;

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
  QAction* Func_Compare = nullptr;
  QAction* Func_About = nullptr;
  ImageWindow* Image_Window = nullptr;  // made when first asked for
  QAction* Func_Exit = nullptr;
  MapWindow* Map_Window = nullptr;  // made when first opened

  Platform& platform_;
  bool scanActive_ = false;
  PacingCounts pacing_;
  // Shared with the map window while it shows it.
  std::shared_ptr<MemoryMap> map_;
  MapPass* mapPass_ = nullptr;  // a child of the form
  // The second file of the compare, its map, and the file a pass reads for it.
  CompareWindow* Compare_Window = nullptr;  // made when a second file was first read
  MapPass* secondPass_ = nullptr;
  QString secondFile_;
  std::shared_ptr<MemoryMap> second_;
  QString readingSecond_;
};

}  // namespace larkspan
