#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>

#include "app/display.h"
#include "larkspan/version.h"

namespace larkspan {

namespace {

constexpr int kExitDone = 0;
constexpr int kExitNoDisplay = 1;
constexpr int kExitUsage = 2;

constexpr char kUsage[] =
    "Usage: larkspan [OPTION]... [FILE]\n"
    "Open the window that lists the records of Intel HEX files; with FILE, list FILE\n"
    "at once, as if it had been chosen with Load file.\n"
    "\n"
    "  -h, --help     display this help and exit\n"
    "  -V, --version  output version information and exit\n"
    "\n"
    "The window needs a display. Without one, larkspan-scan FILE prints the same\n"
    "listing on the console, and xvfb-run -a larkspan [FILE] gives the window a\n"
    "virtual X display.\n"
    "\n"
    "Exit status: 0 when the window is closed, 1 when there is no display, 2 for\n"
    "wrong usage.\n";

CommandLine Ending(int status) {
  return CommandLine{.file = {}, .exitStatus = status};
}

CommandLine UsageError(const QString& problem) {
  std::fprintf(stderr, "larkspan: %s\nTry 'larkspan --help' for more information.\n",
               problem.toLocal8Bit().constData());
  return Ending(kExitUsage);
}

QStringList Arguments(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

}  // namespace

CommandLine ReadCommandLine(int argc, char** argv) {
  QCommandLineParser parser;
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringList{QStringLiteral("V"), QStringLiteral("version")});
  parser.addOptions({help, version});
  if (!parser.parse(Arguments(argc, argv))) return UsageError(parser.errorText());
  if (parser.isSet(help)) {
    std::fputs(kUsage, stdout);
    return Ending(kExitDone);
  }
  if (parser.isSet(version)) {
    std::printf("larkspan %s\n", kVersionText);
    return Ending(kExitDone);
  }
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) return UsageError(QStringLiteral("only one FILE can be listed at a time"));
  if (const std::optional<std::string> problem = NoDisplay()) {
    std::fprintf(stderr, "larkspan: %s\n", problem->c_str());
    return Ending(kExitNoDisplay);
  }
  return CommandLine{.file = files.value(0), .exitStatus = std::nullopt};
}

}  // namespace larkspan
