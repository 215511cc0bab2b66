#include "automation/CommandLine.h"

#include "analytics/Fmt.h"
#include "analytics/LocalCalendar.h"
#include "automation/AddBalanceEntryIntent.h"
#include "automation/TerminalText.h"

#include <QCommandLineParser>
#include <QDateTime>

#include <algorithm>
#include <chrono>
#include <span>
#include <tuple>

namespace {
using Command = CommandLine::Command;

struct OptionRule {
    const char* name;
    const char* valueName; // null: a switch
    const char* help;
};

struct SubcommandRule {
    Command command;
    const char* name;
    const char* arguments; // after the options, in the synopsis
    const char* summary;
    std::span<const OptionRule> options;
    int minimumPositionals;
    int maximumPositionals;
};

constexpr OptionRule jsonOption{"json", nullptr, "Print JSON instead of text."};

// The add action's parameters: their help starts with the action's own title and description.
constexpr OptionRule addOptions[] = {
    {"balance", "N", ""},
    {"date", "D", "YYYY-MM-DD (local midnight) or an ISO 8601 date-time (local time without an offset)."},
    {"adjustment", "N", ""},
    {"transfers", "N", ""},
    {"note", "TEXT", ""},
    jsonOption,
    {"dialog", nullptr, "Ask for the entry in a small window."},
};
constexpr OptionRule summaryOptions[] = {
    jsonOption,
    {"notify", nullptr, "Show the summary as a desktop notification."},
};
constexpr OptionRule entriesOptions[] = {
    {"suggested", nullptr, "Only the 20 latest entries, newest first."},
    {"id", "UUID", "Only the entry with this id (repeatable)."},
    jsonOption,
};
constexpr OptionRule importOptions[] = {
    {"skip-existing", nullptr, "Leave out rows already stored (same day, amounts and note as an entry)."},
    {"decimal-comma", nullptr, "Read ',' as the decimal separator and '.' as grouping (1.234,56)."},
    {"dry-run", nullptr, "Only say what the import would do; write nothing."},
    jsonOption,
};
constexpr OptionRule statsOptions[] = {
    jsonOption,
    {"window", "W", "The window of the returns: 1M, 3M, 6M, 1Y, 5Y, YTD or All (when absent)."},
    {"from", "DATE", "The returns from this day (YYYY-MM-DD) or instant on."},
    {"to", "DATE", "The returns up to the end of this day (YYYY-MM-DD) or up to this instant."},
};
constexpr OptionRule yearsOptions[] = {
    jsonOption,
    {"from-entries", nullptr, "Every calendar year that holds entries, as Fill from Entries proposes it, with its time-weighted return."},
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

const char* exampleOf(Command command)
{
    for (const auto& [subject, example] : examples)
        if (subject == command)
            return example;
    return nullptr;
}

constexpr SubcommandRule subcommands[] = {
    {Command::Add, "add", "", "Add a balance entry and print what was added.", addOptions, 0, 0},
    {Command::Summary, "summary", "", "Print the portfolio summary.", summaryOptions, 0, 0},
    {Command::Entries, "entries", "", "List the balance entries, oldest first.", entriesOptions, 0, 0},
    {Command::Stats, "stats", "", "Print the dashboard's statistics.", statsOptions, 0, 0},
    {Command::Years, "years", "", "Print the yearly index comparison.", yearsOptions, 0, 0},
    {Command::Import, "import", " FILE", "Import the entries of a CSV file.", importOptions, 1, 1},
    {Command::Export, "export", " [FILE]", "Export every entry as CSV to FILE (standard output when absent or \"-\").", {}, 0, 1},
    {Command::Backup, "backup", " [FILE]", "Back up the whole store to FILE (a new file in the backups folder when absent).", {}, 0, 1},
    {Command::Backups, "backups", "", "List the backups in the backups folder, newest first.", jsonOnly, 0, 0},
    {Command::Restore, "restore", " FILE", "Replace the store with a backup, after backing up the store as it is.", {}, 1, 1},
};

const SubcommandRule* ruleFor(const QString& name)
{
    for (const SubcommandRule& rule : subcommands)
        if (name == QLatin1String(rule.name))
            return &rule;
    return nullptr;
}

const SubcommandRule* ruleFor(Command command)
{
    for (const SubcommandRule& rule : subcommands)
        if (rule.command == command)
            return &rule;
    return nullptr;
}

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

Error usage(const QString& context, const QString& message) { return CommandLine::usageError(context, message); }

QString quoted(const QString& value) { return TerminalText::quoted(value); }

// Qt's parser messages ("Unknown option 'bogus'.") in the form of ours.
QString parserMessage(const QString& errorText)
{
    QString message = TerminalText::escaped(errorText);
    if (message.endsWith(QLatin1Char('.')))
        message.chop(1);
    if (!message.isEmpty())
        message[0] = message[0].toLower();
    return message;
}

} // namespace

std::optional<Instant> CommandLine::parseDate(const QString& value)
{
    // Dates travel as ISO 8601 text in UTC, which has four digits for the year.
    constexpr std::int64_t endOfYear9999Utc = 253'402'300'800'000;
    std::optional<Instant> date = Fmt::parseDay(value.toStdString());
    if (!date && value.contains(QLatin1Char('T'))) {
        const QDateTime moment = QDateTime::fromString(value, Qt::ISODateWithMs);
        if (moment.isValid())
            date = instantFromMilliseconds(moment.toMSecsSinceEpoch());
    }
    if (date && millisecondsOf(*date) >= endOfYear9999Utc)
        return std::nullopt;
    return date;
}

namespace {

struct ParsedOptions {
    QCommandLineParser parser;
    const SubcommandRule& rule;
    QString context; // "add"

