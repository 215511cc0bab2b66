// The entries tab's Import CSV: the preview in the overlay says what will happen and writes
// nothing; Cancel leaves no trace; Import stores exactly the rows listed, with or without the
// rows already stored; the alert adds the skipped lines.
#include "services/ActionsFixture.h"

#include "views/entries/CorvantaTableView.h"
#include "views/entries/ImportPreviewView.h"
#include "views/kit/ModalOverlay.h"
#include "views/kit/PorterDialogs.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

namespace {

class ChosenFileDialogs : public PorterDialogs {
public:
    std::optional<QString> file;
    std::vector<CSVPorter::Alert> alerts;
    std::optional<QString> chooseFileToImport() override { return file; }
    std::optional<QString> chooseFileToExport() override { return std::nullopt; }
    void showAlert(const CSVPorter::Alert& alert) override { alerts.push_back(alert); }
};

class ImportPreviewViewTest : public ActionsFixture {
protected:
    void SetUp() override
    {
        view_ = std::make_unique<CorvantaTableView>(context(), &dialogs_);
        view_->resize(960, 700);
        view_->show();
        view_->setBackgroundContexts([this] { return container_->newBackgroundContext(); });
    }

    // Clicks Import and waits until the rows are stored (in a background context) and the
    // preview is gone.
    bool import(ImportPreviewView* preview)
    {
        QTest::keyClick(preview->importButton(), Qt::Key_Return);
        return QTest::qWaitFor([&] { return !view_->overlay()->isOpen(); }, 5000);
    }

    // Opens the preview of a file holding `text` and waits until it is shown.
    ImportPreviewView* openPreview(const QByteArray& text)
    {
        const QString path = folder_.filePath(QStringLiteral("entries.csv"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            return nullptr;
        file.close();
        dialogs_.file = path;
        view_->importCSV();
        auto* preview = qobject_cast<ImportPreviewView*>(view_->overlay()->content());
        if (!preview || !QTest::qWaitFor([&] { return preview->preview() != nullptr; }, 5000))
            return nullptr;
        return preview;
    }

    QStringList shownRow(ImportPreviewView* preview, int row)
    {
        QStringList cells;
        for (int column = 0; column < preview->rowsTable()->columnCount(); ++column)
            if (QTableWidgetItem* item = preview->rowsTable()->item(row, column))
                cells.append(item->text());
        return cells;
    }

    ChosenFileDialogs dialogs_;
    std::unique_ptr<CorvantaTableView> view_;
};

const QByteArray twelveRows = [] {
    QByteArray text = "Date,Balance,Adjustment,Transfers,Note\n";
    for (int day = 1; day <= 12; ++day)
        text += QStringLiteral("2026-06-%1,%2,0,,day %3\n").arg(day, 2, 10, QLatin1Char('0')).arg(day * 100).arg(day).toUtf8();
    return text + "Jun 31 2026,5\n";
}();

TEST_F(ImportPreviewViewTest, CancelWritesNothingAndImportWritesWhatWasListed)
{
    ImportPreviewView* preview = openPreview(twelveRows);
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->summaryText().split(QLatin1Char('\n')).mid(0, 3),
              (QStringList{QStringLiteral("12"), QStringLiteral("Jun 1, 2026 \u2013 Jun 12, 2026"),
                           QStringLiteral("yyyy-MM-dd: 2026-06-01 is June 1, 2026")}));
    ASSERT_EQ(preview->rowsTable()->rowCount(), 11); // five, a gap, five
    EXPECT_EQ(shownRow(preview, 0), (QStringList{QStringLiteral("Jun 1, 2026"), QStringLiteral("$100"), QStringLiteral("\u2014"),
                                                 QStringLiteral("\u2014"), QStringLiteral("day 1")}));
    EXPECT_EQ(shownRow(preview, 10).first(), QStringLiteral("Jun 12, 2026"));
    EXPECT_EQ(preview->skippedLines()->toPlainText(), QStringLiteral("line 14: 'Jun 31 2026' is not a date"));
    EXPECT_FALSE(preview->skipAlreadyStoredBox()->isVisibleTo(preview));
    EXPECT_EQ(stored(), "");

    QTest::keyClick(preview, Qt::Key_Escape);
    EXPECT_FALSE(view_->overlay()->isOpen());
    EXPECT_EQ(stored(), "");
    EXPECT_FALSE(undo_.canUndo());
    EXPECT_TRUE(dialogs_.alerts.empty());

    preview = openPreview(twelveRows);
    ASSERT_NE(preview, nullptr);
    ASSERT_TRUE(import(preview));
    ASSERT_EQ(dialogs_.alerts.size(), 1u);
    EXPECT_EQ(dialogs_.alerts[0].messageText, QStringLiteral("Imported 12 entries"));
    EXPECT_EQ(dialogs_.alerts[0].informativeText,
              QStringLiteral("1 row(s) were skipped (couldn't be parsed).\n\nline 14: 'Jun 31 2026' is not a date"));
    const auto entries = context().fetchBalanceEntries().value();
    ASSERT_EQ(entries.size(), 12u);
    EXPECT_EQ(entries.front()->note(), QStringLiteral("day 1"));
    EXPECT_EQ(entries.back()->balance(), 1200);
    EXPECT_EQ(stored(), shown());
    EXPECT_EQ(undo_.undoName(), QStringLiteral("Import 12 Entries"));
    const std::string imported = stored();
    ASSERT_TRUE(undo_.undo().ok());
    EXPECT_EQ(stored(), "");
    ASSERT_TRUE(undo_.redo().ok());
    EXPECT_EQ(stored(), imported);

    // The same file again: every row is already stored, and the box to skip them is checked.
    preview = openPreview(twelveRows);
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->skipAlreadyStoredBox()->isVisibleTo(preview));
    EXPECT_TRUE(preview->skipAlreadyStoredBox()->isChecked());
    EXPECT_TRUE(preview->summaryText().contains(QStringLiteral("12 of these rows are already stored")));
    ASSERT_TRUE(import(preview));
    EXPECT_EQ(context().countBalanceEntries().value(), 12);
    EXPECT_EQ(dialogs_.alerts.back().messageText, QStringLiteral("No rows imported"));

