#pragma once

#include "automation/CommandLine.h"

#include <QCoreApplication>

#include <memory>

// Everything the command line asks for other than the window: usage errors (status 2), help,
// the version, the subcommands and the add dialog.
namespace CommandDispatch {
// The application object the command `arguments` runs in, made before any text is produced so
// that its words can be translated: a QApplication for `add --dialog` (the only command with a
// window), else a QCoreApplication, which needs no display.
std::unique_ptr<QCoreApplication> application(const QStringList& arguments, int& argc, char** argv);

// Runs inside the application above (or the window's); returns the exit status.
int run(const Result<CommandLine>& line);
} // namespace CommandDispatch
