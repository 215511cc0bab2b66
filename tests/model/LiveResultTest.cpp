#include "support/StoreSql.h"
#include "StoreTestSupport.h"

#include "analytics/PortfolioStats.h"
#include "model/CommittedEntries.h"
#include "model/LiveResult.h"
#include "model/LiveSnapshots.h"
#include "model/StatsConversions.h"
#include "model/UndoManager.h"
#include "model/UserAction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>

namespace {

// Replays every announcement on a copy of the list, as a Qt model's view would, and checks
// that the copy equals the list after each change set.
template <class Entity>
struct Mirror : LiveResult<Entity>::Listener {
    explicit Mirror(LiveResult<Entity>& result) : result(result), rows(result.objects()) { result.setListener(this); }
    void didReset() override { rows = result.objects(), ++resets; }
    void willInsert(int first, int last) override { pending = {first, last}; }
    void didInsert() override
    {
        const auto& objects = result.objects();
        rows.insert(rows.begin() + pending.first, objects.begin() + pending.first, objects.begin() + pending.second + 1);
        ++inserts;
    }
    void willRemove(int first, int last) override
    {
        rows.erase(rows.begin() + first, rows.begin() + last + 1);
        ++removes;
    }
    void willMove(int from, int to) override
    {
        if (to < from)
            std::rotate(rows.begin() + to, rows.begin() + from, rows.begin() + from + 1);
        else
            std::rotate(rows.begin() + from, rows.begin() + from + 1, rows.begin() + to);
        ++moves;
    }
    void didUpdate(int first, int last, std::uint32_t) override
    {
        EXPECT_LE(0, first);
        EXPECT_LT(last, result.size());
        ++updates;
    }
    void didApply(const ChangeSet&) override { EXPECT_EQ(rows, result.objects()); }

