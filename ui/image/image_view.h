// The memory image as rows of hexadecimal bytes and their characters, painted on
// demand: only the rows in sight, each made from the image when it is painted.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

#include "memory/image_rows.h"
#include "rows/rows_view.h"

namespace larkspan {

// A cursor on one byte (or on a folded gap) and a selection from an anchor to the
// cursor. Keys: arrows, Page Up/Down, Home/End (the start and end of the image),
// with Shift to select. A double-click on a byte with data asks for the record
// that wrote it.
class ImageView final : public RowsView {
  Q_OBJECT

 public:
  // More bytes than this are not copied as text.
  static constexpr std::uint64_t kMaxCopyBytes = 1 << 24;

  explicit ImageView(QWidget* parent = nullptr);

  // The rows to show, or none; the cursor goes to the first byte.
  void SetRows(const ImageRows* rows);
  const ImageRows* Rows() const { return rows_; }
  // Selects the bytes from `first` to `last` with the cursor on `first`, and
  // scrolls them into view.
  void Select(std::uint32_t first, std::uint32_t last);
  // Moves the cursor to `address` without a selection, its row at the top of the
  // view as far as the rows below it fill the view.
  void GoTo(std::uint32_t address);
  std::uint32_t Cursor() const { return cursor_; }
  // The first and last address selected.
  std::pair<std::uint32_t, std::uint32_t> Selection() const;
  // Copies the selected bytes as hexadecimal text; false when there are too many.
  bool CopySelection();
  // The middle of the hexadecimal cell of `address` in the viewport.
  QPoint PointOf(std::uint32_t address) const;

 signals:
  void cursorMoved();
  void byteActivated(std::uint32_t address);
  void copyRefused();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  struct Colours;
  void PaintRow(QPainter& painter, const Colours& colours, std::int64_t index, qreal y) const;
  void PaintCells(QPainter& painter, const Colours& colours, const ImageRows::Row& row,
                  const std::string& text, qreal y) const;
  // Moves the cursor to `column` of `row` (both clamped), keeping the anchor when
  // `extend`, and scrolls it into view.
  void MoveTo(std::int64_t row, int column, bool extend);
  bool MoveByKey(int key, bool extend);
  // A press of the left button at `point`, or a drag to it.
  void PressAt(QPoint point, bool extend);
  std::int64_t CursorRow() const;
  // The address under `point` of the viewport, if it is on a row.
  std::optional<std::uint32_t> AddressAt(QPoint point) const;

  const ImageRows* rows_ = nullptr;
  std::uint32_t cursor_ = 0;
  std::uint32_t anchor_ = 0;
  int column_ = 0;  // the column Up and Down keep to
};

}  // namespace larkspan