    std::optional<Error> singleValued(const char* name) const
    {
        if (parser.values(QLatin1String(name)).size() > 1)
            return usage(context, QStringLiteral("--%1 given more than once").arg(QLatin1String(name)));
        return std::nullopt;
    }

    Result<std::optional<double>> number(const char* name) const
    {
        if (auto twice = singleValued(name))
            return *twice;
        if (!parser.isSet(QLatin1String(name)))
            return std::optional<double>();
        const QString value = parser.value(QLatin1String(name));
        if (auto parsed = Fmt::finiteNumber(value.toStdString()))
            return std::optional<double>(*parsed + 0.0); // -0 is zero

        return usage(context, QStringLiteral("--%1 expects a plain number such as 1234.56, not %2").arg(QLatin1String(name), quoted(value)));
    }
};

Result<void> readAddOptions(const ParsedOptions& options, CommandLine& line)
{
    const QCommandLineParser& parser = options.parser;
    auto balance = options.number("balance");
    if (!balance)
        return balance.error();
    line.balance = balance.value();
    for (auto [name, slot] : {std::pair{"adjustment", &line.adjustment}, std::pair{"transfers", &line.transfers}}) {
        auto amount = options.number(name);
        if (!amount)
            return amount.error();
        *slot = amount.value().value_or(0);
    }
    for (const char* name : {"date", "note"})
        if (auto twice = options.singleValued(name))
            return *twice;
    if (parser.isSet(QStringLiteral("date"))) {
        const QString value = parser.value(QStringLiteral("date"));
        line.date = CommandLine::parseDate(value);
        if (!line.date)
            return usage(options.context,
                         QStringLiteral("--date expects YYYY-MM-DD or an ISO 8601 date-time, not %1").arg(quoted(value)));
    }
    if (parser.isSet(QStringLiteral("note")))
        line.note = parser.value(QStringLiteral("note"));
    line.dialog = parser.isSet(QStringLiteral("dialog"));
    if (line.dialog && line.json)
        return usage(options.context, QStringLiteral("--json cannot be combined with --dialog"));
    return {};
}

Result<void> readEntriesOptions(const ParsedOptions& options, CommandLine& line)
{
    line.suggested = options.parser.isSet(QStringLiteral("suggested"));
    for (const QString& value : options.parser.values(QStringLiteral("id"))) {
        auto id = Uuid::fromString(value.toStdString());
        if (!id)
            return usage(options.context, QStringLiteral("--id expects a UUID, not %1").arg(quoted(value)));
        line.ids.push_back(*id);
    }
    if (line.suggested && !line.ids.empty())
        return usage(options.context, QStringLiteral("--suggested cannot be combined with --id"));
    return {};
}

// A plain day as --to means up to the end of that local day; an instant, up to and including it.
std::optional<Instant> periodEnd(const QString& value)
{
    if (const auto day = Fmt::parseDay(value.toStdString())) {
        const auto calendar = LocalCalendar::current();
        return calendar ? LocalCalendar::adding(*calendar, UCAL_DATE, 1, *day) : std::nullopt;
    }
    const auto instant = CommandLine::parseDate(value);
    return instant ? std::optional(*instant + std::chrono::milliseconds(1)) : std::nullopt;
}

Result<void> readStatsOptions(const ParsedOptions& options, CommandLine& line)
{
    const QCommandLineParser& parser = options.parser;
    for (const char* name : {"window", "from", "to"})
        if (auto twice = options.singleValued(name))
            return *twice;
    for (const auto& [name, bound, read] : {std::tuple{"from", &line.from, &CommandLine::parseDate}, std::tuple{"to", &line.until, &periodEnd}}) {
        if (!parser.isSet(QLatin1String(name)))
            continue;
        const QString value = parser.value(QLatin1String(name));
        *bound = read(value);
        if (!*bound)
            return usage(options.context, QStringLiteral("--%1 expects YYYY-MM-DD or an ISO 8601 date-time, not %2").arg(QLatin1String(name), quoted(value)));
    }
    if (line.from && line.until && *line.from >= *line.until)
        return usage(options.context, QStringLiteral("--from must come before --to"));
    if (!parser.isSet(QStringLiteral("window")))
        return {};
    if (line.from || line.until)
        return usage(options.context, QStringLiteral("--window cannot be combined with --from or --to"));
    const QString value = parser.value(QStringLiteral("window"));
    line.yearToDate = value == QLatin1String("YTD");
    const auto window = DateRange::fromRawValue(value.toStdString());
    if (!window && !line.yearToDate)
        return usage(options.context, QStringLiteral("--window expects 1M, 3M, 6M, 1Y, 5Y, YTD or All, not %1").arg(quoted(value)));
    line.window = window.value_or(DateRange::all);
    return {};
}

Result<CommandLine> parseSubcommand(const SubcommandRule& rule, const QStringList& arguments)
{
    ParsedOptions options{{}, rule, text(rule.name)};
    QCommandLineParser& parser = options.parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    for (const OptionRule& option : rule.options)
        parser.addOption(option.valueName ? QCommandLineOption(text(option.name), QString(), text(option.valueName))
                                          : QCommandLineOption(text(option.name)));
    // arguments[0] is the program, arguments[1] the subcommand.
    if (!parser.parse(QStringList{arguments[0]} + arguments.mid(2)))
        return usage(options.context, parserMessage(parser.errorText()));

    CommandLine line;
    if (parser.isSet(QStringLiteral("help"))) {
        line.command = Command::Help;
        line.helpTopic = rule.command;
        return line;
    }
    line.command = rule.command;
    const QStringList positionals = parser.positionalArguments();
    if (positionals.size() > rule.maximumPositionals)
        return usage(options.context, QStringLiteral("unexpected argument %1").arg(quoted(positionals[rule.maximumPositionals])));
    if (positionals.size() < rule.minimumPositionals)
        return usage(options.context, QStringLiteral("missing argument FILE"));
    if (!positionals.isEmpty())
        line.file = positionals.first();
    line.json = std::any_of(rule.options.begin(), rule.options.end(), [&](const OptionRule& option) {
        return qstrcmp(option.name, "json") == 0 && parser.isSet(QStringLiteral("json"));
    });

    Result<void> read;
    if (rule.command == Command::Add)
        read = readAddOptions(options, line);
    else if (rule.command == Command::Entries)
        read = readEntriesOptions(options, line);
    else if (rule.command == Command::Stats)
        read = readStatsOptions(options, line);
    else if (rule.command == Command::Years)
        line.fromEntries = parser.isSet(QStringLiteral("from-entries"));
    else if (rule.command == Command::Import) {
        line.skipExisting = parser.isSet(QStringLiteral("skip-existing"));
        line.decimalComma = parser.isSet(QStringLiteral("decimal-comma"));
        line.dryRun = parser.isSet(QStringLiteral("dry-run"));
    } else if (rule.command == Command::Summary) {
        line.notify = parser.isSet(QStringLiteral("notify"));
        if (line.notify && line.json)
            read = usage(options.context, QStringLiteral("--json cannot be combined with --notify"));
    }
    if (!read)
        return read.error();
    return line;
}

// No subcommand: the window, with its two hidden switches.
Result<CommandLine> parseWindow(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption quitAfterFirstPaint(QStringLiteral("quit-after-first-paint"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"), QString(), QStringLiteral("png"));
    parser.addOption(quitAfterFirstPaint);
    parser.addOption(screenshot);
    if (!parser.parse(arguments))
        return usage({}, parserMessage(parser.errorText()));
    if (!parser.positionalArguments().isEmpty())
        return usage({}, QStringLiteral("unknown command %1").arg(quoted(parser.positionalArguments().first())));
    CommandLine line;
    line.quitAfterFirstPaint = parser.isSet(quitAfterFirstPaint);
    line.screenshotPath = parser.value(screenshot);
    return line;
}

Result<CommandLine> parseHelp(const QStringList& arguments)
{
    CommandLine line;
    line.command = Command::Help;
    if (arguments.size() > 3)
        return usage(QStringLiteral("help"), QStringLiteral("unexpected argument %1").arg(quoted(arguments[3])));
    if (arguments.size() == 3) {
        const SubcommandRule* rule = ruleFor(arguments[2]);
        if (!rule)
            return usage(QStringLiteral("help"), QStringLiteral("unknown command %1").arg(quoted(arguments[2])));
        line.helpTopic = rule->command;
    }
    return line;
}

QString optionHelp(const OptionRule& option)
{
    for (const auto& parameter : AddBalanceEntryIntent::parameters)
        if (qstrcmp(parameter.key, option.name) == 0)
            return QStringLiteral("%1: %2 %3").arg(text(parameter.title), text(parameter.description), text(option.help)).trimmed();
    return text(option.help);
}

QString optionLine(const OptionRule& option)
{
    QString left = QStringLiteral("  --") + text(option.name);
    if (option.valueName)
        left += QLatin1Char(' ') + text(option.valueName);
    return left.leftJustified(20) + QLatin1Char(' ') + optionHelp(option) + QLatin1Char('\n');
}

QString synopsis(const SubcommandRule& rule)
{
    QString line = QStringLiteral("corvanta ") + text(rule.name);
    for (const OptionRule& option : rule.options) {
        line += QStringLiteral(" [--") + text(option.name);
        if (option.valueName)
            line += QLatin1Char(' ') + text(option.valueName);
        line += QLatin1Char(']');
    }
    return line + text(rule.arguments);
}
} // namespace

Result<CommandLine> CommandLine::parse(const QStringList& arguments)
{
    if (arguments.size() < 2)
        return CommandLine{};
    const QString& first = arguments[1];
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help")) {
        if (first != QLatin1String("help") && arguments.size() > 2)
            return usage({}, QStringLiteral("unexpected argument %1").arg(quoted(arguments[2])));
        return parseHelp(arguments);
    }
    if (first == QLatin1String("--version") || first == QLatin1String("-v")) {
        if (arguments.size() > 2)
            return usage({}, QStringLiteral("unexpected argument %1").arg(quoted(arguments[2])));
        CommandLine line;
        line.command = Command::Version;
        return line;
    }
    if (const SubcommandRule* rule = ruleFor(first))
        return parseSubcommand(*rule, arguments);
    return parseWindow(arguments);
}

bool CommandLine::opensWindow(const QStringList& arguments)
{
    if (arguments.size() < 2)
        return true;
    const QString& first = arguments[1];
    return first.startsWith(QLatin1Char('-'))
        && !QStringList{QStringLiteral("-h"), QStringLiteral("--help"), QStringLiteral("-v"), QStringLiteral("--version")}.contains(first);
}

QStringList CommandLine::arguments(int argc, char** argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

QString CommandLine::helpText(std::optional<Command> topic, int width)
{
    if (const SubcommandRule* rule = topic ? ruleFor(*topic) : nullptr) {
        QString help = QStringLiteral("Usage: ") + synopsis(*rule) + QStringLiteral("\n\n") + text(rule->summary) + QLatin1Char('\n');
        if (!rule->options.empty()) {
            help += QStringLiteral("\nOptions:\n");
            for (const OptionRule& option : rule->options)
                help += optionLine(option);
        }
        if (const char* example = exampleOf(rule->command))
            help += QStringLiteral("\nExample:\n  ") + text(example) + QLatin1Char('\n');
        return TerminalText::wrapped(help, width);
    }
    QString help = QStringLiteral("Usage: corvanta [COMMAND [OPTIONS]]\n\n"
                                  "Without a command, opens the Corvanta window (or raises the one already open).\n\n"
                                  "Commands:\n");
    for (const SubcommandRule& rule : subcommands)
        help += (QStringLiteral("  ") + text(rule.name)).leftJustified(12) + text(rule.summary) + QLatin1Char('\n');
    help += QStringLiteral("\n  --help, -h, help [COMMAND]   Show this help, or a command's options.\n"
                           "  --version, -v                Show the version.\n\nExamples:\n");
    for (const SubcommandRule& rule : subcommands)
        if (const char* example = exampleOf(rule.command))
            help += QStringLiteral("  ") + text(example) + QLatin1Char('\n');
    help += QStringLiteral("\nExit status: 0 done, 1 the store, a file or the output failed, 2 a usage error.\n");
    return TerminalText::wrapped(help, width);
}

Error CommandLine::usageError(const QString& subcommand, const QString& message)
{
    const QString context = subcommand.isEmpty() ? QString() : QLatin1Char(' ') + subcommand;
    const QString helpContext = subcommand == QLatin1String("help") ? QString() : context;
    return Error{QStringLiteral("corvanta%1: %2 (try 'corvanta%3 --help')").arg(context, message, helpContext), {}};
}

Result<CommandLine> CommandLine::parseAfterWindowOptions(const QStringList& arguments)
{
    auto parsed = parse(arguments);
    if (parsed && !nameOf(parsed.value().command).isEmpty())
        return usageError({}, QStringLiteral("the window's options (such as -platform) cannot come before the command %1")
                                  .arg(quoted(nameOf(parsed.value().command))));
    return parsed;
}

QString CommandLine::versionText(const QString& version) { return QStringLiteral("corvanta %1\n").arg(version); }

QString CommandLine::nameOf(Command command)
{
    const SubcommandRule* rule = ruleFor(command);
    return rule ? text(rule->name) : QString();
}
