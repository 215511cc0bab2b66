#pragma once

#include "automation/CommandLine.h"

// The command line's subcommands (all but `add --dialog`): each parses nothing itself, calls
// the shared verbs and prints. Exit status: 0 done, 1 the store or a file failed (one line on
// standard error, nothing half-written), 2 a usage error found only now (a missing balance
// that cannot be asked for).
namespace Subcommands {
// Runs `line` in the running application; no display is needed, and the first-launch seed
// import never runs.
int run(const CommandLine& line);
} // namespace Subcommands
