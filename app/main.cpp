// larkspan: the desktop viewer for Intel HEX files.
#include <QApplication>

#include "command_line.h"
#include "main_form.h"
#include "qt_platform.h"

int main(int argc, char** argv) {
  const larkspan::CommandLine command = larkspan::ReadCommandLine(argc, argv);
  if (command.exitStatus) return *command.exitStatus;
  QApplication app(argc, argv);
  larkspan::QtPlatform platform;
  larkspan::Main_Form form(platform);
  form.show();
  if (!command.file.isEmpty()) form.LoadLater(command.file);
  return QApplication::exec();
}
