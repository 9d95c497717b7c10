// The scan run's listing view on the window's real controls.
#pragma once

#include "listing_view.h"

namespace larkspan {

class Main_Form;

class FormListingView final : public ListingView {
 public:
  explicit FormListingView(Main_Form& form) : form_(form) {}

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
};

}  // namespace larkspan
