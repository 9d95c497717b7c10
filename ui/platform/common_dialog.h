// The open-file dialog as the load command configures it: properties set one by
// one, then ShowOpen.
#pragma once

#include <QString>

#include <optional>

#include "platform/platform.h"

class QFileDialog;

namespace larkspan {

class CommonDialog {
 public:
  // Flags of the open-file dialog: the file chosen must exist.
  static constexpr int kFileMustExist = 0x1000;

  QString DialogTitle;
  QString InitDir;   // folder the dialog opens in
  QString FileName;  // proposed name
  // Choices of file type, each a description and a pattern separated by bars, as
  // in "HEX file (*.hex)|*.hex|All files (*.*)|*.*"; the first is in force.
  QString Filter;
  int Flags = 0;

  CommonDialog(Platform& platform, QWidget* parent) : platform_(platform), parent_(parent) {}

  // Shows the modal open-file dialog: the full path chosen, or nothing when the
  // user cancels.
  std::optional<QString> ShowOpen() const { return platform_.ChooseFile(parent_, *this); }
  // Gives Qt's dialog the title, folder, name, choices and flags set here.
  void SetUp(QFileDialog& dialog) const;

 private:
  Platform& platform_;
  QWidget* parent_;
};

}  // namespace larkspan
