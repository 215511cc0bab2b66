// The menu commands between the file choosers, the import and export actions and the alerts.
#include "ImportFixture.h"

#include "views/CSVInteractive.h"
#include "csv/CSVPorter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using CSVPorter::Alert;

namespace {

// Answers the file choosers as told and records the alerts instead of showing them.
class FakeDialogs final : public PorterDialogs {
public:
    std::optional<QString> importChoice;
    std::optional<QString> exportChoice;
    std::vector<Alert> alerts;

    std::optional<QString> chooseFileToImport() override { return importChoice; }
    std::optional<QString> chooseFileToExport() override { return exportChoice; }
    void showAlert(const Alert& alert) override { alerts.push_back(alert); }
};

class Interactive : public ImportFixture {
protected:
    QString file(const char* name) { return QDir(folder_.path()).filePath(QString::fromUtf8(name)); }

    QTemporaryDir folder_;
    FakeDialogs dialogs_;
};

TEST_F(Interactive, CancelledChoicesDoNothing)
{
    for (const std::optional<QString>& choice : {std::optional<QString>(), std::optional(QString())}) {
        dialogs_.importChoice = dialogs_.exportChoice = choice;
        EXPECT_EQ(CSVPorter::importCSV(context(), dialogs_), std::nullopt);
        CSVPorter::exportCSV(context(), dialogs_);
    }
    EXPECT_TRUE(dialogs_.alerts.empty());
    EXPECT_FALSE(context().hasChanges());
}

TEST_F(Interactive, ImportReportsAndExportReportsOnlyAFailure)
{
    QFile csv(file("entries.csv"));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("Date,Balance\n2026-06-04,100\n2026-06-05,oops\n2026-06-06,200\n");
    csv.close();
    dialogs_.importChoice = csv.fileName();
    EXPECT_EQ(CSVPorter::importCSV(context(), dialogs_), 2);
    EXPECT_EQ(dialogs_.alerts, std::vector<Alert>({CSVPorter::resultAlert(2, 1)}));
    EXPECT_EQ(context().countBalanceEntries().value(), 2);

    dialogs_.alerts.clear();
    dialogs_.exportChoice = file("corvanta.csv");
    CSVPorter::exportCSV(context(), dialogs_);
    EXPECT_TRUE(dialogs_.alerts.empty());
    EXPECT_TRUE(QFile::exists(*dialogs_.exportChoice));

    dialogs_.exportChoice = file("no such folder/corvanta.csv");
    CSVPorter::exportCSV(context(), dialogs_);
    ASSERT_EQ(dialogs_.alerts.size(), 1u);
    EXPECT_EQ(dialogs_.alerts[0].messageText, QStringLiteral("CSV Error"));
    EXPECT_TRUE(dialogs_.alerts[0].informativeText.startsWith(QStringLiteral("Could not export CSV: ")));
}

} // namespace
