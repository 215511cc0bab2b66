#pragma once

#include "automation/CommandLine.h"

class ObjectContext;

// `corvanta import FILE [--skip-existing] [--decimal-comma] [--dry-run] [--json]`: the preview
// the window shows, then (without --dry-run) the import. The outcome goes to standard output,
// skipped lines and warnings to standard error. Exit status 1 when the file cannot be read, no
// row could be read, or the save failed.
namespace ImportCommand {
int run(const CommandLine& line, ObjectContext& context, const QString& storePath);
}
