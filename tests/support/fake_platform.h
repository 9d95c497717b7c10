// Stand-ins for the window's modal services and the end of the program.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/common_dialog.h"

namespace larkspan::testing {

class FakePlatform : public Platform {
 public:
  struct Box {
    BoxIcon icon;
    QString title, text;
  };
  std::vector<Box> boxes;
  // Answers of the file dialog, in order: a path, or a null QString for cancel;
  // cancel once they run out.
  std::deque<QString> choices;
  std::vector<CommonDialog> requests;  // the dialog as each ShowOpen set it up
  int exits = 0;
  std::function<void()> whileBoxOpen;  // runs before a box is dismissed
  std::function<void()> onExit;

  void MessageBox(QWidget*, BoxIcon icon, const QString& title, const QString& text) override {
    boxes.push_back({icon, title, text});
    if (whileBoxOpen) whileBoxOpen();
  }
  std::optional<QString> ChooseFile(QWidget*, const CommonDialog& dialog) override {
    requests.push_back(dialog);
    const QString choice = choices.empty() ? QString() : choices.front();
    if (!choices.empty()) choices.pop_front();
    return choice.isNull() ? std::nullopt : std::make_optional(choice);
  }
  void ExitProgram() override {
    ++exits;
    if (onExit) onExit();
  }
};

}  // namespace larkspan::testing
