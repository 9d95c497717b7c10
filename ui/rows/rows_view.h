// A scroll area of rows of fixed-pitch text, painted on demand: the metrics and
// glyphs of its font, scroll bars for a count of rows, and the placing of
// characters by column. The image and compare views are made of such rows.
#pragma once

#include <QAbstractScrollArea>
#include <QRawFont>

#include <array>
#include <cstdint>
#include <string_view>

namespace larkspan {

class RowsView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // The first row in sight.
  std::int64_t TopRow() const;
  // Rows that fit the viewport whole (at least one).
  int PageRows() const;
  // Wide enough for a whole row, high enough for 24.
  QSize sizeHint() const override;

 protected:
  // Rows are `rowChars` characters wide.
  RowsView(int rowChars, QWidget* parent);

  // The number of rows to scroll through.
  void SetRowCount(std::int64_t count);
  // Scrolls as little as brings `row` into view.
  void ScrollToRow(std::int64_t row);
  // The row under `y` of the viewport, which may be past the last.
  std::int64_t RowAt(int y) const { return TopRow() + y / lineHeight_; }
  // The left edge of `column`, and the column under `x`, in the viewport.
  qreal ColumnX(int column) const;
  int ColumnAt(qreal x) const;
  qreal CharWidth() const { return charWidth_; }
  int LineHeight() const { return lineHeight_; }
  qreal Ascent() const { return ascent_; }
  // Draws `text`, Latin-1 characters only, from `column` on the line of `baseline`:
  // the glyphs placed side by side without the cost of laying out text.
  void DrawChars(QPainter& painter, int column, qreal baseline, std::string_view text) const;

  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void changeEvent(QEvent* event) override;

 private:
  void UpdateMetrics();
  void UpdateScrollBars();
  int ContentWidth() const;

  int rowChars_;
  std::int64_t rowCount_ = 0;
  qreal charWidth_ = 1;
  int lineHeight_ = 1;
  qreal ascent_ = 0;
  QRawFont font_;
  std::array<quint32, 256> glyphs_{};  // by Latin-1 code
};

}  // namespace larkspan
