#include "image/image_view.h"

#include <QClipboard>
#include <QGlyphRun>
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
constexpr int kMargin = 4;  // pixels left of the address

}  // namespace

struct ImageView::Colours {
  QColor text, missing, conflictText, conflictBack, selectedText, selectedBack, foldBack;
};

ImageView::ImageView(QWidget* parent) : QAbstractScrollArea(parent) {
  QFont font(QStringLiteral("monospace"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  setFont(font);
  UpdateMetrics();
  setFocusPolicy(Qt::StrongFocus);
  verticalScrollBar()->setSingleStep(1);
}

// The size of a character in the font the rows are painted in: the one asked
// for, completed from the application's.
void ImageView::UpdateMetrics() {
  const QFontMetricsF metrics(viewport()->font());
  charWidth_ = metrics.horizontalAdvance(QLatin1Char('0'));
  constexpr int kLeading = 2;
  lineHeight_ = static_cast<int>(std::ceil(metrics.height())) + kLeading;
  ascent_ = metrics.ascent() + kLeading / 2;
  font_ = QRawFont::fromFont(viewport()->font());
  QString characters(256, QChar());
  for (int code = 0; code < 256; ++code) characters[code] = QChar(code);
  int count = 256;
  font_.glyphIndexesForChars(characters.constData(), 256, glyphs_.data(), &count);
}

// Rows hold Latin-1 characters only, each as wide as the next: their glyphs are
// placed side by side without the cost of laying out text.
void ImageView::DrawChars(QPainter& painter, int column, qreal baseline,
                          std::string_view text) const {
  QList<quint32> glyphs(static_cast<qsizetype>(text.size()));
  QList<QPointF> positions(glyphs.size());
  for (qsizetype i = 0; i < glyphs.size(); ++i) {
    glyphs[i] = glyphs_[static_cast<unsigned char>(text[i])];
    positions[i] = QPointF(static_cast<qreal>(i) * charWidth_, 0);
  }
  QGlyphRun run;
  run.setRawFont(font_);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  painter.drawGlyphRun(QPointF(ColumnX(column), baseline), run);
}

void ImageView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() != QEvent::FontChange) return;
  UpdateMetrics();
  UpdateScrollBars();
}

void ImageView::SetRows(const ImageRows* rows) {
  rows_ = rows;
  cursor_ = anchor_ = rows_ != nullptr ? rows_->AddressOf(0) : 0;
  column_ = 0;
  verticalScrollBar()->setValue(0);
  UpdateScrollBars();
  viewport()->update();
  emit cursorMoved();
}

std::pair<std::uint32_t, std::uint32_t> ImageView::Selection() const {
  return std::minmax(anchor_, cursor_);
}

std::int64_t ImageView::TopRow() const {
  return verticalScrollBar()->value();
}

int ImageView::PageRows() const {
  return std::max(1, viewport()->height() / lineHeight_);
}

void ImageView::UpdateScrollBars() {
  const std::int64_t rows = rows_ != nullptr ? rows_->Count() : 0;
  // An image has at most 2^28 rows, which an int holds.
  verticalScrollBar()->setRange(0, static_cast<int>(std::max<std::int64_t>(0, rows - PageRows())));
  verticalScrollBar()->setPageStep(PageRows());
  horizontalScrollBar()->setRange(0, std::max(0, ContentWidth() - viewport()->width()));
  horizontalScrollBar()->setPageStep(viewport()->width());
}

int ImageView::ContentWidth() const {
  return static_cast<int>(std::ceil(2 * kMargin + Layout::kRowChars * charWidth_));
}

QSize ImageView::sizeHint() const {
  const int frame = 2 * frameWidth();
  return {ContentWidth() + frame + verticalScrollBar()->sizeHint().width(),
          24 * lineHeight_ + frame};
}

void ImageView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void ImageView::scrollContentsBy(int /*dx*/, int /*dy*/) {
  viewport()->update();
}

qreal ImageView::ColumnX(int column) const {
  return kMargin + column * charWidth_ - horizontalScrollBar()->value();
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
    PaintRow(painter, colours, row, static_cast<qreal>((row - top) * lineHeight_));
  }
}

void ImageView::PaintRow(QPainter& painter, const Colours& colours, std::int64_t index,
                         qreal y) const {
  const ImageRows::Row row = rows_->At(index);
  const std::string text = ImageRows::Text(row);
  const qreal baseline = y + ascent_;
  const bool atCursor = index == CursorRow();
  if (row.Fold()) {
    const QRectF band(0, y, viewport()->width(), lineHeight_);
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
    painter.drawRect(QRectF(ColumnX(at), y, width * charWidth_ - 1, lineHeight_ - 1));
  }
}

// Neighbouring bytes that look alike are painted in one step: their background,
// then their text, in the hexadecimal and the character column.
void ImageView::PaintCells(QPainter& painter, const Colours& colours, const ImageRows::Row& row,
                           const std::string& text, qreal y) const {
  const auto [first, last] = Selection();
  const qreal baseline = y + ascent_;
  const auto styleOf = [&](int i) {
    const std::uint32_t address = row.address + static_cast<std::uint32_t>(i);
    return std::pair{first <= address && address <= last, row.cells[i]};
  };
  const auto paint = [&](int from, int to, const QColor* back) {
    if (back != nullptr)
      painter.fillRect(QRectF(ColumnX(from), y, (to - from) * charWidth_, lineHeight_), *back);
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

void ImageView::ScrollToRow(std::int64_t row) {
  const std::int64_t top = TopRow();
  if (row < top) {
    verticalScrollBar()->setValue(static_cast<int>(row));
  } else if (row >= top + PageRows()) {
    verticalScrollBar()->setValue(static_cast<int>(row - PageRows() + 1));
  }
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
  const std::int64_t row = TopRow() + point.y() / lineHeight_;
  if (row >= rows_->Count()) return std::nullopt;
  if (rows_->IsFold(row)) return rows_->AddressOf(row);
  const int at = static_cast<int>(std::floor((point.x() - ColumnX(0)) / charWidth_));
  return rows_->AddressOf(row) + static_cast<std::uint32_t>(Layout::ByteAt(at));
}

QPoint ImageView::PointOf(std::uint32_t address) const {
  const std::int64_t row = rows_ != nullptr ? rows_->RowOf(address) - TopRow() : 0;
  const int column = Layout::HexColumn(static_cast<int>(address % Layout::kRowBytes));
  return QPoint(static_cast<int>(ColumnX(column) + charWidth_),
                static_cast<int>(row * lineHeight_ + lineHeight_ / 2));
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
