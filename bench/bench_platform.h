// The window's services for a benchmark: no box waits for a user, options are
// off unless set, and nothing ends the program.
#pragma once

#include <QSet>
#include <QString>

#include "platform/platform.h"

namespace larkspan::bench {

class BenchPlatform : public Platform {
 public:
  int boxes = 0;
  QString file;  // what the file dialog answers: the file to load

  bool MessageBox(QWidget*, BoxIcon, const QString&, const QString&, const QString&) override {
    ++boxes;
    return false;
  }
  std::optional<QString> ChooseFile(QWidget*, const CommonDialog&) override {
    return file.isEmpty() ? std::nullopt : std::make_optional(file);
  }
  bool Option(const QString& key) override { return options_.contains(key); }
  void SetOption(const QString& key, bool on) override {
    if (on) {
      options_.insert(key);
    } else {
      options_.remove(key);
    }
  }
  QString Choice(const QString& /*key*/) override { return {}; }
  void SetChoice(const QString& /*key*/, const QString& /*value*/) override {}
  void ExitProgram() override {}

 private:
  QSet<QString> options_;
};

}  // namespace larkspan::bench
