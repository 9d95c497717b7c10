// The window operations a scan run works through, and the form state it shares.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace larkspan {

// What the scan run needs of the window. The desktop window implements it with its
// real list, indicator and check box; the console front end with standard output.
//
// Listing texts are 8-bit: one byte is one character (Latin-1), as read from the
// file. Message texts are in the system's 8-bit encoding, since they may carry the
// path of the file as the system names it, and use a single carriage return ('\r')
// as line break.
class ListingView {
 public:
  virtual ~ListingView() = default;

  // Appends an entry at the end of the list: every listing line goes through here.
  virtual void AddToList(std::string_view text) = 0;
  // Shows `text` in the line indicator.
  virtual void SetLineText(std::string_view text) = 0;
  // Modal message box with an exclamation icon and an OK button; returns once
  // the user has dismissed it.
  virtual void WarningBox(std::string_view text, std::string_view title) = 0;
  // Modal message box with an error icon and an OK button, for a file that
  // cannot be opened or read.
  virtual void ErrorBox(std::string_view text, std::string_view title) = 0;

  // What only a list on the screen needs; a front end that writes the listing out
  // as it comes leaves these as they are.

  // Removes all entries of the list; afterwards no entry is selected.
  virtual void ClearList() {}
  // True when the list stays hidden while the file is read (quick load).
  virtual bool QuickLoad() const { return false; }
  // Hides or shows the list.
  virtual void SetListVisible(bool) {}
  // Gives the list the keyboard focus.
  virtual void FocusList() {}
  // Selects the first entry; the selection raises the list's click handling.
  virtual void SelectFirstEntry() {}
  // Lets the window handle queued input and repaint, then returns.
  virtual void ProcessPendingEvents() {}
};

// The window's state that a scan run reads and writes.
struct FormState {
  std::string CurrentFile;      // full path of the file to read
  std::int32_t FileNumber = 0;  // number of the open input file during a run
};

}  // namespace larkspan
