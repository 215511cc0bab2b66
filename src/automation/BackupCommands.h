#pragma once

#include "automation/CommandLine.h"

// `corvanta backup [FILE]`, `corvanta backups [--json]` and `corvanta restore FILE`, run inside
// the subcommands' application object. Exit status 0 done, 1 refused or failed (one line on
// standard error; the store untouched).
namespace BackupCommands {
int backup(const CommandLine& line);
int backups(const CommandLine& line);
int restore(const CommandLine& line);
} // namespace BackupCommands
