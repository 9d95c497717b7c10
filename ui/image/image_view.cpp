#include "image/image_view.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace larkspan {

namespace {

using Cell = ImageRows::Cell;
using Layout = RowLayout;
constexpr int kLastColumn = Layout::kRowBytes - 1;

}  // namespace

struct ImageView::Colours {
  QColor text, missing, conflictText, conflictBack, selectedText, selectedBack, foldBack;
};

ImageView::ImageView(QWidget* parent) : RowsView(Layout::kRowChars, parent) {}

void ImageView::SetRows(const ImageRows* rows) {
  rows_ = rows;
  cursor_ = anchor_ = rows_ != nullptr ? rows_->AddressOf(0) : 0;
  column_ = 0;
  verticalScrollBar()->setValue(0);
  SetRowCount(rows_ != nullptr ? rows_->Count() : 0);
  viewport()->update();
  emit cursorMoved();
}

std::pair<std::uint32_t, std::uint32_t> ImageView::Selection() const {
  return std::minmax(anchor_, cursor_);
}

void ImageView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(viewport());
  const QPalette& p = palette();
  painter.fillRect(viewport()->rect(), p.base());
  if (rows_ == nullptr) return;
  const Colours colours{
      p.text().color(),         p.placeholderText().color(), QColor(0x9C, 0x00, 0x06),
      QColor(0xFF, 0xC7, 0xCE), p.highlightedText().color(), p.highlight().color(),
      p.alternateBase().color()};
  const std::int64_t top = TopRow();
  const std::int64_t end = std::min(rows_->Count(), top + PageRows() + 1);
  for (std::int64_t row = top; row < end; ++row) {
    PaintRow(painter, colours, row, static_cast<qreal>((row - top) * LineHeight()));
  }
}

void ImageView::PaintRow(QPainter& painter, const Colours& colours, std::int64_t index,
                         qreal y) const {
  const ImageRows::Row row = rows_->At(index);
  const std::string text = ImageRows::Text(row);
  const qreal baseline = y + Ascent();
  const bool atCursor = index == CursorRow();
  if (row.Fold()) {
    const QRectF band(0, y, viewport()->width(), LineHeight());
    const auto [first, last] = Selection();
    const bool selected = first <= row.address && row.address <= last;
    painter.fillRect(band, selected ? colours.selectedBack : colours.foldBack);
    painter.setPen(selected ? colours.selectedText : colours.missing);
    DrawChars(painter, 0, baseline, text);
    if (atCursor && hasFocus()) painter.drawRect(band.adjusted(0, 0, -1, -1));
    return;
  }
  painter.setPen(colours.text);
  DrawChars(painter, 0, baseline, std::string_view(text).substr(0, Layout::kHexColumn));
  for (const int bar : {Layout::kCharColumn - 1, Layout::kCharColumn + Layout::kRowBytes}) {
    DrawChars(painter, bar, baseline, std::string_view(text).substr(bar, 1));
  }
  PaintCells(painter, colours, row, text, y);
  if (!atCursor || !hasFocus()) return;
  const int column = static_cast<int>(cursor_ - row.address);
  painter.setPen(colours.text);
  for (const int at : {Layout::HexColumn(column), Layout::kCharColumn + column}) {
    const int width = at < Layout::kCharColumn ? 2 : 1;
    painter.drawRect(QRectF(ColumnX(at), y, width * CharWidth() - 1, LineHeight() - 1));
  }
}

// Neighbouring bytes that look alike are painted in one step: their background,
// then their text, in the hexadecimal and the character column.
void ImageView::PaintCells(QPainter& painter, const Colours& colours, const ImageRows::Row& row,
                           const std::string& text, qreal y) const {
  const auto [first, last] = Selection();
  const qreal baseline = y + Ascent();
  const auto styleOf = [&](int i) {
    const std::uint32_t address = row.address + static_cast<std::uint32_t>(i);
    return std::pair{first <= address && address <= last, row.cells[i]};
  };
  const auto paint = [&](int from, int to, const QColor* back) {
    if (back != nullptr)
      painter.fillRect(QRectF(ColumnX(from), y, (to - from) * CharWidth(), LineHeight()), *back);
    DrawChars(painter, from, baseline, std::string_view(text).substr(from, to - from));
  };
  for (int i = 0, j = 0; i <= kLastColumn; i = j) {
    const auto style = styleOf(i);
    for (j = i + 1; j <= kLastColumn && styleOf(j) == style; ++j) {
    }
    const auto [selected, cell] = style;
    const QColor* back = selected                  ? &colours.selectedBack
                         : cell == Cell::kConflict ? &colours.conflictBack
                                                   : nullptr;
    painter.setPen(selected                  ? colours.selectedText
                   : cell == Cell::kMissing  ? colours.missing
                   : cell == Cell::kConflict ? colours.conflictText
                                             : colours.text);
    paint(Layout::HexColumn(i), Layout::HexColumn(j - 1) + 2, back);
    paint(Layout::kCharColumn + i, Layout::kCharColumn + j, back);
  }
}

std::int64_t ImageView::CursorRow() const {
  return rows_ != nullptr ? rows_->RowOf(cursor_) : 0;
}

