#pragma once

#include "automation/CommandLine.h"

#include <span>

// The subcommands of `corvanta` and their options, as one table that both the parser and the
// help read.
namespace CommandRules {

struct OptionRule {
    const char* name;
    const char* valueName; // null: a switch
    const char* help;
};

struct SubcommandRule {
    CommandLine::Command command;
    const char* name;
    const char* arguments; // after the options, in the synopsis
    const char* summary;
    std::span<const OptionRule> options;
    int minimumPositionals;
    int maximumPositionals;
};

// Every subcommand, in the order the overview lists them.
std::span<const SubcommandRule> subcommands();
const SubcommandRule* ruleFor(const QString& name);
const SubcommandRule* ruleFor(CommandLine::Command command);
// The command's one example; null when it has none.
const char* exampleOf(CommandLine::Command command);

} // namespace CommandRules
