#include "compare/compare_view.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "memory/image_rows.h"

namespace larkspan {

namespace {

using Cell = CompareRows::Cell;
using Layout = RowLayout;
constexpr int kLastColumn = Layout::kRowBytes - 1;
// From a byte's column on the first side to its column on the second.
constexpr int kSecondShift = CompareView::kSecondColumn - Layout::kHexColumn;

int SideColumn(int byte, bool second) {
  return Layout::HexColumn(byte) + (second ? kSecondShift : 0);
}

std::uint32_t Present(const CompareRows::Side& side) {
  std::uint32_t present = 0;
  for (int i = 0; i < Layout::kRowBytes; ++i) {
    if (side.cells[i] != Cell::kMissing) present |= 1u << i;
  }
  return present;
}

// `colour` taken `share` of the way from `base` towards `tint`: marks that stay
// readable on a light or a dark palette.
QColor Mix(const QColor& base, const QColor& tint, qreal share) {
  const auto channel = [share](int a, int b) {
    return static_cast<int>(std::lround(a + (b - a) * share));
  };
  return QColor(channel(base.red(), tint.red()), channel(base.green(), tint.green()),
                channel(base.blue(), tint.blue()));
}

}  // namespace

struct CompareView::Colours {
  QColor text, missing, foldBack, changedBack, onlyBack, filledBack;

  const QColor* BackOf(Cell cell) const {
    switch (cell) {
      case Cell::kChanged:
        return &changedBack;
      case Cell::kOnly:
        return &onlyBack;
      case Cell::kFilled:
        return &filledBack;
      default:
        return nullptr;
    }
  }
};

CompareView::CompareView(QWidget* parent) : RowsView(kRowChars, parent) {}

void CompareView::SetRows(const CompareRows* rows) {
  rows_ = rows;
  cursor_ = rows_ != nullptr && rows_->Count() != 0 ? rows_->AddressOf(0) : 0;
  column_ = 0;
  verticalScrollBar()->setValue(0);
  SetRowCount(rows_ != nullptr ? rows_->Count() : 0);
  viewport()->update();
  emit cursorMoved();
}

std::string CompareView::Text(std::int64_t index) const {
  return Text(rows_->At(index));
}

std::string CompareView::Text(const CompareRows::Row& row) {
  if (row.Fold()) {
    ImageRows::Row fold;
    fold.address = row.address;
    fold.foldBytes = row.foldBytes;
    return ImageRows::Text(fold);
  }
  std::string text(kRowChars, ' ');
  std::array<char, Layout::kRowChars> side{};
  for (const bool second : {false, true}) {
    const CompareRows::Side& bytes = second ? row.second : row.first;
    Layout::Put(side.data(), row.address, bytes.bytes.data(), Present(bytes));
    std::memcpy(text.data() + (second ? kSecondColumn : Layout::kHexColumn),
                side.data() + Layout::kHexColumn, kSideChars);
  }
  std::memcpy(text.data(), side.data(), Layout::kAddressDigits);
  text[kBarColumn] = '|';
  return text;
}

void CompareView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(viewport());
  const QPalette& p = palette();
  const QColor base = p.base().color();
  painter.fillRect(viewport()->rect(), base);
  if (rows_ == nullptr) return;
  const Colours colours{p.text().color(),
                        p.placeholderText().color(),
                        p.alternateBase().color(),
                        Mix(base, QColor(0xE0, 0x30, 0x30), 0.4),
                        Mix(base, QColor(0x30, 0x70, 0xE0), 0.4),
                        Mix(base, QColor(0x30, 0xA0, 0x50), 0.3)};
  const std::int64_t top = TopRow();
  const std::int64_t end = std::min(rows_->Count(), top + PageRows() + 1);
  for (std::int64_t row = top; row < end; ++row) {
    PaintRow(painter, colours, row, static_cast<qreal>((row - top) * LineHeight()));
  }
}

void CompareView::PaintRow(QPainter& painter, const Colours& colours, std::int64_t index,
                           qreal y) const {
  const CompareRows::Row row = rows_->At(index);
  const std::string text = Text(row);
  const qreal baseline = y + Ascent();
  const bool atCursor = index == CursorRow();
  if (row.Fold()) {
    const QRectF band(0, y, viewport()->width(), LineHeight());
    painter.fillRect(band, colours.foldBack);
    painter.setPen(colours.missing);
    DrawChars(painter, 0, baseline, text);
    painter.setPen(colours.text);
    if (atCursor) painter.drawRect(band.adjusted(0, 0, -1, -1));
    return;
  }
  painter.setPen(colours.text);
  DrawChars(painter, 0, baseline, std::string_view(text).substr(0, Layout::kHexColumn));
  DrawChars(painter, kBarColumn, baseline, "|");
  PaintSide(painter, colours, row.first, Layout::kHexColumn, text, y);
  PaintSide(painter, colours, row.second, kSecondColumn, text, y);
  if (!atCursor) return;
  const int byte = static_cast<int>(cursor_ - row.address);
  painter.setPen(colours.text);
  for (const bool second : {false, true}) {
    painter.drawRect(
        QRectF(ColumnX(SideColumn(byte, second)), y, 2 * CharWidth() - 1, LineHeight() - 1));
  }
}

