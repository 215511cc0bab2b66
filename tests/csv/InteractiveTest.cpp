// The menu commands between the file choosers, the import and export actions and the alerts.
#include "views/entries/CSVInteractive.h"

#include "model/PersistenceController.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using CSVPorter::Alert;

namespace {

// Answers the file choosers as told and records the alerts instead of showing them.
struct FakeDialogs final : PorterDialogs {
    std::optional<QString> choice;
    std::vector<Alert> alerts;
    std::optional<QString> chooseFileToImport() override { return choice; }
    std::optional<QString> chooseFileToExport() override { return choice; }
    void showAlert(const Alert& alert) override { alerts.push_back(alert); }
};

// A cancelled chooser does nothing; an import always reports, an export only its failure.
TEST(CsvMenuCommands, ReportThroughTheAlerts)
{
    PersistenceController controller(true);
    ObjectContext& context = controller.container().viewContext();
    BalanceEntry::create(context)->setBalance(100);
    FakeDialogs dialogs;
    for (const std::optional<QString>& cancelled : {std::optional<QString>(), std::optional(QString())}) {
        dialogs.choice = cancelled;
        EXPECT_EQ(CSVPorter::importCSV(context, dialogs), std::nullopt);
        CSVPorter::exportCSV(context, dialogs);
    }
    QTemporaryDir folder;
    dialogs.choice = folder.filePath(QStringLiteral("entries.csv"));
    CSVPorter::exportCSV(context, dialogs);
    EXPECT_TRUE(dialogs.alerts.empty());
    EXPECT_EQ(CSVPorter::importCSV(context, dialogs), 1);
    EXPECT_EQ(dialogs.alerts, std::vector<Alert>({CSVPorter::resultAlert(1, 0)}));

    dialogs.choice = folder.filePath(QStringLiteral("no such folder/corvanta.csv"));
    CSVPorter::exportCSV(context, dialogs);
    ASSERT_EQ(dialogs.alerts.size(), 2u);
    EXPECT_EQ(dialogs.alerts[1].messageText, QStringLiteral("CSV Error"));
    EXPECT_TRUE(dialogs.alerts[1].informativeText.startsWith(QStringLiteral("Could not export CSV: ")));
}

} // namespace
