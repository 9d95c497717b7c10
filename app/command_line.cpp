#include "command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>
#include <string>
#include <utility>

#include "display.h"
#include "larkspan/version.h"
#include "qt_options.h"

namespace larkspan {

namespace {

constexpr int kExitDone = 0;
constexpr int kExitNoDisplay = 1;
constexpr int kExitUsage = 2;

constexpr char kUsage[] =
    "Usage: larkspan [OPTION]... [FILE]\n"
    "  or:  larkspan [OPTION]... --compare FIRST SECOND\n"
    "Open the window that lists the records of Intel HEX and S-record files; with\n"
    "FILE, list FILE at once, as if it had been chosen with Load file. With --compare,\n"
    "list FIRST and open the compare window on FIRST with SECOND.\n"
    "\n"
    "      --compare  compare FIRST with SECOND in a window of its own\n"
    "  -h, --help     display this help and exit\n"
    "  -V, --version  output version information and exit\n"
    "\n"
    "Qt's standard options (-platform, -display, -style, -geometry, ...) are also\n"
    "taken and passed on to Qt.\n"
    "\n"
    "The window needs a display. Without one, larkspan-scan FILE prints the same\n"
    "listing on the console, and xvfb-run -a larkspan [FILE] gives the window a\n"
    "virtual X display.\n"
    "\n"
    "Exit status: 0 when the window is closed, 1 when there is no display, 2 for\n"
    "wrong usage.\n";

CommandLine Ending(int status) {
  return CommandLine{.file = {}, .second = {}, .exitStatus = status, .display = {}};
}

CommandLine UsageError(const QString& problem) {
  std::fprintf(stderr, "larkspan: %s\nTry 'larkspan --help' for more information.\n",
               problem.toLocal8Bit().constData());
  return Ending(kExitUsage);
}

// The option `name` as it was written on the command line, dashes included and
// value left out; the name alone when it is not found.
QString WrittenOption(const QStringList& arguments, const QString& name) {
  for (const QString& argument : arguments.mid(1)) {
    if (argument == QLatin1String("--")) break;
    const QString written = argument.section(QLatin1Char('='), 0, 0);
    QString bare = written;
    while (bare.startsWith(QLatin1Char('-'))) bare.remove(0, 1);
    if (written.startsWith(QLatin1Char('-')) && bare == name) return written;
  }
  return name;
}

// "unknown option '--bogus'", as larkspan-scan says it; Qt's parser names the
// option without its dashes.
QString UnknownOption(const QStringList& arguments, const QString& name) {
  return QStringLiteral("unknown option '%1'").arg(WrittenOption(arguments, name));
}

QStringList Arguments(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

// Where the window is to show, as Qt's options say.
DisplayOptions DisplayOptionsOf(const QCommandLineParser& parser) {
  const auto value = [&parser](const char* name) -> std::optional<std::string> {
    const QString option = QString::fromLatin1(name);
    if (!parser.isSet(option)) return std::nullopt;
    return parser.value(option).toLocal8Bit().toStdString();
  };
  return DisplayOptions{.platform = value("platform"),
                        .display = value("display"),
                        .pluginPath = value("platformpluginpath")};
}

}  // namespace

CommandLine ReadCommandLine(int argc, char** argv) {
  QCommandLineParser parser;
  // Qt's options are single words after one dash (-platform), as are -h and -V.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringList{QStringLiteral("V"), QStringLiteral("version")});
  const QCommandLineOption compare(QStringLiteral("compare"));
  parser.addOptions({help, version, compare});
  parser.addOptions(QtOptions());
  const QStringList arguments = Arguments(argc, argv);
  if (!parser.parse(arguments)) {
    const QStringList unknown = parser.unknownOptionNames();
    return UsageError(unknown.isEmpty() ? parser.errorText()
                                        : UnknownOption(arguments, unknown.first()));
  }
  if (parser.isSet(help)) {
    std::fputs(kUsage, stdout);
    return Ending(kExitDone);
  }
  if (parser.isSet(version)) {
    std::printf("larkspan %s\n", kVersionText);
    return Ending(kExitDone);
  }
  const QStringList files = parser.positionalArguments();
  const bool comparing = parser.isSet(compare);
  if (comparing && files.size() != 2) {
    return UsageError(QStringLiteral("--compare takes exactly two files, FIRST and SECOND"));
  }
  if (!comparing && files.size() > 1) {
    return UsageError(QStringLiteral("only one FILE can be listed at a time"));
  }
  DisplayCheck display = CheckDisplay(DisplayOptionsOf(parser));
  if (display.problem) {
    std::fprintf(stderr, "larkspan: %s\n", display.problem->c_str());
    return Ending(kExitNoDisplay);
  }
  return CommandLine{.file = files.value(0),
                     .second = comparing ? files.value(1) : QString(),
                     .exitStatus = std::nullopt,
                     .display = std::move(display.x)};
}

}  // namespace larkspan
