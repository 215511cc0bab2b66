#include "automation/Subcommands.h"

#include "analytics/EntryYears.h"
#include "analytics/Fmt.h"
#include "automation/AddBalanceEntryIntent.h"
#include "automation/BackupCommands.h"
#include "automation/BalanceEntryQuery.h"
#include "automation/ConsoleOutput.h"
#include "automation/DesktopNotification.h"
#include "automation/EntryListing.h"
#include "automation/FigureTables.h"
#include "automation/GetPortfolioSummaryIntent.h"
#include "automation/ImportCommand.h"
#include "automation/JsonOutput.h"
#include "automation/TerminalTable.h"
#include "csv/CSVAlerts.h"
#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"
#include "model/StatsConversions.h"
#include "model/StoredEntries.h"
#include "services/CsvActions.h"
#include "services/JsonEncoding.h"
#include "services/PortfolioFigures.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>

namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(Subcommands)
};

using Command = CommandLine::Command;

Instant now() { return std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now()); }

// The command line's own process holds no window: its main context is only its connection.
ObjectContext& storeContext() { return IntentsDataProvider::sharedContainer().viewContext(); }

// Every entry's snapshot, read without loading the entries.
Result<std::vector<StatsInput>> storedInputs()
{
    IntentsDataProvider::sharedContainer(); // opens (or creates) the store first
    return readStoredStatsInputs(PersistentContainer::defaultStorePath());
}

int storeFailure(const QString& subcommand, const Error& error)
{
    return ConsoleOutput::failure(QStringLiteral("corvanta %1: %2").arg(subcommand, error.message));
}

// An alert as the window would show it: its message, then its informative text on the next
// line; on standard output when nothing failed, else on standard error with status 1.
int report(const CSVPorter::Alert& alert, bool failed)
{
    QString text = alert.messageText + QLatin1Char('\n');
    if (!alert.informativeText.isEmpty())
        text += alert.informativeText + QLatin1Char('\n');
    if (!failed) {
        ConsoleOutput::print(text);
        return 0;
    }
    ConsoleOutput::error(text);
    return 1;
}

// Asks on the terminal until a plain number comes; nothing when input ends first or is not
// a terminal.
std::optional<double> askForBalance()
{
    if (!isatty(STDIN_FILENO))
        return std::nullopt;
    for (;;) {
        ConsoleOutput::error(AddBalanceEntryIntent::tr(AddBalanceEntryIntent::balancePrompt) + QLatin1Char(' '));
        std::string answer;
        if (!std::getline(std::cin, answer))
            return std::nullopt;
        if (auto balance = Fmt::finiteNumber(std::string_view(answer).substr(0, answer.find_first_of("\r\n"))))
            return *balance + 0.0; // -0 is zero
        ConsoleOutput::error(Words::tr("Please type a plain number such as 1234.56.\n"));
    }
}

int add(const CommandLine& line)
{
    const std::optional<double> balance = line.balance ? line.balance : askForBalance();
    if (!balance)
        return ConsoleOutput::usageError(
            CommandLine::usageError(QStringLiteral("add"), Words::tr("--balance is required (the portfolio balance)")).message);
    const AddBalanceEntryIntent intent{line.date, *balance, line.adjustment, line.transfers, line.note};
    auto added = intent.perform(now());
    if (!added)
        return storeFailure(QStringLiteral("add"), added.error());
    if (line.json)
        return JsonOutput::print(JsonOutput::entity(added.value().entity));
    ConsoleOutput::print(added.value().dialog + QLatin1Char('\n'));
    return 0;
}

// A store that cannot be read is a failure here, not an empty portfolio.
int summary(const CommandLine& line)
{
    auto inputs = storedInputs();
    if (!inputs)
        return storeFailure(QStringLiteral("summary"), inputs.error());
    const auto outcome = GetPortfolioSummaryIntent::summarise(inputs.value());
    if (line.json)
        return JsonOutput::print(JsonOutput::summary(outcome.summary, outcome.dialog));
    if (line.notify && DesktopNotification::show(Words::tr("Portfolio Summary"), outcome.dialog))
        return 0;
    ConsoleOutput::print(outcome.dialog + QLatin1Char('\n'));
    return 0;
}