    preview = openPreview(twelveRows);
    ASSERT_NE(preview, nullptr);
    preview->skipAlreadyStoredBox()->setChecked(false);
    ASSERT_TRUE(import(preview));
    EXPECT_EQ(context().countBalanceEntries().value(), 24);
}

// Amounts that look like decimal commas are read so, the box checked; unchecking reads them
// as the format does.
TEST_F(ImportPreviewViewTest, DecimalCommasAreReadAsTheBoxSays)
{
    ImportPreviewView* preview = openPreview("Date,Balance\n2026-06-04,\"1.234,56\"\n2026-06-05,\"9,99\"\n");
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->decimalCommaBox()->isChecked());
    EXPECT_EQ(preview->preview()->reading.rows[0].values.balance, 1234.56);
    QSignalSpy ready(preview, &ImportPreviewView::ready);
    preview->decimalCommaBox()->setChecked(false);
    ASSERT_TRUE(ready.wait(5000));
    EXPECT_EQ(preview->preview()->reading.rows[1].values.balance, 999);

    view_->overlay()->close();
    dialogs_.file = folder_.filePath(QStringLiteral("missing.csv"));
    view_->importCSV();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs_.alerts.empty(); }, 5000));
    EXPECT_EQ(dialogs_.alerts.back().messageText, QStringLiteral("CSV Error"));
    EXPECT_TRUE(dialogs_.alerts.back().informativeText.endsWith(QStringLiteral("missing.csv\u201d: not found.")));
    EXPECT_FALSE(view_->overlay()->isOpen());
}

} // namespace
