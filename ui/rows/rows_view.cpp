#include "rows/rows_view.h"

#include <QEvent>
#include <QGlyphRun>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace larkspan {

namespace {

constexpr int kMargin = 4;  // pixels left of the first column

}  // namespace

RowsView::RowsView(int rowChars, QWidget* parent)
    : QAbstractScrollArea(parent), rowChars_(rowChars) {
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
void RowsView::UpdateMetrics() {
  const QFontMetricsF metrics(viewport()->font());
  charWidth_ = metrics.horizontalAdvance(QLatin1Char('0'));
  constexpr int kLeading = 2;
  lineHeight_ = static_cast<int>(std::ceil(metrics.height())) + kLeading;
  ascent_ = metrics.ascent() + kLeading / 2;
  font_ = QRawFont::fromFont(viewport()->font());
  const int codes = static_cast<int>(glyphs_.size());
  QString characters(codes, QChar());
  for (int code = 0; code < codes; ++code) characters[code] = QChar(code);
  int count = codes;
  font_.glyphIndexesForChars(characters.constData(), codes, glyphs_.data(), &count);
}

void RowsView::DrawChars(QPainter& painter, int column, qreal baseline,
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

void RowsView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() != QEvent::FontChange) return;
  UpdateMetrics();
  UpdateScrollBars();
}

void RowsView::SetRowCount(std::int64_t count) {
  rowCount_ = count;
  UpdateScrollBars();
}

std::int64_t RowsView::TopRow() const {
  return verticalScrollBar()->value();
}

int RowsView::PageRows() const {
  return std::max(1, viewport()->height() / lineHeight_);
}

void RowsView::UpdateScrollBars() {
  // An image has at most 2^28 rows, which an int holds.
  verticalScrollBar()->setRange(
      0, static_cast<int>(std::max<std::int64_t>(0, rowCount_ - PageRows())));
  verticalScrollBar()->setPageStep(PageRows());
  horizontalScrollBar()->setRange(0, std::max(0, ContentWidth() - viewport()->width()));
  horizontalScrollBar()->setPageStep(viewport()->width());
}

void RowsView::ScrollToRow(std::int64_t row) {
  const std::int64_t top = TopRow();
  if (row < top) {
    verticalScrollBar()->setValue(static_cast<int>(row));
  } else if (row >= top + PageRows()) {
    verticalScrollBar()->setValue(static_cast<int>(row - PageRows() + 1));
  }
}

int RowsView::ContentWidth() const {
  return static_cast<int>(std::ceil(2 * kMargin + rowChars_ * charWidth_));
}

QSize RowsView::sizeHint() const {
  const int frame = 2 * frameWidth();
  return {ContentWidth() + frame + verticalScrollBar()->sizeHint().width(),
          24 * lineHeight_ + frame};
}

void RowsView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void RowsView::scrollContentsBy(int /*dx*/, int /*dy*/) {
  viewport()->update();
}

qreal RowsView::ColumnX(int column) const {
  return kMargin + column * charWidth_ - horizontalScrollBar()->value();
}

int RowsView::ColumnAt(qreal x) const {
  return static_cast<int>(std::floor((x - ColumnX(0)) / charWidth_));
}

}  // namespace larkspan