int entries(const CommandLine& line)
{
    IntentsDataProvider::sharedContainer(); // opens (or creates) the store first
    StoredEntrySelection selection;
    if (line.suggested)
        selection = {StoredEntrySelection::Order::NewestFirst, std::int64_t(BalanceEntryQuery::suggestionCount), {}};
    selection.ids = line.ids;
    return EntryListing::print(PersistentContainer::defaultStorePath(), selection, line.json);
}

int stats(const CommandLine& line)
{
    auto inputs = storedInputs();
    if (!inputs)
        return storeFailure(QStringLiteral("stats"), inputs.error());
    const Instant at = now();
    const ReturnWindow window = line.from || line.until ? ReturnWindow::between(line.from, line.until)
                                : line.yearToDate       ? ReturnWindow::yearToDate(at)
                                                        : ReturnWindow::of(line.window, at);
    const PortfolioStatistics figures = PortfolioFigures::statistics(inputs.value(), at, window);
    if (line.json)
        return JsonOutput::print(JsonEncoding::statistics(figures));
    ConsoleOutput::print(TerminalTable::forOutput(FigureTables::statistics(figures)));
    return 0;
}

int yearsFromEntries(const CommandLine& line)
{
    auto entries = storedInputs();
    if (!entries)
        return storeFailure(QStringLiteral("years"), entries.error());
    const std::vector<EntryYear> years = EntryYears::of(entries.value());
    if (line.json)
        return JsonOutput::print(JsonEncoding::entryYears(years));
    ConsoleOutput::print(FigureTables::entryYears(years));
    return 0;
}

int years(const CommandLine& line)
{
    if (line.fromEntries)
        return yearsFromEntries(line);
    auto entries = storedInputs();
    auto years = storeContext().fetchTSXYears();
    if (!entries || !years)
        return storeFailure(QStringLiteral("years"), !entries ? entries.error() : years.error());
    const YearlyComparison comparison = PortfolioFigures::comparison(inputs(years.value()), PortfolioStats::summary(entries.value()));
    if (line.json)
        return JsonOutput::print(JsonOutput::comparison(comparison));
    ConsoleOutput::print(TerminalTable::forOutput(FigureTables::comparison(comparison)));
    return 0;
}

int importFile(const CommandLine& line)
{
    return ImportCommand::run(line, storeContext(), PersistentContainer::defaultStorePath());
}

int exportFile(const CommandLine& line)
{
    if (!line.file.isEmpty() && line.file != QLatin1String("-")) {
        if (auto written = CsvActions::exportFile(storeContext(), line.file); !written)
            return report(CSVPorter::exportFailureAlert(written.error().message), true);
        return 0;
    }
    auto bytes = CsvActions::exportBytes(storeContext());
    if (!bytes)
        return report(CSVPorter::exportFailureAlert(bytes.error().message), true);
    if (!ConsoleOutput::write(bytes.value()))
        return report(CSVPorter::exportFailureAlert(Words::tr("standard output could not be written")), true);
    return 0;
}

int runCommand(const CommandLine& line)
{
    switch (line.command) {
    case Command::Add: return add(line);
    case Command::Summary: return summary(line);
    case Command::Entries: return entries(line);
    case Command::Stats: return stats(line);
    case Command::Years: return years(line);
    case Command::Import: return importFile(line);
    case Command::Export: return exportFile(line);
    case Command::Backup: return BackupCommands::backup(line);
    case Command::Backups: return BackupCommands::backups(line);
    case Command::Restore: return BackupCommands::restore(line);
    case Command::Window:
    case Command::Help:
    case Command::Version: break;
    }
    return ConsoleOutput::usageError(Words::tr("corvanta: no subcommand to run"));
}
} // namespace

namespace Subcommands {

int run(const CommandLine& line)
{
    const int status = runCommand(line);
    // A printed result that did not reach its reader (a full disk) is a failure.
    if (status == 0 && ConsoleOutput::outputFailed())
        return ConsoleOutput::failure(Words::tr("corvanta %1: standard output could not be written").arg(CommandLine::nameOf(line.command)));
    return status;
}

} // namespace Subcommands
