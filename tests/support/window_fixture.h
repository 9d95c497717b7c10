// A real main window with stand-ins for its modal services and its exit, for the
// window's Qt tests. Test classes derive from it and open a window in init().
#pragma once

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

#include "main/line_indicator.h"
#include "main/listing_model.h"
#include "main/main_form.h"
#include "support/fake_platform.h"
#include "support/temp_file.h"

namespace larkspan::testing {

class WindowFixture : public QObject {
 protected:
  FakePlatform platform_;
  std::unique_ptr<Main_Form> form_;
  Main_Form::Controls ui_{};  // the window's controls
  TempDir dir_;

  // A new window with fresh stand-ins; true once it is shown and active.
  bool OpenWindow() {
    platform_ = FakePlatform{};
    form_ = std::make_unique<Main_Form>(platform_);
    ui_ = form_->Parts();
    form_->show();
    return QTest::qWaitForWindowActive(form_.get());
  }
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
    QStringList lines{QString()};
    if (file.open(QIODevice::ReadOnly)) lines = QString::fromLatin1(file.readAll()).split('\n');
    return lines.mid(0, lines.size() - 1);  // nothing after the last line break
  }
  QStringList Listing() const {
    QStringList texts;
    for (int row = 0; row < ui_.Contents_Model->rowCount(); ++row) {
      texts << ui_.Contents_Model->index(row).data().toString();
    }
    return texts;
  }
  // The boxes as the console writes its messages: "title: text", breaks as "; ".
  QStringList BoxLines() const {
    QStringList lines;
    for (const auto& box : platform_.boxes) {
      lines << box.title + QStringLiteral(": ") + QString(box.text).replace('\n', "; ");
    }
    return lines;
  }
  // Hands the modal dialog of type T to `inspect` once it is open, then rejects
  // it; rejects whatever modal dialog is open after ten seconds, so that a test
  // fails instead of waiting for ever.
  template <class T, class F>
  static void WhenModal(F inspect) {
    QTimer::singleShot(0, [inspect] {
      T* dialog = nullptr;
      const auto open = [&] {
        return (dialog = qobject_cast<T*>(QApplication::activeModalWidget()));
      };
      if (QTest::qWaitFor(open, 10000)) inspect(*dialog);
      if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) modal->reject();
    });
  }
};

}  // namespace larkspan::testing
