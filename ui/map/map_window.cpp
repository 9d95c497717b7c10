#include "map/map_window.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

#include "checksum/checksum_picker.h"
#include "checksum/checksum_table.h"
#include "memory/memory_map.h"
#include "platform/window_placement.h"

namespace larkspan {

namespace {

using Cell = MapTableModel::Cell;
using Cells = QList<Cell>;

// Each table's tab and its columns.
constexpr struct {
  const char* title;
  const char* headers;
} kTableHeads[] = {
    {"Ranges", "First|Last|Length|Line"},
    {"Gaps", "First|Last|Length"},
    {"Overlaps", "First|Last|Length|Line|Again in line|Values"},
    {"Entry points", "Address|Record|Line"},
    {"Records", "Type|Count"},
    {"Warnings", "Line|Warning|Text"},
    {"Checksums", "Of|First|Last|Bytes with data|Value|With gaps as FF"},
};

// The summary's texts are ASCII.
QString Text(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

Cell LineCell(std::int64_t line) {
  return {line >= 0 ? QString::number(line) : QString(), line};
}

Cells AddressCells(std::uint32_t first, std::uint32_t last, std::uint64_t length) {
  return {{Text(AddressText(first))}, {Text(AddressText(last))}, {Text(LengthText(length))}};
}

Cells RangeCells(const MemoryImage::Range& range) {
  return AddressCells(range.first, range.last, range.Length());
}

Cells OverlapCells(const MapSummary::OverlapRow& overlap) {
  return AddressCells(overlap.first, overlap.last, overlap.length)
         << LineCell(overlap.earlierLine) << LineCell(overlap.laterLine)
         << Cell{overlap.Conflicting() ? Text(DifferText(overlap.differing))
                                       : Text(kIdenticalText)};
}

Cells EntryCells(const MapSummary::EntryRow& entry) {
  return {{Text(AddressText(entry.address))}, {Text(EntryKindText(entry))}, LineCell(entry.line)};
}

// Messages are in the system's 8-bit encoding, as they may carry the file's path.
Cells WarningCells(const Message& message) {
  return {LineCell(message.line),
          {QString::fromLocal8Bit(message.title)},
          {QString::fromLocal8Bit(JoinLines(message, "; "))}};
}

// The records of each type by their two digits and name, then the invalid
// records and the other lines.
Cells RecordCells(const MapSummary& summary, std::size_t row) {
  const std::vector<MapSummary::RecordRow>& records = summary.Records();
  if (row == records.size()) {
    return {{Text(kInvalidRecordsName)}, {QString::number(summary.InvalidRecords())}};
  }
  if (row > records.size()) {
    return {{Text(kOtherLinesName)}, {QString::number(summary.OtherLines())}};
  }
  const MapSummary::RecordRow& record = records[row];
  QString name = Text(record.type);
  if (!record.name.empty()) name += ' ' + Text(record.name);
  return {{name}, {QString::number(record.count)}};
}

// The file error of the run, which ends its warnings, or nothing.
QString Unreadable(const MapSummary& summary) {
  const std::span<const Message> warnings = summary.Warnings();
  QString text = QStringLiteral("The file could not be read.");
  if (!warnings.empty() && warnings.back().kind == MessageKind::FileError) {
    text += '\n' + QString::fromLocal8Bit(JoinLines(warnings.back(), "\n"));
  }
  return text;
}

}  // namespace

MapWindow::MapWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(QStringLiteral("Memory map"));
  auto* layout = new QVBoxLayout(this);
  Summary_Label = new QLabel(this);
  Summary_Label->setTextFormat(Qt::PlainText);
  Summary_Label->setWordWrap(true);
  Summary_Label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(Summary_Label);
  Tables_Tab = new QTabWidget(this);
  layout->addWidget(Tables_Tab, 1);
  for (const auto& table : kTableHeads) {
    AddTable(QString::fromLatin1(table.headers));
    Tables_Tab->addTab(views_.back(), QString::fromLatin1(table.title));
  }
  Button_Row = new QHBoxLayout;
  auto* checksum = new QLabel(QStringLiteral("Chec&ksum:"), this);
  Checksum_Kind = new ChecksumPicker(this);
  checksum->setBuddy(Checksum_Kind);
  connect(Checksum_Kind, &QComboBox::currentIndexChanged, this, [this] { FillChecksums(); });
  Button_Row->addWidget(checksum);
  Button_Row->addWidget(Checksum_Kind);
  Button_Row->addStretch(1);
  Image_Button = new QPushButton(QStringLiteral("Memory &image"), this);
  Button_Row->addWidget(Image_Button);
  connect(Image_Button, &QPushButton::clicked, this, &MapWindow::ImageChosen);
  Close_Button = new QPushButton(QStringLiteral("&Close"), this);
  Button_Row->addWidget(Close_Button);
  layout->addLayout(Button_Row);
  connect(Close_Button, &QPushButton::clicked, this, &QWidget::close);
  new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
  resize(640, 420);
  PlaceWindowBeside(*this, *parent);
}

MapWindow::~MapWindow() = default;

void MapWindow::AddTable(const QString& headers) {
  auto* model = new MapTableModel(headers.split('|'), this);
  auto* view = new QTreeView(this);
  view->setModel(model);
  view->setRootIsDecorated(false);
  view->setItemsExpandable(false);
  view->setUniformRowHeights(true);
  view->setAllColumnsShowFocus(true);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // A double-click or Enter, as the desktop activates items.
  connect(view, &QTreeView::activated, this, [this, model](const QModelIndex& index) {
    const std::int64_t line = model->LineAt(index);
    if (line >= 0) emit LineChosen(line);
  });
  views_.push_back(view);
  models_.push_back(model);
}

void MapWindow::ShowMap(std::shared_ptr<const MemoryMap> map, const QString& path) {
  auto summary = std::make_unique<const MapSummary>(*map);
  const QString lines = QStringLiteral("; %1 lines").arg(summary->Total().lines);
  Summary_Label->setText(
      path + '\n' +
      (summary->Complete() ? Text(TotalsText(summary->Total())) + lines : Unreadable(*summary)));
  FillTables(*summary);
  summary_ = std::move(summary);  // the tables' rows are drawn from it
  map_ = std::move(map);
  FillChecksums();
}

// Of an image read to its end: the whole image, then each range.
void MapWindow::FillChecksums() {
  checksums_.reset();
  if (map_ != nullptr && map_->Complete()) {
    checksums_ = std::make_unique<const ChecksumTable>(map_->Image(), Checksum_Kind->Algorithm());
  }
  const ChecksumTable* table = checksums_.get();
  Fill(kChecksums, table != nullptr ? table->Count() : 0, [table](int row) {
    const ChecksumTable::Row& sums = table->At(static_cast<std::size_t>(row));
    return Cells{{row == 0 ? QStringLiteral("Image") : QStringLiteral("Range %1").arg(row)},
                 {Text(AddressText(sums.range.first))},
                 {Text(AddressText(sums.range.last))},
                 {QString::number(sums.bytes)},
                 {Text(sums.value)},
                 {Text(sums.valueWithGapsAsFF)}};
  });
}

// The tables of the map; of a run that ended early, only the warnings: its image
// was never finished.
void MapWindow::FillTables(const MapSummary& summary) {
  Fill(kRanges, summary.Ranges().size(), [&summary](int row) {
    const MemoryImage::Range& range = summary.Ranges()[row];
    return RangeCells(range) << LineCell(range.line);
  });
  Fill(kGaps, summary.GapCount(), [&summary](int row) { return RangeCells(summary.Gap(row)); });
  Fill(kOverlaps, summary.OverlapCount(),
       [&summary](int row) { return OverlapCells(summary.Overlap(row)); });
  Fill(kEntries, summary.EntryCount(),
       [&summary](int row) { return EntryCells(summary.Entry(row)); });
  Fill(kRecords, summary.Complete() ? summary.Records().size() + 2 : 0,
       [&summary](int row) { return RecordCells(summary, row); });
  Fill(kWarnings, summary.Warnings().size(),
       [&summary](int row) { return WarningCells(summary.Warnings()[row]); });
}

void MapWindow::ShowReading() {
  for (int table = 0; table < kTables; ++table) Fill(static_cast<Table>(table), 0, {});
  checksums_.reset();
  summary_.reset();
  map_.reset();
  Summary_Label->setText(
      QStringLiteral("A file is being read; its map follows when it has been read."));
}

void MapWindow::Fill(Table table, std::size_t rows, MapTableModel::RowCells cells) {
  models_[table]->Show(static_cast<int>(rows), std::move(cells));
  const QString title = QString::fromLatin1(kTableHeads[table].title);
  Tables_Tab->setTabText(
      table, table == kRecords ? title : QStringLiteral("%1 (%2)").arg(title).arg(rows));
  views_[table]->header()->resizeSections(QHeaderView::ResizeToContents);
}

}  // namespace larkspan