void ImageView::MoveTo(std::int64_t row, int column, bool extend) {
  row = std::clamp<std::int64_t>(row, 0, rows_->Count() - 1);
  column = rows_->IsFold(row) ? 0 : std::clamp(column, 0, kLastColumn);
  cursor_ = rows_->AddressOf(row) + static_cast<std::uint32_t>(column);
  if (!extend) anchor_ = cursor_;
  ScrollToRow(row);
  viewport()->update();
  emit cursorMoved();
}

void ImageView::Select(std::uint32_t first, std::uint32_t last) {
  if (rows_ == nullptr || rows_->Count() == 0) return;
  anchor_ = last;
  cursor_ = first;
  column_ = static_cast<int>(first % ImageRows::kRowBytes);
  ScrollToRow(rows_->RowOf(last));
  ScrollToRow(rows_->RowOf(first));
  viewport()->update();
  emit cursorMoved();
}

void ImageView::GoTo(std::uint32_t address) {
  Select(address, address);
  if (rows_ != nullptr && rows_->Count() != 0) {
    verticalScrollBar()->setValue(static_cast<int>(rows_->RowOf(address)));
  }
}

bool ImageView::MoveByKey(int key, bool extend) {
  const std::int64_t row = CursorRow();
  const std::int64_t last = rows_->Count() - 1;
  const int column = rows_->IsFold(row) ? 0 : static_cast<int>(cursor_ % ImageRows::kRowBytes);
  const bool fold = rows_->IsFold(row);
  switch (key) {
    case Qt::Key_Left:
      column_ = column > 0 ? column - 1 : row > 0 ? kLastColumn : 0;
      MoveTo(column > 0 ? row : row - 1, column_, extend);
      return true;
    case Qt::Key_Right:
      column_ = column < kLastColumn && !fold ? column + 1 : row < last ? 0 : column;
      MoveTo(column < kLastColumn && !fold ? row : row + 1, column_, extend);
      return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
      MoveTo(row + (key == Qt::Key_Up ? -1 : 1), column_, extend);
      return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
      const int step = key == Qt::Key_PageUp ? -PageRows() : PageRows();
      verticalScrollBar()->setValue(verticalScrollBar()->value() + step);
      MoveTo(row + step, column_, extend);
      return true;
    }
    case Qt::Key_Home:
    case Qt::Key_End:
      column_ = key == Qt::Key_Home ? 0 : kLastColumn;
      MoveTo(key == Qt::Key_Home ? 0 : last, column_, extend);
      return true;
    default:
      return false;
  }
}

void ImageView::keyPressEvent(QKeyEvent* event) {
  const bool extend = (event->modifiers() & Qt::ShiftModifier) != 0;
  if (rows_ == nullptr || rows_->Count() == 0 || !MoveByKey(event->key(), extend)) {
    QAbstractScrollArea::keyPressEvent(event);
  }
}

bool ImageView::CopySelection() {
  const auto [first, last] = Selection();
  if (rows_ == nullptr || rows_->Count() == 0) return false;
  if (std::uint64_t{last} - first + 1 > kMaxCopyBytes) {
    emit copyRefused();
    return false;
  }
  QGuiApplication::clipboard()->setText(QString::fromLatin1(rows_->HexText(first, last)));
  return true;
}

std::optional<std::uint32_t> ImageView::AddressAt(QPoint point) const {
  if (rows_ == nullptr || point.y() < 0) return std::nullopt;
  const std::int64_t row = RowAt(point.y());
  if (row >= rows_->Count()) return std::nullopt;
  if (rows_->IsFold(row)) return rows_->AddressOf(row);
  const int at = ColumnAt(point.x());
  return rows_->AddressOf(row) + static_cast<std::uint32_t>(Layout::ByteAt(at));
}

QPoint ImageView::PointOf(std::uint32_t address) const {
  const std::int64_t row = rows_ != nullptr ? rows_->RowOf(address) - TopRow() : 0;
  const int column = Layout::HexColumn(static_cast<int>(address % Layout::kRowBytes));
  return QPoint(static_cast<int>(ColumnX(column) + CharWidth()),
                static_cast<int>(row * LineHeight() + LineHeight() / 2));
}

void ImageView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    PressAt(event->position().toPoint(), (event->modifiers() & Qt::ShiftModifier) != 0);
  }
}

void ImageView::mouseMoveEvent(QMouseEvent* event) {
  if ((event->buttons() & Qt::LeftButton) != 0) PressAt(event->position().toPoint(), true);
}

void ImageView::PressAt(QPoint point, bool extend) {
  const std::optional<std::uint32_t> address = AddressAt(point);
  if (!address) return;
  const std::int64_t row = rows_->RowOf(*address);
  column_ = static_cast<int>(*address - rows_->AddressOf(row));
  MoveTo(row, column_, extend);
}

void ImageView::mouseDoubleClickEvent(QMouseEvent* event) {
  const std::optional<std::uint32_t> address = AddressAt(event->position().toPoint());
  if (address && rows_->Image().LineAt(*address)) emit byteActivated(*address);
}

bool ImageView::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QAbstractScrollArea::viewportEvent(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const std::optional<std::uint32_t> address = AddressAt(help->pos());
  if (address) {
    QToolTip::showText(help->globalPos(), QString::fromStdString(rows_->Describe(*address)),
                       viewport());
  } else {
    QToolTip::hideText();
  }
  return true;
}

}  // namespace larkspan
