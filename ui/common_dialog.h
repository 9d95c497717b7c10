// The open-file dialog as the load command configures it: properties set one by
// one, then ShowOpen.
#pragma once

#include <QString>

#include <stdexcept>

#include "platform.h"

namespace larkspan {

// Raised by ShowOpen when the user cancels and CancelError is set.
class DialogCancelled : public std::runtime_error {
 public:
  DialogCancelled() : std::runtime_error("the file choice was cancelled") {}
};

class CommonDialog {
 public:
  // Flags of the open-file dialog.
  static constexpr int kHideReadOnly = 0x4;  // no read-only check box (ours never has one)
  static constexpr int kPathMustExist = 0x800;
  static constexpr int kFileMustExist = 0x1000;

  bool CancelError = false;  // cancel raises DialogCancelled instead of clearing FileName
  QString DialogTitle;
  QString InitDir;   // folder the dialog opens in
  QString FileName;  // proposed name; after ShowOpen the full path chosen
  // Choices of file type: description and pattern(s) separated by bars, as in
  // "HEX file (*.hex)|*.hex|All files (*.*)|*.*"; patterns within one choice are
  // separated by semicolons. The first choice is in force when the dialog opens.
  QString Filter;
  int Flags = 0;

  CommonDialog(Platform& platform, QWidget* parent) : platform_(platform), parent_(parent) {}

  // Shows the modal open-file dialog and returns when the user confirms or cancels.
  void ShowOpen();
  // The request ShowOpen makes of the platform's dialog.
  OpenFileRequest Request() const;

 private:
  Platform& platform_;
  QWidget* parent_;
};

}  // namespace larkspan
