#include "ActionsFixture.h"

#include "services/CsvActions.h"
#include "services/EntryActions.h"

#include <QFile>
#include <QTest>

#include <csignal>

#include <sys/resource.h>

namespace {

const QByteArray fiveRows = "2026-06-01,1\n2026-06-02,2\n2026-06-03,3\n2026-06-04,4\n2026-06-05,5\n";

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CsvImport : public ActionsFixture {
protected:
    void SetUp() override { ASSERT_TRUE(EntryActions::add(context(), {.balance = 1}).ok()); }
    // Entries fail to be written once the store holds three.
    bool failAfterTwoMoreRows()
    {
        return execOnStore(path_, "CREATE TRIGGER diskFull BEFORE INSERT ON BalanceEntry WHEN (SELECT count(*) FROM BalanceEntry) >= 3 "
                                  "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END;");
    }
};

TEST_F(CsvImport, IsOneUndoStep)
{
    const std::string before = shown();
    ASSERT_EQ(CsvActions::importBytes(context(), fiveRows).imported, 5);
    const std::string after = shown();
    EXPECT_EQ(stored(), after);
    EXPECT_EQ(undo_.undoName(), QStringLiteral("Import 5 Entries"));
    undo_.undo();
    EXPECT_EQ(shown(), before);
    undo_.undo(); // the add before the import
    EXPECT_EQ(shown(), "");
    undo_.redo();
    undo_.redo();
    EXPECT_EQ(shown(), after);
}

// Small files are read on the caller's thread, files over a megabyte on a worker thread and
// written batch by batch: a failing save leaves nothing of either behind, in the store, the
// context or the undo history (which a rollback used to wipe); another pending change stays.
TEST_F(CsvImport, FailedSaveLeavesNothingBehind)
{
    QByteArray large;
    while (large.size() <= 1 << 20)
        large += fiveRows;
    ASSERT_TRUE(failAfterTwoMoreRows());
    const std::string before = shown();
    for (const QByteArray& bytes : {fiveRows, large}) {
        const CsvActions::ImportOutcome outcome = CsvActions::importBytes(context(), bytes);
        EXPECT_EQ(outcome.imported, std::nullopt);
        EXPECT_EQ(outcome.alert.messageText, QStringLiteral("CSV Error"));
        EXPECT_TRUE(outcome.alert.informativeText.startsWith(QStringLiteral("Save failed: "))) << outcome.alert.informativeText.toStdString();
        EXPECT_EQ(shown(), before);
        EXPECT_EQ(stored(), before);
        EXPECT_FALSE(context().hasChanges());
        ASSERT_TRUE(undo_.canUndo()); // the add of SetUp
    }
    undo_.undo();
    EXPECT_EQ(shown(), "");

    auto pending = std::make_shared<BalanceEntry>();
    pending->setBalance(2);
    context().insert(pending);
    const std::string pendingShown = shown();
    EXPECT_EQ(CsvActions::importBytes(context(), fiveRows).imported, std::nullopt);
    EXPECT_EQ(shown(), pendingShown);
    EXPECT_TRUE(context().hasChanges());
}

// A second import of a file compared with what is stored: skipping stores nothing more, not
// skipping stores every row again; a row the file repeats is stored as often as the file has
// it. What is stored is what the preview listed, in its order.
TEST_F(CsvImport, RowsAlreadyStoredAreSkippedOnlyWhenAsked)
{
    const std::string text = "2026-06-01,1,0,0,a\n2026-06-01,1,0,0,a\n2026-06-02,2,5,0,\n";
    const auto preview = [&] { return CsvActions::previewImport(text, CsvActions::storedValues(context()).value()); };
    const CsvActions::ImportPreview first = preview();
    EXPECT_EQ(first.alreadyStoredCount, 0);
    ASSERT_EQ(CsvActions::importPreviewed(context(), first, true).imported, 3); // the repeated row is kept
    std::vector<std::string> listed;
    for (const auto& entry : context().fetchBalanceEntries().value())
        if (entry->note() != std::nullopt || entry->balance() == 2)
            listed.push_back(std::to_string(entry->balance()) + (entry->note() ? entry->note()->toStdString() : "-"));
    EXPECT_EQ(listed, (std::vector<std::string>{"1.000000a", "1.000000a", "2.000000-"}));

    const CsvActions::ImportPreview second = preview();
    EXPECT_EQ(second.alreadyStoredCount, 3);
    const std::string before = stored();
    const CsvActions::ImportOutcome skipping = CsvActions::importPreviewed(context(), second, true);
    EXPECT_EQ(std::tuple(skipping.imported, skipping.leftOutAsStored), std::tuple(std::optional<std::int64_t>(0), std::int64_t{3}));
    EXPECT_EQ(skipping.alert.informativeText, QStringLiteral("Skipped 3 rows already stored."));
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(CsvActions::importPreviewed(context(), second, false).imported, 3);
    EXPECT_EQ(context().countBalanceEntries().value(), 1 + 6);
}

// The save in a background context: stopped at a batch, it writes nothing; done, its rows
// become the main context's one undo step.
TEST_F(CsvImport, InTheBackgroundIsOneStepOrNothing)
{
    const CsvActions::ImportPreview preview = CsvActions::previewImport(fiveRows.toStdString(), {});
    const std::string before = stored();
    const auto store = [&](bool goOn) {
        std::optional<Result<CsvActions::StoredRows>> rows;
        container_->newBackgroundContext()->performAndWait([&](ObjectContext& background) {
            rows = CsvActions::storeInBackground(background, preview, false, [&](double) { return goOn; });
            EXPECT_FALSE(background.hasChanges());
        });
        return rows;
    };
    EXPECT_FALSE(store(false).has_value());
    EXPECT_EQ(stored(), before);
    ObjectContext::MergeHold hold = context().holdMerges();
    const auto rows = store(true);
    ASSERT_TRUE(rows && rows->ok());
    EXPECT_EQ(rows->value().count, 5);
    std::optional<CsvActions::ImportOutcome> adopted;
    CsvActions::adoptImport(context(), preview, false, *rows, std::move(hold), {}, [&](const auto& outcome) { adopted = outcome; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return adopted.has_value(); }));
    EXPECT_EQ(adopted->imported, 5);
    EXPECT_EQ(undo_.undoName(), QStringLiteral("Import 5 Entries"));
    ASSERT_TRUE(undo_.undo().ok());
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(shown(), before);
}

class CsvExport : public ActionsFixture {};

TEST_F(CsvExport, WritesEveryEntryAtomically)
{
    ASSERT_TRUE(EntryActions::add(context(), {.date = instantFromMilliseconds(1780574400000), .balance = 1242000}).ok());
    const QByteArray text = "Date,Balance,Adjustment,Transfers,Note\n2026-06-04,1242000.0,0.0,,";
    EXPECT_EQ(CsvActions::exportBytes(context()).value(), text);

    const QString path = folder_.filePath(QStringLiteral("corvanta.csv"));
    ASSERT_TRUE(CsvActions::exportFile(context(), path).ok());
    EXPECT_EQ(contents(path), text);

    // A write that stops half-way (here: a file size limit of a few bytes, which stops root
    // too) leaves the file that was there as it was.
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old contents") == 12);
    old.close();
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit tiny{8, previous.rlim_max};
    setrlimit(RLIMIT_FSIZE, &tiny);
    const Result<void> cut = CsvActions::exportFile(context(), path);
    setrlimit(RLIMIT_FSIZE, &previous);
    EXPECT_FALSE(cut.ok());
    EXPECT_EQ(contents(path), QByteArray("old contents"));
}

} // namespace
