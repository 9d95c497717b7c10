// What the command line of larkspan asks for before the window opens.
#pragma once

#include <QString>

#include <optional>

#include "display_servers.h"

namespace larkspan {

struct CommandLine {
  QString file;                   // to load as soon as the window is up; empty for none
  QString second;                 // to compare `file` with; empty for none
  std::optional<int> exitStatus;  // set when the program ends without a window
  XConnection display;            // to close once QApplication is constructed
};

// Reads the arguments, Qt's own options among them (they are left in ARGV for
// QApplication). Answers --help, --version and wrong usage on the console, and says
// so on standard error when there is no display for the window; in these cases the
// result carries the exit status.
CommandLine ReadCommandLine(int argc, char** argv);

}  // namespace larkspan
