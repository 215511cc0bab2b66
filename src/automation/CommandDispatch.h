#pragma once

#include "automation/CommandLine.h"

// Everything the command line asks for other than the window: usage errors (status 2), help,
// the version, the subcommands and the add dialog. Called before any Qt application exists;
// returns the exit status.
namespace CommandDispatch {
int run(const Result<CommandLine>& line, int argc, char** argv);
} // namespace CommandDispatch
