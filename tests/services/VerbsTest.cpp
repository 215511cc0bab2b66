#include "ActionsFixture.h"

#include "services/EntryActions.h"
#include "services/NoteRules.h"
#include "services/YearActions.h"

#include <functional>
#include <limits>

namespace {

Instant day(long long n) { return instantFromMilliseconds(1780000000000LL + n * 86400000LL); }

// Two stored entries and one stored year; every verb below works on them.
class Verbs : public ActionsFixture {
protected:
    void SetUp() override
    {
        first_ = EntryActions::add(context(), {.date = day(0), .balance = 100}).value();
        second_ = EntryActions::add(context(), {.date = day(1), .balance = 200, .note = QStringLiteral("kept")}).value();
        year_ = YearActions::add(context(), {.year = 2024, .tsxReturn = 0.1, .actualStart = 100}).value();
        second_->setId(std::nullopt); // as stored by an older version: an editor Save gives it one
        ASSERT_TRUE(context().save().ok());
        undo_.removeAllActions();
    }

    std::shared_ptr<BalanceEntry> first_, second_;
    std::shared_ptr<TSXYear> year_;
};

struct Verb {
    const char* name;
    const char* step; // the undo step's name
    std::function<Result<void>(ObjectContext&, const std::shared_ptr<BalanceEntry>&, const std::shared_ptr<BalanceEntry>&,
                               const std::shared_ptr<TSXYear>&)>
        run;
};

template <class T>
Result<void> done(const Result<T>& result) { return result ? Result<void>() : result.error(); }

const Verb verbs[] = {
    {"AddEntry", "Add Entry", [](auto& c, auto&, auto&, auto&) { return done(EntryActions::add(c, {.date = day(2), .balance = 5, .note = QStringLiteral("n")})); }},
    {"UpdateEntry", "Edit Entry", [](auto& c, auto& a, auto&, auto&) { return EntryActions::update(c, a, {.date = day(5), .balance = 7, .adjustment = -1}); }},
    {"UpdateEntryWithoutId", "Edit Entry", [](auto& c, auto&, auto& b, auto&) { return EntryActions::update(c, b, {.date = day(1), .balance = 3}); }},
    {"UpdateDetachedEntry", "Edit Entry", [](auto& c, auto&, auto&, auto&) {
         return EntryActions::update(c, std::make_shared<BalanceEntry>(), {.date = day(3), .balance = 9});
     }},
    {"RemoveEntries", "Delete 2 Entries", [](auto& c, auto& a, auto& b, auto&) { return EntryActions::remove(c, {a, b}); }},
    {"AddYear", "Add Year 2025", [](auto& c, auto&, auto&, auto&) { return done(YearActions::add(c, {.year = 2025, .label = QStringLiteral("YTD")})); }},
    {"UpdateYear", "Edit Year 2023", [](auto& c, auto&, auto&, auto& y) { return YearActions::update(c, y, {.year = 2023, .tsxReturn = -0.05, .sortOrder = 3}); }},
    {"RemoveYear", "Delete Year 2024", [](auto& c, auto&, auto&, auto& y) { return YearActions::remove(c, {y}); }},
};

void PrintTo(const Verb& verb, std::ostream* out) { *out << verb.name; }

class EachVerb : public Verbs, public testing::WithParamInterface<Verb> {
protected:
    Result<void> run() { return GetParam().run(context(), first_, second_, year_); }
};

// Saved at once; one named undo step that restores every attribute of every row (an absent
// id included), saved, and a redo that brings the change back.
TEST_P(EachVerb, SavesAndUndoesAsOneStep)
{
    const std::string before = shown();
    ASSERT_TRUE(run().ok());
    const std::string after = shown();
    EXPECT_NE(after, before);
    EXPECT_EQ(stored(), after);
    EXPECT_FALSE(context().hasChanges());
    EXPECT_EQ(undo_.undoName(), QString::fromUtf8(GetParam().step));

    ASSERT_TRUE(undo_.undo().ok());
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(std::tuple(undo_.canUndo(), undo_.redoName()), std::tuple(false, QString::fromUtf8(GetParam().step)));
    ASSERT_TRUE(undo_.redo().ok());
    EXPECT_EQ(shown(), after);
    EXPECT_EQ(stored(), after);
    EXPECT_TRUE(undo_.canUndo());
}

// A failed save takes the verb's change back: the context, the store and the undo history
// (here a redo waiting) are as before, and nothing stays pending for a later save to write.
TEST_P(EachVerb, FailedSaveLeavesNothingBehind)
{
    ASSERT_TRUE(EntryActions::add(context(), {.date = day(9), .balance = 900}).ok());
    ASSERT_TRUE(undo_.undo().ok());
    const std::string before = shown();
    ASSERT_TRUE(refuseWrites());

    const Result<void> result = run();
    ASSERT_FALSE(result.ok());
    EXPECT_TRUE(result.error().message.contains(QStringLiteral("disk full"))) << result.error().message.toStdString();
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(stored(), before);
    EXPECT_FALSE(context().hasChanges());
    EXPECT_FALSE(undo_.canUndo());
    ASSERT_TRUE(refuseWrites(false));
    ASSERT_TRUE(undo_.redo().ok());
    EXPECT_NE(shown().find("900.000000"), std::string::npos);
}

// With another change already pending, only the verb's own change is taken back.
TEST_P(EachVerb, FailedSaveKeepsOtherPendingChanges)
{
    auto spare = EntryActions::add(context(), {.date = day(8), .balance = 800}).value();
    ASSERT_TRUE(refuseWrites());
    spare->setBalance(801);
    const std::string before = shown();

    EXPECT_FALSE(run().ok());
    EXPECT_EQ(shown(), before);
    EXPECT_TRUE(context().hasChanges());
}

INSTANTIATE_TEST_SUITE_P(Actions, EachVerb, testing::ValuesIn(verbs), [](const auto& info) { return std::string(info.param.name); });

TEST_F(Verbs, BuildsEntriesByTheSameRules)
{
    const Uuid given = Uuid::random();
    auto withId = EntryActions::add(context(), {.id = given, .date = day(2), .note = QString()}).value();
    EXPECT_EQ(withId->id(), given);
    EXPECT_EQ(withId->note(), std::nullopt); // an empty note is no note
    auto blanks = EntryActions::add(context(), {.date = day(3), .note = QStringLiteral("  ")}).value();
    EXPECT_EQ(blanks->note(), QStringLiteral("  "));
    EXPECT_TRUE(blanks->id().has_value());

    // An update never changes an id; an entry without one gets one.
    const auto kept = first_->id();
    ASSERT_TRUE(EntryActions::update(context(), first_, {.id = given, .balance = 1}).ok());
    EXPECT_EQ(first_->id(), kept);
    auto bare = std::make_shared<BalanceEntry>();
    ASSERT_TRUE(EntryActions::update(context(), bare, {.balance = 2}).ok());
    EXPECT_TRUE(bare->id().has_value());
    EXPECT_EQ(bare->context(), &context());
}

// Non-finite amounts and notes over 1 MiB (counted in UTF-8 bytes) are refused, and objects
// of another store are left alone.
TEST_F(Verbs, RefusalsChangeNothing)
{
    const std::string before = shown();
    const double bad[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()};
    for (double value : bad) {
        EXPECT_EQ(EntryActions::add(context(), {.balance = value}).error().message, QStringLiteral("Balance must be a finite number."));
        EXPECT_FALSE(EntryActions::update(context(), first_, {.adjustment = value}).ok());
        EXPECT_FALSE(EntryActions::add(context(), {.transfers = value}).ok());
        EXPECT_FALSE(YearActions::add(context(), {.tsxReturn = value}).ok());
        EXPECT_FALSE(YearActions::update(context(), year_, {.actualEnd = value}).ok());
    }
    const QString longest(NoteRules::maxNoteBytes / 2, QChar(0xE9)); // two bytes each
    const QString tooLong = longest + QLatin1Char('x');
    EXPECT_TRUE(EntryActions::add(context(), {.balance = 1, .note = tooLong}).error().message.startsWith(QStringLiteral("The note is too long")));
    EXPECT_FALSE(EntryActions::update(context(), first_, {.balance = 1, .note = tooLong}).ok());
    EXPECT_FALSE(NoteRules::refusal(longest));
    auto other = PersistentContainer::openInMemory().value();
    auto foreign = EntryActions::add(other->viewContext(), {.balance = 1}).value();
    EXPECT_FALSE(EntryActions::update(context(), foreign, {.balance = 2}).ok());
    EXPECT_TRUE(EntryActions::remove(context(), {foreign}).ok());
    EXPECT_EQ(foreign->balance(), 1);
    EXPECT_EQ(shown(), before);
    EXPECT_FALSE(undo_.canUndo());
}

} // namespace
