#pragma once

#include "analytics/DateRange.h"
#include "analytics/Instant.h"
#include "analytics/Uuid.h"
#include "model/Result.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// What `corvanta ...` was asked to do, as plain values. Parsing is a pure function of the
// argument list: no store, no terminal, no Qt application needed.
struct CommandLine {
    enum class Command { Window, Add, Summary, Entries, Stats, Years, Import, Export, Backup, Backups, Restore, Help, Version };

    Command command = Command::Window;
    // `corvanta help SUBCOMMAND` / `corvanta SUBCOMMAND --help`: the subcommand to describe;
    // nothing for the overview.
    std::optional<Command> helpTopic;
    bool json = false;

    // add: an absent balance is asked for (on a terminal) by the caller.
    std::optional<double> balance;
    std::optional<Instant> date; // absent: now
    double adjustment = 0;
    double transfers = 0;
    std::optional<QString> note;
    bool dialog = false;

    // summary
    bool notify = false;

    // entries
    bool suggested = false;
    std::vector<Uuid> ids;

    // stats: the window of the returns, the year to date (counted when the command runs), or
    // any period (`from` inclusive, `until` exclusive; either may be open)
    DateRange window = DateRange::all;
    bool yearToDate = false;
    std::optional<Instant> from;
    std::optional<Instant> until;

    // years: what the entries say of each calendar year instead of the stored rows
    bool fromEntries = false;

    // import FILE; export [FILE] (empty or "-": standard output); backup [FILE] (empty: the
    // backups folder); restore FILE
    QString file;
    // import: leave out rows already stored; read "," as the decimal separator; only say what
    // an import would do
    bool skipExisting = false;
    bool decimalComma = false;
    bool dryRun = false;

    // The window's switches for benchmarks and screenshots (not shown in the help).
    bool quitAfterFirstPaint = false;
    QString screenshotPath;

    // A usage error is an Error whose message is one line naming the offending argument.
    // `arguments` starts with the program name, as argv does.
    static Result<CommandLine> parse(const QStringList& arguments);
    static QStringList arguments(int argc, char** argv);
    // True when the arguments ask for the window (none, or options only, help and version
    // aside): they are parsed once the Qt application has taken out its own (-platform, -style).
    static bool opensWindow(const QStringList& arguments);
    // What is left once the Qt application took out its own options: a subcommand there is a
    // usage error, since those options are the window's.
    static Result<CommandLine> parseAfterWindowOptions(const QStringList& arguments);
    // "corvanta SUBCOMMAND: MESSAGE (try 'corvanta SUBCOMMAND --help')"; without a subcommand,
    // "corvanta: MESSAGE (try 'corvanta --help')".
    static Error usageError(const QString& subcommand, const QString& message);

    // "2026-06-04" is local midnight; an ISO 8601 date-time with "Z" or an offset is that
    // instant, one without is local time. Nothing for anything else, and for instants from
    // the year 10000 (UTC) on.
    static std::optional<Instant> parseDate(const QString& text);

    // The help text for `topic` (the overview when absent), wrapped to `width` columns,
    // ending in a line break.
    static QString helpText(std::optional<Command> topic, int width = 80);
    static QString versionText(const QString& version);
    // The subcommand's name as typed ("add"); empty for Window, Help and Version.
    static QString nameOf(Command command);
};
