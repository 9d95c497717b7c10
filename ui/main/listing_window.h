// What a scan run needs of the window it lists a file into: the list and its
// entries, the quick-load option, the line indicator, message boxes and the
// window's pending events.
#pragma once

#include <QString>

#include <cstdint>
#include <string_view>

#include "listing/listing_texts.h"
#include "platform/platform.h"

namespace larkspan {

class ListingWindow {
 public:
  // Removes every entry from the list.
  virtual void ClearList() = 0;
  // Adds an entry; the list shows it after the next PublishItems.
  virtual void AddItem(std::string_view text, LineKind kind, std::int64_t line) = 0;
  // The entries added so far reach the list; with `layOut`, it lays them out at once.
  virtual void PublishItems(bool layOut) = 0;
  virtual bool ListVisible() const = 0;
  virtual void SetListVisible(bool visible) = 0;
  virtual void FocusList() = 0;
  // Selects the first entry of the list, if it has one.
  virtual void SelectFirstItem() = 0;
  // Shows the index of the selected entry in the indicator, as a click on it does.
  virtual void ShowSelectedIndex() = 0;
  virtual bool QuickLoad() const = 0;
  virtual void SetIndicator(const QString& text) = 0;
  // A modal message box; true when its check box, if any, was ticked.
  virtual bool ShowMessage(BoxIcon icon, const QString& title, const QString& text,
                           const QString& checkBox) = 0;
  virtual void ProcessPendingEvents() = 0;

 protected:
  ~ListingWindow() = default;
};

}  // namespace larkspan
