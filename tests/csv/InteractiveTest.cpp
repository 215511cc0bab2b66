#include "ImportFixture.h"

#include "views/CSVInteractive.h"
#include "csv/CSVPorter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

using CSVPorter::Alert;
using CSVPorter::AlertStyle;

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
    QString writeFile(const char* name, const QByteArray& bytes)
    {
        const QString path = QDir(folder_.path()).filePath(QString::fromUtf8(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder_;
    FakeDialogs dialogs_;
};

TEST_F(Interactive, CancelledImportDoesNothing)
{
    EXPECT_EQ(CSVPorter::importCSV(context(), dialogs_), std::nullopt);
    dialogs_.importChoice = QString();
    EXPECT_EQ(CSVPorter::importCSV(context(), dialogs_), std::nullopt);
    EXPECT_TRUE(dialogs_.alerts.empty());
    EXPECT_FALSE(context().hasChanges());
}

TEST_F(Interactive, ImportSavesAndReports)
{
    dialogs_.importChoice = writeFile("entries.csv", "Date,Balance\n2026-06-04,100\n2026-06-05,oops\n2026-06-06,200\n");
    EXPECT_EQ(CSVPorter::importCSV(context(), dialogs_), 2);
    EXPECT_EQ(dialogs_.alerts, std::vector<Alert>({{QStringLiteral("Imported 2 entries"),
                                                    QStringLiteral("1 row(s) were skipped (couldn't be parsed)."),
                                                    AlertStyle::Informational}}));
    EXPECT_FALSE(context().hasChanges());
    EXPECT_EQ(context().countBalanceEntries().value(), 2);
}

TEST_F(Interactive, ExportWritesTheChosenFileOrReportsTheFailure)
{
    auto entry = std::make_shared<BalanceEntry>();
    entry->setDate(instantFromMilliseconds(1780574400000)); // 2026-06-04 12:00 UTC
    entry->setBalance(1242000);
    context().insert(entry);
    dialogs_.exportChoice = writeFile("corvanta.csv", "old contents");
    CSVPorter::exportCSV(context(), dialogs_);
    EXPECT_TRUE(dialogs_.alerts.empty());
    EXPECT_EQ(contents(*dialogs_.exportChoice), QByteArray("Date,Balance,Adjustment,Transfers,Note\n2026-06-04,1242000.0,0.0,,"));

    dialogs_.exportChoice.reset(); // cancelled
    CSVPorter::exportCSV(context(), dialogs_);
    EXPECT_TRUE(dialogs_.alerts.empty());

    dialogs_.exportChoice = QDir(folder_.path()).filePath(QStringLiteral("no such folder/corvanta.csv"));
    CSVPorter::exportCSV(context(), dialogs_);
    ASSERT_EQ(dialogs_.alerts.size(), 1u);
    EXPECT_EQ(dialogs_.alerts[0].messageText, QStringLiteral("CSV Error"));
    EXPECT_TRUE(dialogs_.alerts[0].informativeText.startsWith(QStringLiteral("Could not export CSV: ")));
    EXPECT_GT(dialogs_.alerts[0].informativeText.size(), QStringLiteral("Could not export CSV: ").size());
}

// The real alert carries the texts and the style: inspected while it is shown, then dismissed.
template <class Dialog, class Inspect>
void whenShown(Inspect inspect)
{
    QTimer::singleShot(0, [inspect] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        inspect(*dialog);
        dialog->reject();
    });
}

TEST(WidgetDialogs, AlertShowsTextsAndStyle)
{
    WidgetPorterDialogs dialogs;
    whenShown<QMessageBox>([](QMessageBox& box) {
        EXPECT_EQ(box.text(), QStringLiteral("CSV Error"));
        EXPECT_EQ(box.informativeText(), QStringLiteral("Could not read file."));
        EXPECT_EQ(box.icon(), QMessageBox::Warning);
        EXPECT_EQ(box.buttons().size(), 1);
    });
    dialogs.showAlert(CSVPorter::readFailureAlert());
}

} // namespace
