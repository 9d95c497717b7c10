#include "ui/form_listing_view.h"

#include <algorithm>

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListView>

#include "ui/line_indicator.h"
#include "ui/listing_model.h"
#include "ui/main_form.h"
#include "ui/platform.h"

namespace larkspan {

namespace {

QString FromLocal8Bit(std::string_view text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

// The list may take about this share of a run's time for its layouts.
constexpr qint64 kLayoutCostFactor = 5;

}  // namespace

FormListingView::FormListingView(Main_Form& form, PacingCounts& counts)
    : form_(form), counts_(counts) {}

void FormListingView::ClearList() {
  form_.Contents_Model->Clear();
}

void FormListingView::AddToList(std::string_view text) {
  form_.Contents_Model->Append(text);
}

void FormListingView::SetListVisible(bool visible) {
  form_.Contents_Model->Publish();
  form_.Contents_List->setVisible(visible);
}

void FormListingView::FocusList() {
  form_.Contents_List->setFocus();
}

void FormListingView::SelectFirstEntry() {
  form_.Contents_Model->Publish();
  form_.Contents_List->setCurrentIndex(form_.Contents_Model->index(0));
}

bool FormListingView::QuickLoad() const {
  return form_.Quick_Check->checkState() != Qt::Unchecked;
}

void FormListingView::SetLineText(std::string_view text) {
  form_.Line_Text->SetCaption(
      QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

void FormListingView::WarningBox(std::string_view text, std::string_view title) {
  form_.Contents_Model->Publish();
  form_.Services().MessageBox(&form_, BoxIcon::Warning, FromLocal8Bit(title), FromLocal8Bit(text));
}

void FormListingView::ErrorBox(std::string_view text, std::string_view title) {
  form_.Contents_Model->Publish();
  form_.Services().MessageBox(&form_, BoxIcon::Critical, FromLocal8Bit(title), FromLocal8Bit(text));
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
