#include "map/map_window.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

#include "memory/memory_map.h"
#include "platform/window_placement.h"
#include "records/record_format.h"

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
};

// Addresses in eight hexadecimal digits, as the console writes them.
QString Address(std::uint32_t address) {
  return QStringLiteral("%1").arg(address, 8, 16, QLatin1Char('0')).toUpper();
}

QString Hex4(std::uint32_t value) {
  return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

// "20h (32)": a length in hexadecimal and decimal.
QString Length(std::uint64_t length) {
  return QStringLiteral("%1h (%2)").arg(QString::number(length, 16).toUpper()).arg(length);
}

Cell LineCell(std::int64_t line) {
  return {line >= 0 ? QString::number(line) : QString(), line};
}

Cells AddressCells(std::uint32_t first, std::uint32_t last) {
  return {{Address(first)}, {Address(last)}, {Length(std::uint64_t{last} - first + 1)}};
}

Cells OverlapCells(const MemoryImage::Overlap& overlap) {
  return AddressCells(overlap.first, overlap.last)
         << LineCell(overlap.earlierLine) << LineCell(overlap.laterLine)
         << Cell{overlap.Conflicting() ? QStringLiteral("%1 bytes differ").arg(overlap.differing)
                                       : QStringLiteral("identical")};
}

Cells EntryCells(const Entry& entry) {
  const QString record = entry.linear ? QStringLiteral("start linear address")
                                      : "start segment address " + Hex4(entry.value >> 16) + ':' +
                                            Hex4(entry.value & 0xFFFF);
  return {{Address(entry.Address())}, {record}, LineCell(entry.line)};
}

// Messages are in the system's 8-bit encoding, as they may carry the file's path.
Cells WarningCells(const Message& message) {
  return {LineCell(message.line),
          {QString::fromLocal8Bit(message.title)},
          {QString::fromLocal8Bit(JoinLines(message, "; "))}};
}

// The records of each standard type and of other types that occur, then the
// invalid records and the other lines.
std::vector<std::pair<QString, std::int64_t>> RecordRows(const MemoryMap& map) {
  std::vector<std::pair<QString, std::int64_t>> rows;
  const auto& counts = map.RecordCounts();
  for (std::size_t type = 0; type < counts.size(); ++type) {
    if (type > format::kStartLinear && counts[type] == 0) continue;
    const QString digits = QStringLiteral("%1").arg(type, 2, 16, QLatin1Char('0')).toUpper();
    rows.emplace_back(type <= format::kStartLinear
                          ? digits + ' ' + QString::fromLatin1(format::kTypeNames[type])
                          : digits,
                      counts[type]);
  }
  rows.emplace_back(QStringLiteral("invalid records"), map.InvalidRecords());
  rows.emplace_back(QStringLiteral("lines that are not records"), map.OtherLines());
  return rows;
}

QString DataSummary(const MemoryMap& map, const std::vector<MemoryImage::Range>& ranges) {
  const std::uint64_t bytes = map.Image().Bytes();
  QString text = QStringLiteral("Data: %1 bytes").arg(Length(bytes));
  if (!ranges.empty()) {
    const std::uint64_t span = std::uint64_t{ranges.back().last} - ranges.front().first + 1;
    text += QStringLiteral(" in %1 range%2 from %3 to %4, fill %5%")
                .arg(ranges.size())
                .arg(ranges.size() == 1 ? "" : "s", Address(ranges.front().first),
                     Address(ranges.back().last))
                .arg(100.0 * static_cast<double>(bytes) / static_cast<double>(span), 0, 'f', 1);
  }
  return text + QStringLiteral("; %1 lines").arg(map.Lines());
}

// The file error of the run, which ends its warnings, or nothing.
QString Unreadable(const MemoryMap& map) {
  const std::vector<Message>& warnings = map.Warnings();
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
  PlaceBeside(*parent);
}

// Until the window is shown its frame is unknown: taken to add what the main
// window's frame adds.
void MapWindow::PlaceBeside(const QWidget& main) {
  const QScreen* screen = main.screen();
  if (screen == nullptr) return;
  const QSize frame = size() + main.frameGeometry().size() - main.size();
  const std::optional<QPoint> at =
      larkspan::PlaceBeside(screen->availableGeometry(), main.frameGeometry(), frame);
  if (at) move(*at);
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
  map_ = std::move(map);
  const bool complete = map_->Complete();
  ranges_ = complete ? map_->Image().Ranges() : std::vector<MemoryImage::Range>();
  records_ = complete ? RecordRows(*map_) : std::vector<std::pair<QString, std::int64_t>>();
  Summary_Label->setText(path + '\n' +
                         (complete ? DataSummary(*map_, ranges_) : Unreadable(*map_)));
  FillTables(*map_);
}

// The tables of `map`; of a run that ended early, only the warnings: its image was
// never finished.
void MapWindow::FillTables(const MemoryMap& map) {
  const bool complete = map.Complete();
  Fill(kRanges, ranges_.size(), [this](int row) {
    const MemoryImage::Range& range = ranges_[row];
    return AddressCells(range.first, range.last) << LineCell(range.line);
  });
  Fill(kGaps, ranges_.empty() ? 0 : ranges_.size() - 1, [this](int row) {
    const MemoryImage::Range gap = MemoryImage::GapBetween(ranges_[row], ranges_[row + 1]);
    return AddressCells(gap.first, gap.last);
  });
  Fill(kOverlaps, complete ? map.Image().Overlaps().size() : 0,
       [&list = map.Image().Overlaps()](int row) { return OverlapCells(list[row]); });
  Fill(kEntries, complete ? map.Entries().size() : 0,
       [&list = map.Entries()](int row) { return EntryCells(list[row]); });
  Fill(kRecords, records_.size(), [this](int row) {
    return Cells{{records_[row].first}, {QString::number(records_[row].second)}};
  });
  Fill(kWarnings, map.Warnings().size(),
       [&list = map.Warnings()](int row) { return WarningCells(list[row]); });
}

void MapWindow::ShowReading() {
  for (int table = 0; table < kTables; ++table) Fill(static_cast<Table>(table), 0, {});
  map_.reset();
  ranges_.clear();
  records_.clear();
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