    LiveResult<Entity>& result;
    typename LiveResult<Entity>::Objects rows;
    std::pair<int, int> pending;
    int resets = 0, inserts = 0, removes = 0, moves = 0, updates = 0;
};

void settle()
{
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::processEvents();
}

struct LiveResultTest : ::testing::Test {
    TemporaryFileStore store;
    ObjectContext& context = store.context();
    UndoManager undo;
    LiveResultTest() { context.setUndoManager(&undo); }
};

// Random edits of every kind, in this context and through another connection; after each
// pass every live list equals a fresh fetch and what its listener was told, and the snapshots
// and chart series kept incrementally beside the date order equal those computed afresh
// (the same doubles: sums in list order).
TEST_F(LiveResultTest, AlwaysEqualsAFreshFetch)
{
    LiveSnapshots snapshots(context, {});
    ASSERT_TRUE(snapshots.fetch().ok());
    std::vector<BalancePoint> points;
    std::vector<double> flows;
    LiveResult<BalanceEntry> byDate(context, BalanceEntry::Date, SortDirection::Ascending);
    LiveResult<BalanceEntry> byBalance(context, BalanceEntry::Balance, SortDirection::Descending);
    LiveResult<BalanceEntry> byNote(context, BalanceEntry::Note, SortDirection::Ascending);
    Mirror<BalanceEntry> dates(byDate), balances(byBalance), notes(byNote);
    for (auto* result : {&byDate, &byBalance, &byNote})
        ASSERT_TRUE(result->fetch().ok());

    std::mt19937 random(20261206);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const auto anyEntry = [&]() -> std::shared_ptr<BalanceEntry> {
        const auto& all = byDate.objects();
        return all.empty() ? nullptr : all[static_cast<std::size_t>(pick(static_cast<int>(all.size())))];
    };
    const auto fewNotes = [&]() -> std::optional<QString> {
        const int note = pick(4);
        return note == 0 ? std::nullopt : std::optional<QString>(QString::number(note));
    };
    const auto backgroundEdit = [&] {
        store.container->newBackgroundContext()->performAndWait([&](ObjectContext& other) {
            auto entries = other.fetchBalanceEntries().value();
            if (!entries.empty() && pick(2) == 0)
                other.remove(entries[static_cast<std::size_t>(pick(static_cast<int>(entries.size())))]);
            if (!entries.empty())
                entries[static_cast<std::size_t>(pick(static_cast<int>(entries.size())))]->setBalance(pick(5));
            addEntry(other, pick(6), pick(5));
            ASSERT_TRUE(other.save().ok());
        });
    };

    for (int pass = 0; pass < 300; ++pass) {
        for (int edit = pick(4) + 1; edit > 0; --edit) {
            switch (pick(10)) {
            case 0:
            case 1: {
                auto entry = addEntry(context, pick(6), pick(5));
                entry->setNote(fewNotes());
                entry->setAdjustment(0.1 * (pick(7) - 3));
                break;
            }
            case 2:
                if (auto entry = anyEntry()) {
                    UserAction action(context);
                    context.remove(entry);
                    (void)action.save(QStringLiteral("Delete Entry"));
                }
                break;
            case 3:
                if (auto entry = anyEntry())
                    entry->setDate(instantFromMilliseconds(pick(6)));
                break;
            case 4:
                if (auto entry = anyEntry()) {
                    UserAction action(context);
                    entry->setBalance(pick(5));
                    entry->setAdjustment(0.3 * pick(3));
                    entry->setNote(fewNotes());
                    (void)action.save(QStringLiteral("Edit Entry"));
                }
                break;
            case 5: (void)undo.undo(); break;
            case 6: (void)undo.redo(); break;
            case 7: ASSERT_TRUE(context.save().ok()); break;
            case 8: backgroundEdit(); break;
            case 9:
                if (pick(8) == 0)
                    context.rollback();
                break;
            }
        }
        settle();
        for (auto* result : {&byDate, &byBalance, &byNote}) {
            auto fresh = context.fetchBalanceEntries(static_cast<BalanceEntry::Attribute>(result == &byDate ? BalanceEntry::Date
                                                                                          : result == &byBalance ? BalanceEntry::Balance
                                                                                                                 : BalanceEntry::Note),
                                                     result == &byBalance ? SortDirection::Descending : SortDirection::Ascending);
            settle();
            ASSERT_TRUE(std::ranges::equal(result->objects(), fresh.value())) << "pass " << pass;
            for (int row = 0; row < result->size(); ++row)
                ASSERT_EQ(result->indexOf(*result->objects()[static_cast<std::size_t>(row)]), row);
        }
        const auto afresh = statsInputs(context.fetchBalanceEntries(BalanceEntry::Date, SortDirection::Ascending).value());
        const auto& inputs = *snapshots.inputs();
        ASSERT_EQ(inputs.size(), afresh.size());
        for (std::size_t i = 0; i < inputs.size(); ++i)
            ASSERT_TRUE(inputs[i].id == afresh[i].id && inputs[i].date == afresh[i].date && inputs[i].balance == afresh[i].balance &&
                        inputs[i].adjustment == afresh[i].adjustment)
                << "pass " << pass << ", row " << i;
        PortfolioStats::updateSeries(inputs, snapshots.takeFirstChangedRow(), points, flows);
        const auto series = PortfolioStats::series(afresh);
        ASSERT_EQ(points.size(), series.size());
        for (std::size_t i = 0; i < series.size(); ++i)
            ASSERT_TRUE(points[i].id == series[i].id && points[i].balance == series[i].balance && points[i].adjusted == series[i].adjusted)
                << "pass " << pass << ", point " << i;
    }
    // Every kind of announcement was exercised, and resets stayed rare (rollbacks only).
    EXPECT_GT(dates.moves, 0);
    EXPECT_GT(dates.removes, 0);
    EXPECT_GT(dates.inserts, 0);
    EXPECT_GT(balances.updates, 0);
    EXPECT_LT(notes.resets, 60);
}

TEST_F(LiveResultTest, OneEditedSortKeyMovesItsRowAndNothingElse)
{
    auto early = addEntry(context, 100, 1);
    addEntry(context, 200, 2);
    addEntry(context, 300, 3);
    settle();
    LiveResult<BalanceEntry> byDate(context, BalanceEntry::Date, SortDirection::Ascending);
    ASSERT_TRUE(byDate.fetch().ok());
    Mirror<BalanceEntry> mirror(byDate);

    early->setDate(instantFromMilliseconds(250));
    settle();
    EXPECT_EQ(byDate.indexOf(*early), 1);
    EXPECT_EQ(std::tuple(mirror.moves, mirror.updates, mirror.inserts, mirror.removes, mirror.resets), std::tuple(1, 1, 0, 0, 0));
    EXPECT_EQ(balancesOf({byDate.objects().begin(), byDate.objects().end()}), (std::vector<double>{2, 1, 3}));
}

} // namespace

