// Two compared images side by side, painted on demand: per row the address, the
// 16 bytes of the first file, then the 16 bytes of the second at the same
// addresses; each row made from the images when it is painted.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "compare/compare_rows.h"
#include "rows/rows_view.h"

namespace larkspan {

// A cursor on one address (or on a folded stretch without data), shown on both
// sides. Keys: arrows, Page Up/Down, Home/End (the start and end of the row),
// Ctrl+Home/End (the first and last row). A double-click on a byte of the first
// file that holds data asks for the record that wrote it.
class CompareView final : public RowsView {
  Q_OBJECT

 public:
  // The row as text: the address, two spaces, the first file's bytes, a bar
  // between spaces, the second file's bytes; "--" for a byte without data.
  static constexpr int kSideChars = 3 * CompareRows::kRowBytes;  // with the halves' space
  static constexpr int kBarColumn = RowLayout::kHexColumn + kSideChars + 2;
  static constexpr int kSecondColumn = kBarColumn + 3;
  static constexpr int kRowChars = kSecondColumn + kSideChars;

  explicit CompareView(QWidget* parent = nullptr);

  // The rows to show, or none; the cursor goes to the first byte.
  void SetRows(const CompareRows* rows);
  const CompareRows* Rows() const { return rows_; }
  // A row as it is painted: its text; a fold as the image view's fold says it.
  std::string Text(std::int64_t row) const;
  static std::string Text(const CompareRows::Row& row);
  // Moves the cursor to `address` and scrolls its row into view; with `top`, to
  // the top of the view as far as the rows below it fill the view.
  void GoTo(std::uint32_t address, bool top = false);
  std::uint32_t Cursor() const { return cursor_; }
  // The middle of the cell of `address` on the first or the second side.
  QPoint PointOf(std::uint32_t address, bool second = false) const;

 signals:
  void cursorMoved();
  void byteActivated(std::uint32_t address);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  struct Colours;
  struct Hit {
    std::uint32_t address;
    bool second;
  };
  void PaintRow(QPainter& painter, const Colours& colours, std::int64_t index, qreal y) const;
  void PaintSide(QPainter& painter, const Colours& colours, const CompareRows::Side& side,
                 int column, const std::string& text, qreal y) const;
  void MoveTo(std::int64_t row, int column);
  bool MoveByKey(int key, Qt::KeyboardModifiers modifiers);
  std::int64_t CursorRow() const;
  std::optional<Hit> HitAt(QPoint point) const;

  const CompareRows* rows_ = nullptr;
  std::uint32_t cursor_ = 0;
  int column_ = 0;  // the column Up and Down keep to
};

}  // namespace larkspan
