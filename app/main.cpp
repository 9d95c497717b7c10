// larkspan: the desktop viewer for Intel HEX and S-record files.
#include <QApplication>

#include "command_line.h"
#include "main/main_form.h"
#include "platform/qt_platform.h"

int main(int argc, char** argv) {
  larkspan::CommandLine command = larkspan::ReadCommandLine(argc, argv);
  if (command.exitStatus) return *command.exitStatus;
  QApplication app(argc, argv);
  command.display.Close();  // Qt has its own connection now
  // The desktop entry's name, by which a Wayland desktop finds the window's entry.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.larkspan.Larkspan"));
  larkspan::QtPlatform platform;
  larkspan::Main_Form form(platform);
  form.show();
  if (!command.file.isEmpty()) form.LoadLater(command.file);
  if (!command.second.isEmpty()) form.CompareLater(command.second);
  return QApplication::exec();
}
