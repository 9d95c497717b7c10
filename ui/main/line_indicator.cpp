#include "main/line_indicator.h"

#include <QFontMetrics>

namespace larkspan {

namespace {

constexpr int kIndent = 2;
constexpr double kSmallestPointSize = 6.0;
constexpr double kStep = 0.25;

}  // namespace

LineIndicator::LineIndicator(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setBackgroundRole(QPalette::Light);
  setAutoFillBackground(true);
  setIndent(kIndent);
}

void LineIndicator::SetCaption(const QString& text) {
  // The caption changes every hundred lines of a run: the font is fitted anew only
  // when the length changes, as the digits of a desktop font share one width.
  if (text.size() != fittedLength_) FitFont(text);
  setText(text);
}

int LineIndicator::AvailableWidth() const {
  return contentsRect().width() - indent();
}

void LineIndicator::FitFont(const QString& text) {
  if (fittedLength_ < 0) baseFont_ = font();
  QFont fitted = baseFont_;
  while (QFontMetrics(fitted).horizontalAdvance(text) > AvailableWidth() &&
         fitted.pointSizeF() - kStep >= kSmallestPointSize) {
    fitted.setPointSizeF(fitted.pointSizeF() - kStep);
  }
  if (fitted != font()) setFont(fitted);
  fittedLength_ = text.size();
}

}  // namespace larkspan
