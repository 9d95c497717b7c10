// The scan run's listing view on the window's real controls.
//
// Entries reach the list in batches: a list view lays out all its rows again
// whenever rows are added, so while the list is visible during a run, new entries
// are announced at most every so often (a quarter of a second, more for very long
// lists), and all of them before a message box, when the list is shown again and at
// the end. Quick load hides the list and announces nothing until the end.
#pragma once

#include <QElapsedTimer>

#include "listing_view.h"

namespace larkspan {

class Main_Form;

class FormListingView final : public ListingView {
 public:
  explicit FormListingView(Main_Form& form);

  void ClearList() override;
  void AddItem(std::string_view text) override;
  void SetListVisible(bool visible) override;
  void FocusList() override;
  void SelectFirstEntry() override;
  int QuickCheckValue() const override;
  void SetLineText(std::string_view text) override;
  void WarningBox(std::string_view text, std::string_view title) override;
  void ErrorBox(std::string_view text, std::string_view title) override;
  void ProcessPendingEvents() override;

 private:
  Main_Form& form_;
  QElapsedTimer sincePublish_;
  qint64 publishIntervalMs_;
};

}  // namespace larkspan
