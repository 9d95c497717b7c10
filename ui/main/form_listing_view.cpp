#include "main/form_listing_view.h"

#include <algorithm>

#include <QCoreApplication>
#include <QListView>

#include "main/line_indicator.h"
#include "main/listing_model.h"
#include "main/main_form.h"
#include "platform/platform.h"

namespace larkspan {

namespace {

// The list may take about this share of a run's time for its layouts.
constexpr qint64 kLayoutCostFactor = 5;

}  // namespace

FormListingView::FormListingView(Main_Form& form, PacingCounts& counts)
    : form_(form), counts_(counts) {}

void FormListingView::AddToList(std::string_view text, LineKind kind, std::int64_t line) {
  form_.Contents_Model->Append(text, kind, line);
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
  form_.Contents_Model->Publish();
  return form_.Services().MessageBox(&form_, icon, QString::fromLocal8Bit(message.title),
                                     QString::fromLocal8Bit(JoinLines(message, "\n")), checkBox);
}

void FormListingView::OnProgress(std::int64_t lines) {
  form_.Line_Text->SetCaption(QString::number(lines));
  ProcessPendingEvents();
}

void FormListingView::ProcessPendingEvents() {
  if (sinceEvents_.isValid() && sinceEvents_.elapsed() < kFrameMs) return;
  if (form_.Contents_List->isVisible() &&
      (!sincePublish_.isValid() || sincePublish_.elapsed() >= batchIntervalMs_)) {
    PublishBatch();
  }
  QCoreApplication::processEvents();
  ++counts_.eventRounds;
  sinceEvents_.start();
}

void FormListingView::PublishBatch() {
  QElapsedTimer cost;
  cost.start();
  form_.Contents_Model->Publish();
  form_.Contents_List->doItemsLayout();
  ++counts_.layouts;
  batchIntervalMs_ = std::clamp(kLayoutCostFactor * cost.elapsed(), kMinBatchMs, kMaxBatchMs);
  sincePublish_.start();
}

}  // namespace larkspan
