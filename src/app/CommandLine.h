// The program's command line: what a start asks for, or the help, the
// version, or a usage error to print instead of starting.
#pragma once

#include <QString>
#include <QStringList>

#include "app/startrequest.h"

namespace kz::ui {

struct CommandLine {
    enum class Action { Run, Help, Version, UsageError };
    Action action = Action::Run;
    // Help and version go to standard output, a usage error to standard error.
    QString text;
    int exitCode = 0;
    StartRequest request;
};

// `arguments` as QCoreApplication::arguments() gives them (the program first).
// Qt's own options (-platform xcb, -style …) are accepted and left to Qt.
// Needs a QCoreApplication for the program name in the help text.
CommandLine parseCommandLine(const QStringList& arguments);

// Parses argv under a short-lived QCoreApplication, with Qt's own texts in
// Chinese, before the GUI starts: --help and --version need no display.
CommandLine readCommandLine(int argc, char** argv);

}  // namespace kz::ui
