#include "platform_plugins.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibrary>
#include <QPluginLoader>
#include <QStringList>

#include <algorithm>

namespace larkspan {

namespace {

// The interface every platform plugin of Qt 6 implements.
constexpr char kPlatformInterface[] =
    "org.qt-project.Qt.QPA.QPlatformIntegrationFactoryInterface.5.3";

// Whether the plugin whose metadata this is a platform plugin that answers to NAME.
bool AnswersTo(const QJsonObject& metaData, const QString& name) {
  if (metaData.value(QStringLiteral("IID")).toString() != QLatin1String(kPlatformInterface)) {
    return false;
  }
  const QJsonArray keys =
      metaData.value(QStringLiteral("MetaData")).toObject().value(QStringLiteral("Keys")).toArray();
  return std::any_of(keys.begin(), keys.end(), [&name](const QJsonValue& key) {
    return key.toString().compare(name, Qt::CaseInsensitive) == 0;
  });
}

// Reads the metadata of each library in FOLDER; no plugin is loaded.
bool InFolder(const QString& folder, const QString& name) {
  const QDir dir(folder);
  const QStringList files = dir.entryList(QDir::Files);
  return std::any_of(files.begin(), files.end(), [&](const QString& file) {
    return QLibrary::isLibrary(file) &&
           AnswersTo(QPluginLoader(dir.filePath(file)).metaData(), name);
  });
}

}  // namespace

bool PlatformPluginInstalled(const QString& name, const QString& pluginPath) {
  const QList<QStaticPlugin> builtIn = QPluginLoader::staticPlugins();
  if (std::any_of(builtIn.begin(), builtIn.end(), [&name](const QStaticPlugin& plugin) {
        return AnswersTo(plugin.metaData(), name);
      })) {
    return true;
  }
  if (!pluginPath.isEmpty() && InFolder(pluginPath, name)) return true;
  const QStringList paths = QCoreApplication::libraryPaths();
  return std::any_of(paths.begin(), paths.end(), [&name](const QString& path) {
    return InFolder(path + QStringLiteral("/platforms"), name);
  });
}

}  // namespace larkspan
