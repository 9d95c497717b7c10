// Stand-ins for the window's modal services and the end of the program.
#pragma once

#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform.h"

namespace larkspan::testing {

class FakePlatform : public Platform {
 public:
  struct Box {
    BoxIcon icon;
    QString title;
    QString text;
  };

  std::vector<Box> boxes;
  // Answers of the file dialog, in order: a path, or a null QString for cancel;
  // cancel once they run out.
  std::deque<QString> choices;
  std::vector<OpenFileRequest> requests;
  int exits = 0;
  // Run while a box is "open", before it is dismissed.
  std::function<void(const Box&)> whileBoxOpen;
  std::function<void()> onExit;

  void MessageBox(QWidget*, BoxIcon icon, const QString& title, const QString& text) override {
    boxes.push_back({icon, title, text});
    if (whileBoxOpen) whileBoxOpen(boxes.back());
  }
  std::optional<QString> ChooseFile(QWidget*, const OpenFileRequest& request) override {
    requests.push_back(request);
    if (choices.empty()) return std::nullopt;
    const QString choice = choices.front();
    choices.pop_front();
    if (choice.isNull()) return std::nullopt;
    return std::make_optional(choice);
  }
  void ExitProgram() override {
    ++exits;
    if (onExit) onExit();
  }
};

}  // namespace larkspan::testing
