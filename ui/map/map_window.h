// The memory map of the file last loaded, in a window of its own beside the main
// window: a summary of its data, then a table for each of its address ranges, the
// gaps between them, the overlaps, the entry points, the records of each type,
// every warning of the run, and the checksums of the image and of each range. A double-click on a
// row that names a line, or Enter on it, leads to that line's entry in the main list.
#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

#include "map/map_table_model.h"
#include "memory/map_summary.h"

class QHBoxLayout;
class QLabel;
class QPushButton;
class QTabWidget;
class QTreeView;

namespace larkspan {

class ChecksumPicker;
class ChecksumTable;

class MapWindow final : public QWidget {
  Q_OBJECT

 public:
  // The tables, in the order of their tabs.
  enum Table { kRanges, kGaps, kOverlaps, kEntries, kRecords, kWarnings, kChecksums, kTables };

  // Opens beside `parent`, the main window, where the screen has room, else where
  // the window manager places it.
  explicit MapWindow(QWidget* parent);
  ~MapWindow() override;

  // Shows `map`, gathered from the file at `path`: its tables when the whole file
  // was read, else that the file could not be read, with the warnings of the run.
  // The window holds on to the map until it shows another or ShowReading.
  void ShowMap(std::shared_ptr<const MemoryMap> map, const QString& path);
  // Says that a file is being read, empties the tables and lets go of the map.
  void ShowReading();

  QTreeView* View(Table table) const { return views_[table]; }

  // Controls.
  QLabel* Summary_Label = nullptr;
  QTabWidget* Tables_Tab = nullptr;
  QHBoxLayout* Button_Row = nullptr;
  QPushButton* Image_Button = nullptr;  // opens the memory image
  QPushButton* Close_Button = nullptr;
  ChecksumPicker* Checksum_Kind = nullptr;  // the algorithm of the Checksums tab

 signals:
  // A row that names a line was double-clicked, or Enter was pressed on it.
  void LineChosen(qint64 line);
  // The memory image was asked for.
  void ImageChosen();

 private:
  void AddTable(const QString& headers);
  void Fill(Table table, std::size_t rows, MapTableModel::RowCells cells);
  void FillTables(const MapSummary& summary);
  void FillChecksums();

  std::vector<QTreeView*> views_;
  std::vector<MapTableModel*> models_;
  std::shared_ptr<const MemoryMap> map_;
  std::unique_ptr<const MapSummary> summary_;       // of `map_`
  std::unique_ptr<const ChecksumTable> checksums_;  // of `map_`'s image
};

}  // namespace larkspan
