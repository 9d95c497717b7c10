// The desktop services of a real Qt session.
#pragma once

#include "platform/platform.h"

namespace larkspan {

class QtPlatform final : public Platform {
 public:
  bool MessageBox(QWidget* parent, BoxIcon icon, const QString& title, const QString& text,
                  const QString& checkBox) override;
  std::optional<QString> ChooseFile(QWidget* parent, const CommonDialog& settings) override;
  // Kept with QSettings, as the organisation and application "larkspan".
  bool Option(const QString& key) override;
  void SetOption(const QString& key, bool on) override;
  QString Choice(const QString& key) override;
  void SetChoice(const QString& key, const QString& value) override;
  [[noreturn]] void ExitProgram() override;
};

}  // namespace larkspan
