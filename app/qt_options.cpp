#include "qt_options.h"

#include <QString>
#include <QStringList>

namespace larkspan {

namespace {

// Options followed by a value, then options on their own. The short X names
// (-geometry, -title, -icon, -display, -name, -visual, ...) belong to the X platform.
constexpr char kWithValue[] =
    "platform platformpluginpath platformtheme plugin qwindowgeometry geometry qwindowtitle "
    "title qwindowicon icon session display name style stylesheet visual ncols qmljsdebugger";
constexpr char kFlags[] = "reverse widgetcount nograb dograb sync cmap testability";

}  // namespace

QList<QCommandLineOption> QtOptions() {
  QList<QCommandLineOption> options;
  for (const QString& name : QString::fromLatin1(kWithValue).split(u' ')) {
    options << QCommandLineOption(name, QString(), QStringLiteral("value"));
  }
  for (const QString& name : QString::fromLatin1(kFlags).split(u' '))
    options << QCommandLineOption(name);
  return options;
}

}  // namespace larkspan
