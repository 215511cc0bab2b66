#include "automation/CommandDispatch.h"

#include "automation/AddEntryDialog.h"
#include "automation/ConsoleOutput.h"
#include "automation/DesktopNotification.h"
#include "automation/Subcommands.h"
#include "automation/TerminalText.h"

#include <QApplication>

#include <chrono>

namespace {
using Command = CommandLine::Command;

// `add --dialog`: the window asks for the parameters (pre-filled from the command line) and
// the result is reported as a notification, or printed when no notification service answers.
int addWithDialog(const CommandLine& line, int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvanta"));
    QApplication::setApplicationName(QStringLiteral("Corvanta"));
    AddEntryDialog dialog([](const AddBalanceEntryIntent& intent) -> Result<QString> {
        auto performed = intent.perform(std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now()));
        if (!performed)
            return performed.error();
        return performed.value().dialog;
    });
    if (line.balance)
        dialog.setText("balance", QString::number(*line.balance, 'g', 17));
    if (line.note)
        dialog.setText("note", *line.note);
    if (dialog.exec() != QDialog::Accepted)
        return ConsoleOutput::failure(QStringLiteral("corvanta add: cancelled, nothing was added"));
    if (!DesktopNotification::show(QString::fromUtf8(AddBalanceEntryIntent::title), dialog.report()))
        ConsoleOutput::print(dialog.report() + QLatin1Char('\n'));
    return 0;
}
// 0, or 1 when the text could not be written.
int printed(const QString& text)
{
    ConsoleOutput::print(text);
    return ConsoleOutput::outputFailed() ? ConsoleOutput::failure(QStringLiteral("corvanta: standard output could not be written")) : 0;
}
} // namespace

namespace CommandDispatch {

int run(const Result<CommandLine>& parsed, int argc, char** argv)
{
    if (!parsed)
        return ConsoleOutput::usageError(parsed.error().message);
    const CommandLine& line = parsed.value();
    switch (line.command) {
    case Command::Help: return printed(CommandLine::helpText(line.helpTopic, TerminalText::outputWidth()));
    case Command::Version: return printed(CommandLine::versionText(QStringLiteral(CORVANTA_VERSION)));
    case Command::Add:
        if (line.dialog)
            return addWithDialog(line, argc, argv);
        break;
    default: break;
    }
    return Subcommands::run(line, argc, argv);
}

} // namespace CommandDispatch
