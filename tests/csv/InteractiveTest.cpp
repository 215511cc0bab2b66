// The menu commands between the file choosers, the import and export actions and the alerts.
#include "ImportFixture.h"

#include "views/CSVInteractive.h"
#include "csv/CSVPorter.h"

#include <QFile>
#include <QTemporaryDir>

using CSVPorter::Alert;

namespace {

// Answers the file choosers as told and records the alerts instead of showing them.
class FakeDialogs final : public PorterDialogs {
public:
    std::optional<QString> choice;
    std::vector<Alert> alerts;

    std::optional<QString> chooseFileToImport() override { return choice; }
    std::optional<QString> chooseFileToExport() override { return choice; }
    void showAlert(const Alert& alert) override { alerts.push_back(alert); }
};

// A cancelled chooser does nothing; an import always reports, an export only its failure.
TEST_F(ImportFixture, MenuCommandsReportThroughTheAlerts)
{
    FakeDialogs dialogs;
    for (const std::optional<QString>& cancelled : {std::optional<QString>(), std::optional(QString())}) {
        dialogs.choice = cancelled;
        EXPECT_EQ(CSVPorter::importCSV(context(), dialogs), std::nullopt);
        CSVPorter::exportCSV(context(), dialogs);
    }
    EXPECT_TRUE(dialogs.alerts.empty());

    QTemporaryDir folder;
    QFile csv(folder.filePath(QStringLiteral("entries.csv")));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly) && csv.write("Date,Balance\n2026-06-04,100\n2026-06-05,oops\n2026-06-06,200\n") > 0);
    csv.close();
    dialogs.choice = csv.fileName();
    EXPECT_EQ(CSVPorter::importCSV(context(), dialogs), 2);
    EXPECT_EQ(dialogs.alerts, std::vector<Alert>({CSVPorter::resultAlert(2, 1)}));

    dialogs.choice = folder.filePath(QStringLiteral("no such folder/corvanta.csv"));
    CSVPorter::exportCSV(context(), dialogs);
    ASSERT_EQ(dialogs.alerts.size(), 2u);
    EXPECT_EQ(dialogs.alerts[1].messageText, QStringLiteral("CSV Error"));
    EXPECT_TRUE(dialogs.alerts[1].informativeText.startsWith(QStringLiteral("Could not export CSV: ")));
}

} // namespace