// A commit of another context taken in as its objects: no list shows any of them before all of
// them, a change made meanwhile is kept, and every list then equals a fresh fetch. With another
// writer's rows in between, the rows are read from the store instead. Undo and Redo of the
// import leave and bring back all of them at once as well.
TEST_F(LiveResultTest, AnAdoptedCommitArrivesWholeInEveryList)
{
    for (const bool otherWriterBetween : {false, true}) {
        const double first = otherWriterBetween ? 1e6 : 1e3; // the adopted balances, from here up
        for (int day = 0; day < 40; ++day)
            addEntry(context, day % 7, day);
        ASSERT_TRUE(context.save().ok());
        LiveResult<BalanceEntry> ascending(context, BalanceEntry::Date, SortDirection::Ascending);
        LiveResult<BalanceEntry> descending(context, BalanceEntry::Date, SortDirection::Descending);
        LiveResult<BalanceEntry> byBalance(context, BalanceEntry::Balance, SortDirection::Ascending);
        Mirror<BalanceEntry> mirrors[] = {Mirror<BalanceEntry>(ascending), Mirror<BalanceEntry>(descending), Mirror<BalanceEntry>(byBalance)};
        for (auto* result : {&ascending, &descending, &byBalance})
            ASSERT_TRUE(result->fetch().ok());

        ObjectContext::MergeHold hold = context.holdMerges();
        auto committed = std::make_shared<CommittedEntries>();
        store.container->newBackgroundContext()->performAndWait([&](ObjectContext& other) {
            if (otherWriterBetween) {
                addEntry(other, 3, -1);
                ASSERT_TRUE(other.save().ok());
            }
            std::vector<std::shared_ptr<BalanceEntry>> inserted;
            for (int row = 0; row < 30'000; ++row)
                inserted.push_back(addEntry(other, row % 11, first + row));
            inserted.front()->setDate(std::nullopt);
            ASSERT_TRUE(other.save().ok());
            *committed = CommittedEntries::copyOf(inserted);
        });
        const auto adopted = [&](const std::shared_ptr<BalanceEntry>& entry) { return entry->balance() >= first; };
        bool done = false;
        context.adoptCommitted(committed, std::move(hold), {}, [&] { done = true; });
        addEntry(context, 5, -2); // a change while the lists prepare
        for (int pass = 0; !done && pass < 10'000; ++pass) {
            for (auto* result : {&ascending, &descending, &byBalance})
                ASSERT_TRUE(std::ranges::none_of(result->objects(), adopted));
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        ASSERT_TRUE(done);
        settle();
        for (auto* result : {&ascending, &descending, &byBalance}) {
            const auto fresh = context.fetchBalanceEntries(result == &byBalance ? BalanceEntry::Balance : BalanceEntry::Date,
                                                           result == &descending ? SortDirection::Descending : SortDirection::Ascending);
            ASSERT_TRUE(std::ranges::equal(result->objects(), fresh.value())) << otherWriterBetween;
            EXPECT_EQ(std::ranges::count_if(result->objects(), adopted), 30'000);
        }
        EXPECT_EQ(committed->objects.front()->context() == &context, !otherWriterBetween);
        ASSERT_TRUE(context.save().ok());
        if (otherWriterBetween)
            continue;
        // Undo and Redo of it in slices: again all at once in every list, and in the store;
        // an Undo whose write fails near its end leaves all of them where they were.
        undo.push(QStringLiteral("Import"), context, RecordedChange::inserted(committed->objects));
        const auto shows = [&](bool imported) {
            for (auto* result : {&ascending, &descending, &byBalance}) {
                const auto fresh = context.fetchBalanceEntries(result == &byBalance ? BalanceEntry::Balance : BalanceEntry::Date,
                                                               result == &descending ? SortDirection::Descending : SortDirection::Ascending);
                EXPECT_TRUE(std::ranges::equal(result->objects(), fresh.value())) << imported;
                EXPECT_EQ(std::ranges::count_if(result->objects(), adopted), imported ? 30'000 : 0);
            }
            store.container->newBackgroundContext()->performAndWait(
                [&](ObjectContext& other) { EXPECT_EQ(other.countBalanceEntries().value(), imported ? 30'041 : 41); });
        };
        const auto replay = [&](bool forward) {
            std::optional<Result<void>> outcome;
            const auto finished = [&](const Result<void>& result) { outcome = result; };
            forward ? undo.redoInSteps({}, finished) : undo.undoInSteps({}, finished);
            int pass = 0;
            for (; !outcome && pass < 10'000; ++pass) {
                for (auto* result : {&ascending, &descending, &byBalance})
                    EXPECT_EQ(std::ranges::count_if(result->objects(), adopted), forward ? 0 : 30'000);
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            }
            EXPECT_GT(pass, 1); // in passes, not at once
            settle();
            return outcome.value_or(Error{});
        };
        ASSERT_TRUE(execOnStore(store.path, "CREATE TRIGGER refuse BEFORE DELETE ON BalanceEntry WHEN old.balance > 30000 "
                                            "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
        const Result<void> refused = replay(false);
        EXPECT_TRUE(!refused.ok() && refused.error().message.contains(QStringLiteral("disk full")));
        shows(true);
        EXPECT_EQ(undo.undoName(), QStringLiteral("Import"));
        ASSERT_TRUE(execOnStore(store.path, "DROP TRIGGER refuse"));
        for (const bool forward : {false, true}) {
            EXPECT_TRUE(replay(forward).ok());
            shows(forward);
        }
    }
}