// Neighbouring bytes of one kind are painted in one step: their background, then
// their text.
void CompareView::PaintSide(QPainter& painter, const Colours& colours,
                            const CompareRows::Side& side, int column, const std::string& text,
                            qreal y) const {
  const int shift = column - Layout::kHexColumn;
  for (int i = 0, j = 0; i <= kLastColumn; i = j) {
    for (j = i + 1; j <= kLastColumn && side.cells[j] == side.cells[i]; ++j) {
    }
    const int from = Layout::HexColumn(i) + shift;
    const int to = Layout::HexColumn(j - 1) + 2 + shift;
    if (const QColor* back = colours.BackOf(side.cells[i])) {
      painter.fillRect(QRectF(ColumnX(from), y, (to - from) * CharWidth(), LineHeight()), *back);
    }
    painter.setPen(side.cells[i] == Cell::kMissing ? colours.missing : colours.text);
    DrawChars(painter, from, y + Ascent(), std::string_view(text).substr(from, to - from));
  }
}

std::int64_t CompareView::CursorRow() const {
  return rows_ != nullptr && rows_->Count() != 0 ? rows_->RowOf(cursor_) : 0;
}

void CompareView::MoveTo(std::int64_t row, int column) {
  row = std::clamp<std::int64_t>(row, 0, rows_->Count() - 1);
  const CompareRows::Row at = rows_->At(row);
  column = at.Fold() ? 0 : std::clamp(column, 0, kLastColumn);
  cursor_ = rows_->AddressOf(row) + static_cast<std::uint32_t>(column);
  ScrollToRow(row);
  viewport()->update();
  emit cursorMoved();
}

void CompareView::GoTo(std::uint32_t address, bool top) {
  if (rows_ == nullptr || rows_->Count() == 0) return;
  const std::int64_t row = rows_->RowOf(address);
  const std::uint32_t first = rows_->AddressOf(row);
  const bool fold = rows_->At(row).Fold();
  // An address outside the rows goes to the nearest row's first byte.
  cursor_ = !fold && address >= first && address - first < CompareRows::kRowBytes ? address : first;
  column_ = static_cast<int>(cursor_ - first);
  if (top) verticalScrollBar()->setValue(static_cast<int>(row));
  ScrollToRow(row);
  viewport()->update();
  emit cursorMoved();
}

bool CompareView::MoveByKey(int key, Qt::KeyboardModifiers modifiers) {
  const std::int64_t row = CursorRow();
  const std::int64_t last = rows_->Count() - 1;
  const bool fold = rows_->At(row).Fold();
  const int column = fold ? 0 : static_cast<int>(cursor_ - rows_->AddressOf(row));
  const bool control = (modifiers & Qt::ControlModifier) != 0;
  switch (key) {
    case Qt::Key_Left:
      column_ = column > 0 ? column - 1 : row > 0 ? kLastColumn : 0;
      MoveTo(column > 0 ? row : row - 1, column_);
      return true;
    case Qt::Key_Right:
      column_ = column < kLastColumn && !fold ? column + 1 : row < last ? 0 : column;
      MoveTo(column < kLastColumn && !fold ? row : row + 1, column_);
      return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
      MoveTo(row + (key == Qt::Key_Up ? -1 : 1), column_);
      return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
      const int step = key == Qt::Key_PageUp ? -PageRows() : PageRows();
      verticalScrollBar()->setValue(verticalScrollBar()->value() + step);
      MoveTo(row + step, column_);
      return true;
    }
    case Qt::Key_Home:
    case Qt::Key_End:
      column_ = key == Qt::Key_Home ? 0 : kLastColumn;
      MoveTo(!control ? row : key == Qt::Key_Home ? 0 : last, column_);
      return true;
    default:
      return false;
  }
}

void CompareView::keyPressEvent(QKeyEvent* event) {
  if (rows_ == nullptr || rows_->Count() == 0 || !MoveByKey(event->key(), event->modifiers())) {
    QAbstractScrollArea::keyPressEvent(event);
  }
}

std::optional<CompareView::Hit> CompareView::HitAt(QPoint point) const {
  if (rows_ == nullptr || point.y() < 0) return std::nullopt;
  const std::int64_t row = RowAt(point.y());
  if (row >= rows_->Count()) return std::nullopt;
  const std::uint32_t first = rows_->AddressOf(row);
  if (rows_->At(row).Fold()) return Hit{first, false};
  const int column = ColumnAt(point.x());
  const bool second = column > kBarColumn;
  const int byte = Layout::ByteAt(second ? column - kSecondShift : column);
  return Hit{first + static_cast<std::uint32_t>(std::min(byte, kLastColumn)), second};
}

QPoint CompareView::PointOf(std::uint32_t address, bool second) const {
  const std::int64_t row = rows_ != nullptr ? rows_->RowOf(address) - TopRow() : 0;
  const int column = SideColumn(static_cast<int>(address % Layout::kRowBytes), second);
  return QPoint(static_cast<int>(ColumnX(column) + CharWidth()),
                static_cast<int>(row * LineHeight() + LineHeight() / 2));
}

void CompareView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const std::optional<Hit> hit = HitAt(event->position().toPoint());
  if (!hit) return;
  const std::int64_t row = rows_->RowOf(hit->address);
  column_ = static_cast<int>(hit->address - rows_->AddressOf(row));
  MoveTo(row, column_);
}

void CompareView::mouseDoubleClickEvent(QMouseEvent* event) {
  const std::optional<Hit> hit = HitAt(event->position().toPoint());
  if (hit && !hit->second && rows_->Compare().First().LineAt(hit->address)) {
    emit byteActivated(hit->address);
  }
}

}  // namespace larkspan
