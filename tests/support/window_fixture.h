// A real main window with stand-ins for its modal services and its exit, for the
// window's Qt tests. Test classes derive from it and open a window in init().
#pragma once

#include <QFile>
#include <QObject>
#include <QStringList>
#include <QTest>

#include <memory>
#include <string>

#include "fake_platform.h"
#include "line_indicator.h"
#include "listing_model.h"
#include "main_form.h"
#include "temp_file.h"

namespace larkspan::testing {

class WindowFixture : public QObject {
 protected:
  FakePlatform platform_;
  std::unique_ptr<Main_Form> form_;
  TempDir dir_;

  // A new window with fresh stand-ins; true once it is shown and active.
  bool OpenWindow() {
    platform_ = FakePlatform{};
    form_ = std::make_unique<Main_Form>(platform_);
    form_->show();
    return QTest::qWaitForWindowActive(form_.get());
  }
  void CloseWindow() { form_.reset(); }

  // Writes a file into the test's folder; returns its path.
  QString Write(const char* name, const std::string& bytes) {
    return QString::fromStdString(dir_.Write(name, bytes));
  }
  // Loads `path` as if the user had chosen it in the file dialog.
  void Load(const QString& path) {
    platform_.choices.push_back(path);
    form_->Load_Button_Click();
  }
  // The lines of a text file, such as the console's output kept for a test file.
  static QStringList FileLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList lines;
    for (const QByteArray& line : file.readAll().split('\n')) lines << QString::fromLatin1(line);
    lines.removeLast();  // after the last line break
    return lines;
  }
  // The list's entries, as stored.
  QStringList Listing() const {
    QStringList texts;
    for (int row = 0; row < form_->Contents_Model->rowCount(); ++row) {
      const std::string text = form_->Contents_Model->Text(row);
      texts << QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    return texts;
  }
};

}  // namespace larkspan::testing
