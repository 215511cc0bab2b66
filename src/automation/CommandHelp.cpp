#include "automation/CommandLine.h"

#include "automation/AddBalanceEntryIntent.h"
#include "automation/CommandRules.h"
#include "automation/TerminalText.h"

#include <QCoreApplication>

namespace {
using CommandRules::OptionRule;
using CommandRules::SubcommandRule;

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

struct Words {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

QString optionHelp(const OptionRule& option)
{
    for (const auto& parameter : AddBalanceEntryIntent::parameters)
        if (qstrcmp(parameter.key, option.name) == 0)
            return QStringLiteral("%1: %2 %3")
                .arg(AddBalanceEntryIntent::tr(parameter.title), AddBalanceEntryIntent::tr(parameter.description), Words::tr(option.help))
                .trimmed();
    return Words::tr(option.help);
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

QString CommandLine::helpText(std::optional<Command> topic, int width)
{
    if (const SubcommandRule* rule = topic ? CommandRules::ruleFor(*topic) : nullptr) {
        QString help = Words::tr("Usage: %1").arg(synopsis(*rule)) + QStringLiteral("\n\n") + Words::tr(rule->summary) + QLatin1Char('\n');
        if (!rule->options.empty()) {
            help += QLatin1Char('\n') + Words::tr("Options:") + QLatin1Char('\n');
            for (const OptionRule& option : rule->options)
                help += optionLine(option);
        }
        if (const char* example = CommandRules::exampleOf(rule->command))
            help += QLatin1Char('\n') + Words::tr("Example:") + QStringLiteral("\n  ") + text(example) + QLatin1Char('\n');
        return TerminalText::wrapped(help, width);
    }
    QString help = Words::tr("Usage: corvanta [COMMAND [OPTIONS]]\n\n"
                             "Without a command, opens the Corvanta window (or raises the one already open).\n\n"
                             "Commands:\n");
    for (const SubcommandRule& rule : CommandRules::subcommands())
        help += (QStringLiteral("  ") + text(rule.name)).leftJustified(12) + Words::tr(rule.summary) + QLatin1Char('\n');
    help += Words::tr("\n  --help, -h, help [COMMAND]   Show this help, or a command's options.\n"
                      "  --version, -v                Show the version.\n\nExamples:\n");
    for (const SubcommandRule& rule : CommandRules::subcommands())
        if (const char* example = CommandRules::exampleOf(rule.command))
            help += QStringLiteral("  ") + text(example) + QLatin1Char('\n');
    help += Words::tr("\nExit status: 0 done, 1 the store, a file or the output failed, 2 a usage error,\n"
                      "3 the add window was cancelled.\n");
    return TerminalText::wrapped(help, width);
}

QString CommandLine::versionText(const QString& version) { return QStringLiteral("corvanta %1\n").arg(version); }

