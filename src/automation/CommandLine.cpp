#include "automation/CommandLine.h"

#include "analytics/Fmt.h"
#include "analytics/LocalCalendar.h"
#include "automation/CommandRules.h"
#include "automation/TerminalText.h"

#include <QCoreApplication>
#include <QCommandLineParser>
#include <QDateTime>

#include <algorithm>
#include <chrono>
#include <tuple>

namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

using Command = CommandLine::Command;
using CommandRules::OptionRule;
using CommandRules::ruleFor;
using CommandRules::SubcommandRule;

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
            return usage(context, Words::tr("--%1 given more than once").arg(QLatin1String(name)));
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

        return usage(context, Words::tr("--%1 expects a plain number such as 1234.56, not %2").arg(QLatin1String(name), quoted(value)));
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
                         Words::tr("--date expects YYYY-MM-DD or an ISO 8601 date-time, not %1").arg(quoted(value)));
    }
    if (parser.isSet(QStringLiteral("note")))
        line.note = parser.value(QStringLiteral("note"));
    line.dialog = parser.isSet(QStringLiteral("dialog"));
    if (line.dialog && line.json)
        return usage(options.context, Words::tr("--json cannot be combined with --dialog"));
    return {};
}

Result<void> readEntriesOptions(const ParsedOptions& options, CommandLine& line)
{
    line.suggested = options.parser.isSet(QStringLiteral("suggested"));
    for (const QString& value : options.parser.values(QStringLiteral("id"))) {
        auto id = Uuid::fromString(value.toStdString());
        if (!id)
            return usage(options.context, Words::tr("--id expects a UUID, not %1").arg(quoted(value)));
        line.ids.push_back(*id);
    }
    if (line.suggested && !line.ids.empty())
        return usage(options.context, Words::tr("--suggested cannot be combined with --id"));
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
            return usage(options.context, Words::tr("--%1 expects YYYY-MM-DD or an ISO 8601 date-time, not %2").arg(QLatin1String(name), quoted(value)));
    }
    if (line.from && line.until && *line.from >= *line.until)
        return usage(options.context, Words::tr("--from must come before --to"));
    if (!parser.isSet(QStringLiteral("window")))
        return {};
    if (line.from || line.until)
        return usage(options.context, Words::tr("--window cannot be combined with --from or --to"));
    const QString value = parser.value(QStringLiteral("window"));
    line.yearToDate = value == QLatin1String("YTD");
    const auto window = DateRange::fromRawValue(value.toStdString());
    if (!window && !line.yearToDate)
        return usage(options.context, Words::tr("--window expects 1M, 3M, 6M, 1Y, 5Y, YTD or All, not %1").arg(quoted(value)));
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
        return usage(options.context, Words::tr("unexpected argument %1").arg(quoted(positionals[rule.maximumPositionals])));
    if (positionals.size() < rule.minimumPositionals)
        return usage(options.context, Words::tr("missing argument FILE"));
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
            read = usage(options.context, Words::tr("--json cannot be combined with --notify"));
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
        return usage({}, Words::tr("unknown command %1").arg(quoted(parser.positionalArguments().first())));
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
        return usage(QStringLiteral("help"), Words::tr("unexpected argument %1").arg(quoted(arguments[3])));
    if (arguments.size() == 3) {
        const SubcommandRule* rule = ruleFor(arguments[2]);
        if (!rule)
            return usage(QStringLiteral("help"), Words::tr("unknown command %1").arg(quoted(arguments[2])));
        line.helpTopic = rule->command;
    }
    return line;
}

} // namespace

Result<CommandLine> CommandLine::parse(const QStringList& arguments)
{
    if (arguments.size() < 2)
        return CommandLine{};
    const QString& first = arguments[1];
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help")) {
        if (first != QLatin1String("help") && arguments.size() > 2)
            return usage({}, Words::tr("unexpected argument %1").arg(quoted(arguments[2])));
        return parseHelp(arguments);
    }
    if (first == QLatin1String("--version") || first == QLatin1String("-v")) {
        if (arguments.size() > 2)
            return usage({}, Words::tr("unexpected argument %1").arg(quoted(arguments[2])));
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

Error CommandLine::usageError(const QString& subcommand, const QString& message)
{
    const QString context = subcommand.isEmpty() ? QString() : QLatin1Char(' ') + subcommand;
    const QString helpContext = subcommand == QLatin1String("help") ? QString() : context;
    return Error{Words::tr("corvanta%1: %2 (try 'corvanta%3 --help')").arg(context, message, helpContext), {}};
}

Result<CommandLine> CommandLine::parseAfterWindowOptions(const QStringList& arguments)
{
    auto parsed = parse(arguments);
    if (parsed && !nameOf(parsed.value().command).isEmpty())
        return usageError({}, Words::tr("the window's options (such as -platform) cannot come before the command %1")
                                  .arg(quoted(nameOf(parsed.value().command))));
    return parsed;
}

QString CommandLine::nameOf(Command command)
{
    const SubcommandRule* rule = ruleFor(command);
    return rule ? text(rule->name) : QString();
}
