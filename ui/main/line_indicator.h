// The line indicator: a number, right-aligned in a box, that shows the progress of
// a run and then the index of the selected entry.
#pragma once

#include <QLabel>

namespace larkspan {

// Shows its caption in the window's font when it fits the box, otherwise in the
// largest smaller font that does, so that no digit is ever cut off.
class LineIndicator final : public QLabel {
 public:
  explicit LineIndicator(QWidget* parent);

  void SetCaption(const QString& text);
  // Width the caption may take inside the frame and the indent.
  int AvailableWidth() const;

 private:
  void FitFont(const QString& text);

  QFont baseFont_;
  qsizetype fittedLength_ = -1;
};

}  // namespace larkspan
