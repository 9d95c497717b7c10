// Which of Qt's platform plugins are at hand, looked up where Qt looks for them.
#pragma once

#include <QString>

namespace larkspan {

// Whether a platform plugin answers to NAME (such as xcb or wayland, in any case):
// built into the program, in the folder PLUGIN_PATH (Qt's -platformpluginpath or
// QT_QPA_PLATFORM_PLUGIN_PATH; empty for none), or in the platforms folder of
// Qt's library paths.
bool PlatformPluginInstalled(const QString& name, const QString& pluginPath);

}  // namespace larkspan
