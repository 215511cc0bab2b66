#include "automation/CommandDispatch.h"

#include "automation/AddEntryDialog.h"
#include "automation/ConsoleOutput.h"
#include "automation/DesktopNotification.h"
#include "automation/OneLineOnFatal.h"
#include "automation/Subcommands.h"
#include "automation/TerminalText.h"

#include "csv/ExportFields.h"

#include <QApplication>

#include <chrono>
#include <memory>

namespace {
using Command = CommandLine::Command;

// The status of an add whose window was cancelled: nothing failed, nothing was added.
constexpr int cancelledStatus = 3;

QString numberText(double value) { return QString::fromStdString(CSVPorter::numberText(value)); }

// `add --dialog`: the window asks for the parameters (pre-filled from the command line) and
// the result is reported as a notification, or printed when no notification service answers.
int addWithDialog(const CommandLine& line)
{
    AddEntryDialog dialog([](const AddBalanceEntryIntent& intent) -> Result<QString> {
        auto performed = intent.perform(std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now()));
        if (!performed)
            return performed.error();
        return performed.value().dialog;
    });
    if (line.date)
        dialog.setDate(*line.date);
    if (line.balance)
        dialog.setText("balance", numberText(*line.balance));
    if (line.adjustment != 0)
        dialog.setText("adjustment", numberText(line.adjustment));
    if (line.transfers != 0)
        dialog.setText("transfers", numberText(line.transfers));
    if (line.note)
        dialog.setText("note", *line.note);
    if (dialog.exec() != QDialog::Accepted) {
        ConsoleOutput::error(QStringLiteral("corvanta add: cancelled, nothing was added\n"));
        return cancelledStatus;
    }
    if (!DesktopNotification::show(AddBalanceEntryIntent::tr(AddBalanceEntryIntent::title), dialog.report()))
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

std::unique_ptr<QCoreApplication> application(const QStringList& arguments, int& argc, char** argv)
{
    const auto parsed = CommandLine::parse(arguments);
    std::unique_ptr<QCoreApplication> application;
    if (parsed && parsed.value().command == Command::Add && parsed.value().dialog) {
        const OneLineOnFatal withoutDisplay(QStringLiteral("corvanta add: --dialog needs a display, and none could be opened"));
        application = std::make_unique<QApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setOrganizationName(QStringLiteral("Corvanta"));
    QCoreApplication::setApplicationName(QStringLiteral("Corvanta"));
    return application;
}

int run(const Result<CommandLine>& parsed)
{
    if (!parsed)
        return ConsoleOutput::usageError(parsed.error().message);
    const CommandLine& line = parsed.value();
    switch (line.command) {
    case Command::Help: return printed(CommandLine::helpText(line.helpTopic, TerminalText::outputWidth()));
    case Command::Version: return printed(CommandLine::versionText(QStringLiteral(CORVANTA_VERSION)));
    case Command::Add:
        if (line.dialog)
            return addWithDialog(line);
        break;
    default: break;
    }
    return Subcommands::run(line);
}

} // namespace CommandDispatch
