// The desktop services the window relies on, behind one interface so that tests
// can stand in for the modal parts (message boxes, the file dialog), for the
// options kept between runs of the program and for the end of the program.
#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace larkspan {

class CommonDialog;

enum class BoxIcon { Information, Warning, Critical };

class Platform {
 public:
  virtual ~Platform() = default;

  // A modal message box with one OK button; returns once it is dismissed. The
  // text is shown as plain text, with its line breaks. With a `checkBox` text, the
  // box has a check box of that caption, unticked: true when it was ticked.
  virtual bool MessageBox(QWidget* parent, BoxIcon icon, const QString& title, const QString& text,
                          const QString& checkBox) = 0;
  // A modal open-file dialog as `dialog` sets it up: the full path chosen, or
  // nothing when cancelled.
  virtual std::optional<QString> ChooseFile(QWidget* parent, const CommonDialog& dialog) = 0;
  // An option of the user's, as last set with SetOption in this or an earlier run
  // of the program; false when it was never set.
  virtual bool Option(const QString& key) = 0;
  virtual void SetOption(const QString& key, bool on) = 0;
  // A choice of the user's among named things, kept as SetChoice last set it;
  // empty when it was never set.
  virtual QString Choice(const QString& key) = 0;
  virtual void SetChoice(const QString& key, const QString& value) = 0;
  // Ends the program at once: no question, no further events.
  virtual void ExitProgram() = 0;
};

}  // namespace larkspan
