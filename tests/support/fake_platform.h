// Stand-ins for the window's modal services, its options and the end of the
// program.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/common_dialog.h"

namespace larkspan::testing {

class FakePlatform : public Platform {
 public:
  struct Box {
    BoxIcon icon;
    QString title, text, checkBox;
  };
  std::vector<Box> boxes;
  std::size_t tickedBox = SIZE_MAX;  // the box, by index, whose check box the user ticks
  // Answers of the file dialog, in order: a path, or a null QString for cancel;
  // cancel once they run out.
  std::deque<QString> choices;
  std::vector<CommonDialog> requests;   // the dialog as each ShowOpen set it up
  std::map<QString, bool> options;      // as the user left them
  std::map<QString, QString> settings;  // the choices, as the user left them
  int exits = 0;
  std::function<void()> whileBoxOpen;  // runs before a box is dismissed
  std::function<void()> onExit;

  bool MessageBox(QWidget*, BoxIcon icon, const QString& title, const QString& text,
                  const QString& checkBox) override {
    boxes.push_back({icon, title, text, checkBox});
    if (whileBoxOpen) whileBoxOpen();
    return !checkBox.isEmpty() && boxes.size() - 1 == tickedBox;
  }
  std::optional<QString> ChooseFile(QWidget*, const CommonDialog& dialog) override {
    requests.push_back(dialog);
    const QString choice = choices.empty() ? QString() : choices.front();
    if (!choices.empty()) choices.pop_front();
    return choice.isNull() ? std::nullopt : std::make_optional(choice);
  }
  bool Option(const QString& key) override { return options[key]; }
  void SetOption(const QString& key, bool on) override { options[key] = on; }
  QString Choice(const QString& key) override { return settings[key]; }
  void SetChoice(const QString& key, const QString& value) override { settings[key] = value; }
  void ExitProgram() override {
    ++exits;
    if (onExit) onExit();
  }
};

}  // namespace larkspan::testing
