// larkspan: the desktop viewer for Intel HEX files.
#include <QApplication>

#include "main_form.h"
#include "qt_platform.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  larkspan::QtPlatform platform;
  larkspan::Main_Form form(platform);
  form.show();
  return QApplication::exec();
}
