#include "main/form_listing_view.h"

#include <algorithm>

#include "platform/platform.h"

namespace larkspan {

namespace {

constexpr qint64 kFrameMs = 16;
// The list may take about this share of a run's time for its layouts.
constexpr qint64 kLayoutCostFactor = 5;
constexpr qint64 kMinBatchMs = 100;
constexpr qint64 kMaxBatchMs = 400;

}  // namespace

FormListingView::FormListingView(ListingWindow& window, PacingCounts& counts)
    : window_(window), counts_(counts) {}

void FormListingView::Prepare(ListingWindow& window) {
  window.ClearList();
  if (window.QuickLoad()) window.SetListVisible(false);
}

void FormListingView::Finish(ListingWindow& window, bool complete) {
  if (complete) window.SetIndicator(QStringLiteral("Done"));
  window.PublishItems(false);
  window.SetListVisible(true);
  window.FocusList();
  if (complete) window.SelectFirstItem();
  // Also when the first entry was selected already and the selection did not change.
  window.ShowSelectedIndex();
}

void FormListingView::AddToList(std::string_view text, LineKind kind, std::int64_t line) {
  window_.AddItem(text, kind, line);
}

void FormListingView::OnWarning(const Message& message) {
  if (quiet_) return;
  quiet_ = ShowBox(BoxIcon::Warning, message,
                   QStringLiteral("Don't show further warnings for this file"));
}

// A file error is not a warning: its box shows also after the user asked for no
// further warnings, as the listing stops short.
void FormListingView::OnFileError(const Message& message) {
  ShowBox(BoxIcon::Critical, message, QString());
}

// The entries read so far show behind the box. Messages are in the system's 8-bit
// encoding, as they may carry the path of the file as the system names it.
bool FormListingView::ShowBox(BoxIcon icon, const Message& message, const QString& checkBox) {
  window_.PublishItems(false);
  return window_.ShowMessage(icon, QString::fromLocal8Bit(message.title),
                             QString::fromLocal8Bit(JoinLines(message, "\n")), checkBox);
}

void FormListingView::OnProgress(std::int64_t lines) {
  window_.SetIndicator(QString::number(lines));
  ProcessPendingEvents();
}

void FormListingView::ProcessPendingEvents() {
  if (sinceEvents_.isValid() && sinceEvents_.elapsed() < kFrameMs) return;
  if (window_.ListVisible() &&
      (!sincePublish_.isValid() || sincePublish_.elapsed() >= batchIntervalMs_)) {
    PublishBatch();
  }
  window_.ProcessPendingEvents();
  ++counts_.eventRounds;
  sinceEvents_.start();
}

void FormListingView::PublishBatch() {
  QElapsedTimer cost;
  cost.start();
  window_.PublishItems(true);
  ++counts_.layouts;
  batchIntervalMs_ = std::clamp(kLayoutCostFactor * cost.elapsed(), kMinBatchMs, kMaxBatchMs);
  sincePublish_.start();
}

}  // namespace larkspan
