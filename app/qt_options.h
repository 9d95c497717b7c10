// The options every Qt program takes on its command line, read by QGuiApplication,
// QApplication and Qt's X platform.
#pragma once

#include <QCommandLineOption>
#include <QList>

namespace larkspan {

// Qt's options, so that a parser accepts them and leaves them to QApplication; a
// value option also takes its value after '=' (-style=fusion), as Qt does.
QList<QCommandLineOption> QtOptions();

}  // namespace larkspan
