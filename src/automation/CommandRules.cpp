#include "automation/CommandRules.h"

#include <QCoreApplication>

namespace CommandRules {
namespace {
using Command = CommandLine::Command;

constexpr OptionRule jsonOption{"json", nullptr, QT_TRANSLATE_NOOP("CommandLine", "Print JSON instead of text.")};

// The add action's parameters: their help starts with the action's own title and description.
constexpr OptionRule addOptions[] = {
    {"balance", "N", ""},
    {"date", "D", QT_TRANSLATE_NOOP("CommandLine", "YYYY-MM-DD (local midnight) or an ISO 8601 date-time (local time without an offset).")},
    {"adjustment", "N", ""},
    {"transfers", "N", ""},
    {"note", "TEXT", ""},
    jsonOption,
    {"dialog", nullptr, QT_TRANSLATE_NOOP("CommandLine", "Ask for the entry in a small window.")},
};
constexpr OptionRule summaryOptions[] = {
    jsonOption,
    {"notify", nullptr, QT_TRANSLATE_NOOP("CommandLine", "Show the summary as a desktop notification.")},
};
constexpr OptionRule entriesOptions[] = {
    {"suggested", nullptr, QT_TRANSLATE_NOOP("CommandLine", "Only the 20 latest entries, newest first.")},
    {"id", "UUID", QT_TRANSLATE_NOOP("CommandLine", "Only the entry with this id (repeatable).")},
    jsonOption,
};
constexpr OptionRule importOptions[] = {
    {"skip-existing", nullptr, QT_TRANSLATE_NOOP("CommandLine", "Leave out rows already stored (same day, amounts and note as an entry).")},
    {"decimal-comma", nullptr, QT_TRANSLATE_NOOP("CommandLine", "Read ',' as the decimal separator and '.' as grouping (1.234,56).")},
    {"dry-run", nullptr, QT_TRANSLATE_NOOP("CommandLine", "Only say what the import would do; write nothing.")},
    jsonOption,
};
constexpr OptionRule statsOptions[] = {
    jsonOption,
    {"window", "W", QT_TRANSLATE_NOOP("CommandLine", "The window of the returns: 1M, 3M, 6M, 1Y, 5Y, YTD or All (when absent).")},
    {"from", "DATE", QT_TRANSLATE_NOOP("CommandLine", "The returns from this day (YYYY-MM-DD) or instant on.")},
    {"to", "DATE", QT_TRANSLATE_NOOP("CommandLine", "The returns up to the end of this day (YYYY-MM-DD) or up to this instant.")},
};
constexpr OptionRule yearsOptions[] = {
    jsonOption,
    {"from-entries", nullptr, QT_TRANSLATE_NOOP("CommandLine", "Every calendar year that holds entries, as Fill from Entries proposes it, with its time-weighted return.")},
};

constexpr OptionRule jsonOnly[] = {jsonOption};

// One example per command, in its help and in the overview.
constexpr std::pair<Command, const char*> examples[] = {
    {Command::Add, "corvanta add --balance 125000 --adjustment 500 --note \"June deposit\""},
    {Command::Summary, "corvanta summary --notify"},
    {Command::Entries, "corvanta entries --suggested"},
    {Command::Stats, "corvanta stats --window 1Y"},
    {Command::Years, "corvanta years --json"},
    {Command::Import, "corvanta import ~/Downloads/portfolio.csv"},
    {Command::Export, "corvanta export portfolio.csv"},
    {Command::Backup, "corvanta backup ~/Documents/portfolio-backup.sqlite"},
    {Command::Backups, "corvanta backups --json"},
    {Command::Restore, "corvanta restore ~/.local/share/Corvanta/Backups/Corvanta-2026-06-04-093000.sqlite"},
};

constexpr SubcommandRule subcommandTable[] = {
    {Command::Add, "add", "", QT_TRANSLATE_NOOP("CommandLine", "Add a balance entry and print what was added."), addOptions, 0, 0},
    {Command::Summary, "summary", "", QT_TRANSLATE_NOOP("CommandLine", "Print the portfolio summary."), summaryOptions, 0, 0},
    {Command::Entries, "entries", "", QT_TRANSLATE_NOOP("CommandLine", "List the balance entries, oldest first."), entriesOptions, 0, 0},
    {Command::Stats, "stats", "", QT_TRANSLATE_NOOP("CommandLine", "Print the dashboard's statistics."), statsOptions, 0, 0},
    {Command::Years, "years", "", QT_TRANSLATE_NOOP("CommandLine", "Print the yearly index comparison."), yearsOptions, 0, 0},
    {Command::Import, "import", " FILE", QT_TRANSLATE_NOOP("CommandLine", "Import the entries of a CSV file."), importOptions, 1, 1},
    {Command::Export, "export", " [FILE]", QT_TRANSLATE_NOOP("CommandLine", "Export every entry as CSV to FILE (standard output when absent or \"-\")."), {}, 0, 1},
    {Command::Backup, "backup", " [FILE]", QT_TRANSLATE_NOOP("CommandLine", "Back up the whole store to FILE (a new file in the backups folder when absent)."), {}, 0, 1},
    {Command::Backups, "backups", "", QT_TRANSLATE_NOOP("CommandLine", "List the backups in the backups folder, newest first."), jsonOnly, 0, 0},
    {Command::Restore, "restore", " FILE", QT_TRANSLATE_NOOP("CommandLine", "Replace the store with a backup, after backing up the store as it is."), {}, 1, 1},
};

} // namespace

std::span<const SubcommandRule> subcommands() { return subcommandTable; }

const SubcommandRule* ruleFor(const QString& name)
{
    for (const SubcommandRule& rule : subcommandTable)
        if (name == QLatin1String(rule.name))
            return &rule;
    return nullptr;
}

const SubcommandRule* ruleFor(Command command)
{
    for (const SubcommandRule& rule : subcommandTable)
        if (rule.command == command)
            return &rule;
    return nullptr;
}

const char* exampleOf(Command command)
{
    for (const auto& [subject, example] : examples)
        if (subject == command)
            return example;
    return nullptr;
}

} // namespace CommandRules
