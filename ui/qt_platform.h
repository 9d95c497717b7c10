// The desktop services of a real Qt session.
#pragma once

#include "ui/platform.h"

namespace larkspan {

class QtPlatform final : public Platform {
 public:
  void MessageBox(QWidget* parent, BoxIcon icon, const QString& title,
                  const QString& text) override;
  std::optional<QString> ChooseFile(QWidget* parent, const CommonDialog& settings) override;
  [[noreturn]] void ExitProgram() override;
};

}  // namespace larkspan
