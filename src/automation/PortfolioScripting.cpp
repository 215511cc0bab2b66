#include "automation/PortfolioScripting.h"

#include "automation/CommandLine.h"
#include "model/LiveSnapshots.h"
#include "model/NewEntry.h"
#include "model/ObjectContext.h"
#include "services/EntryActions.h"
#include "services/JsonEncoding.h"
#include "services/NoteRules.h"
#include "analytics/PortfolioStats.h"

#include <QCoreApplication>
#include <QJsonObject>

#include <chrono>
#include <cmath>
#include <span>

namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(PortfolioScripting)
};

using Figure = PortfolioScripting::Figure;

Error refusal(const char* name, const QString& message) { return Error{message, QString::fromUtf8(name)}; }

template <class T>
Error readFailure(const Result<T>& read)
{
    return refusal(PortfolioScripting::readFailed, read.error().message);
}

// The attributes that are counts, not amounts: every other number goes out as a double, so a
// script never sees an amount change type with its value.
bool isInteger(const QString& key) { return key == QLatin1String("year") || key == QLatin1String("sortOrder"); }

// The JSON form without its nulls (D-Bus has none): absent attributes are left out.
QVariantMap dictionary(const QJsonObject& json, std::int64_t index)
{
    QVariantMap map;
    for (auto it = json.begin(); it != json.end(); ++it) {
        const QJsonValue value = it.value();
        if (value.isDouble())
            map.insert(it.key(), isInteger(it.key()) ? QVariant(value.toInteger()) : QVariant(value.toDouble()));
        else if (!value.isNull())
            map.insert(it.key(), value.toVariant());
    }
    map.insert(QStringLiteral("scriptID"), json.value(QStringLiteral("id")).toString());
    map.insert(QStringLiteral("index"), qlonglong(index));
    return map;
}

// What a dictionary adds to a reply, roughly: its fixed part, and its note at most three bytes
// per UTF-16 unit.
std::int64_t replyBytes(const BalanceEntry& entry) { return 256 + 3 * std::int64_t(entry.note() ? entry.note()->size() : 0); }

Error tooLargeFor(std::int64_t count)
{
    return refusal(PortfolioScripting::tooLarge,
                   Words::tr("%1 entries do not fit one reply: read them in parts with BalanceEntriesRange(offset, count), "
                             "at most %2 at a time")
                       .arg(count)
                       .arg(PortfolioScripting::maximumReplyEntries));
}

// The entries from `offset` on, at most `count` of them, and fewer once the reply's budget
// is spent (never none when one was asked for and exists: a single entry over the budget is
// tooLarge instead).
template <class Entries>
Result<QList<QVariantMap>> entryRange(const Entries& entries, std::size_t offset, std::size_t count)
{
    QList<QVariantMap> list;
    const std::size_t end = offset >= entries.size() ? offset : std::min(entries.size(), offset + count);
    std::int64_t bytes = 0;
    for (std::size_t i = offset; i < end; ++i) {
        bytes += replyBytes(*entries[i]);
        if (bytes > PortfolioScripting::maximumReplyBytes) {
            if (list.isEmpty())
                return tooLargeFor(1);
            break;
        }
        list.append(dictionary(JsonEncoding::entry(*entries[i]), std::int64_t(i)));
    }
    return list;
}

template <class Objects>
Result<typename Objects::value_type> objectAt(const Objects& objects, std::int64_t index)
{
    if (index < 0 || std::uint64_t(index) >= objects.size())
        return refusal(PortfolioScripting::indexOutOfRange,
                       Words::tr("Index %1 is outside 0 to %2").arg(index).arg(qlonglong(objects.size()) - 1));
    return objects[std::size_t(index)];
}

template <class Objects, class Encode>
Result<QVariantMap> atIndex(const Objects& objects, std::int64_t index, Encode encode)
{
    auto object = objectAt(objects, index);
    if (!object)
        return object.error();
    return dictionary(encode(*object.value()), index);
}

// Compares bytes, not texts: only the exact upper-case form of an id names it. `snapshots`,
// when given, run parallel to the objects: their ids lie side by side, so most objects are
// passed over without being read (an object without an id has a drawn one there, so each
// match is checked on the object itself).
template <class Objects, class Encode>
Result<QVariantMap> byScriptID(const Objects& objects, const QString& scriptID, Encode encode, std::span<const StatsInput> snapshots = {})
{
    const std::string text = scriptID.toStdString();
    std::optional<Uuid> wanted = Uuid::fromString(text);
    if (wanted && wanted->toString() != text)
        wanted.reset();
    const bool parallel = wanted && snapshots.size() == objects.size();
    if (wanted || text.empty())
        for (std::size_t i = 0; i < objects.size(); ++i)
            if ((!parallel || snapshots[i].id == *wanted) && objects[i]->id() == wanted)
                return dictionary(encode(*objects[i]), std::int64_t(i));
    return refusal(PortfolioScripting::notFound, Words::tr("No object has the scriptID \"%1\"").arg(scriptID));
}

// The yearly rows are few: each request fetches them.
template <class Answer>
auto withYears(ObjectContext& context, Answer answer) -> decltype(answer(std::vector<std::shared_ptr<TSXYear>>{}))
{
    auto years = context.fetchTSXYears();
    if (!years)
        return readFailure(years);
    return answer(years.value());
}

std::optional<double> numberIn(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar: return value.toDouble();
    default: return std::nullopt;
    }
}

Error invalid(const QString& key, const QString& expectation)
{
    return refusal(PortfolioScripting::invalidArgument, Words::tr("\"%1\" must be %2").arg(key, expectation));
}

// The creation properties as an entry's values, dated now unless they say otherwise.
Result<BalanceEntry::Values> entryValues(const QVariantMap& properties, Instant now)
{
    BalanceEntry::Values values;
    values.date = now;
    const std::pair<const char*, double*> amounts[] = {
        {"balance", &values.balance}, {"adjustment", &values.adjustment}, {"transfers", &values.transfers}};
    for (auto it = properties.begin(); it != properties.end(); ++it) {
        const QString& key = it.key();
        const QVariant& value = it.value();
        if (key == QLatin1String("date")) {
            values.date = value.typeId() == QMetaType::QString ? CommandLine::parseDate(value.toString()) : std::nullopt;
            if (!values.date)
                return invalid(key, Words::tr("a date as text, YYYY-MM-DD or an ISO 8601 date-time (years 1 to 9999)"));
        } else if (key == QLatin1String("note")) {
            values.note = value.typeId() == QMetaType::QString ? std::optional<QString>(value.toString()) : std::nullopt;
            if (auto tooLong = NoteRules::refusal(values.note))
                return refusal(PortfolioScripting::invalidArgument, QStringLiteral("\"note\": ") + *tooLong);
        }
        for (auto [name, slot] : amounts) {
            if (key != QLatin1String(name))
                continue;
            const std::optional<double> number = numberIn(value);
            if (!number || !std::isfinite(*number))
                return invalid(key, number ? Words::tr("a finite number") : Words::tr("a number, not %1").arg(QString::fromUtf8(value.typeName())));
            *slot = *number;
        }
    }
    return values;
}

// The figures of the properties over one list of entries.
struct Figures {
    PortfolioSummary summary;
    double maxBalance = 0;
    double totalDeposits = 0;
    double totalWithdrawals = 0;

    static Figures of(std::span<const StatsInput> inputs)
    {
        return {PortfolioStats::summary(inputs), PortfolioStats::maxBalance(inputs), PortfolioStats::totalDeposits(inputs),
                PortfolioStats::totalWithdrawals(inputs)};
    }

    double operator[](Figure figure) const
    {
        switch (figure) {
        case Figure::StartingBalance: return summary.startingBalance;
        case Figure::CurrentValue: return summary.currentValue;
        case Figure::NetCashFlows: return summary.netCashFlows;
        case Figure::InvestmentGain: return summary.investmentGain;
        case Figure::GainPercent: return summary.gainPercent;
        case Figure::MaximumBalance: return maxBalance;
        case Figure::TotalDeposits: return totalDeposits;
        case Figure::TotalWithdrawals: return totalWithdrawals;
        }
        return 0;
    }
};

Instant now() { return std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now()); }
} // namespace

struct PortfolioScripting::LiveEntries {
    explicit LiveEntries(ObjectContext& context) : snapshots(context, [this] { figures.reset(); }) {}
    const LiveResult<BalanceEntry>::Objects& entries() const { return snapshots.entries(); }

    LiveSnapshots snapshots;
    bool loaded = false;
    std::optional<Figures> figures; // of the list as it stands
};

PortfolioScripting::PortfolioScripting(ObjectContext& context) : context_(context), live_(std::make_unique<LiveEntries>(context)) {}

PortfolioScripting::~PortfolioScripting() = default;

Result<const PortfolioScripting::LiveEntries*> PortfolioScripting::liveEntries() const
{
    // What another process committed, or a change not yet announced, reaches the list first.
    context_.processPendingChanges();
    if (!live_->loaded) {
        if (auto loaded = live_->snapshots.fetch(); !loaded)
            return refusal(readFailed, loaded.error().message);
        live_->loaded = true;
    }
    return live_.get();
}

Result<std::int64_t> PortfolioScripting::entryCount() const
{
    auto count = context_.countBalanceEntries();
    if (!count)
        return readFailure(count);
    return count;
}

Result<double> PortfolioScripting::figure(Figure figure) const
{
    auto live = liveEntries();
    if (!live)
        return live.error();
    if (!live_->figures)
        live_->figures = Figures::of(*live_->snapshots.inputs());
    return (*live_->figures)[figure];
}

Result<QList<QVariantMap>> PortfolioScripting::balanceEntries() const
{
    auto live = liveEntries();
    if (!live)
        return live.error();
    const auto& entries = live.value()->entries();
    const auto count = std::int64_t(entries.size());
    if (count > maximumReplyEntries)
        return tooLargeFor(count);
    auto list = entryRange(entries, 0, entries.size());
    if (list && list.value().size() < count)
        return tooLargeFor(count);
    return list;
}

Result<QList<QVariantMap>> PortfolioScripting::balanceEntriesRange(std::int64_t offset, std::int64_t count) const
{
    if (offset < 0)
        return invalid(QStringLiteral("offset"), Words::tr("zero or more"));
    if (count < 0 || count > maximumReplyEntries)
        return invalid(QStringLiteral("count"), Words::tr("between 0 and %1").arg(maximumReplyEntries));
    auto live = liveEntries();
    if (!live)
        return live.error();
    return entryRange(live.value()->entries(), std::size_t(offset), std::size_t(count));
}

Result<QList<QVariantMap>> PortfolioScripting::tsxYears() const
{
    return withYears(context_, [](const auto& years) -> Result<QList<QVariantMap>> {
        QList<QVariantMap> list;
        for (std::size_t i = 0; i < years.size(); ++i)
            list.append(dictionary(JsonEncoding::year(*years[i]), std::int64_t(i)));
        return list;
    });
}

Result<QVariantMap> PortfolioScripting::balanceEntryAt(std::int64_t index) const
{
    auto live = liveEntries();
    if (!live)
        return live.error();
    return atIndex(live.value()->entries(), index, JsonEncoding::entry);
}

Result<QVariantMap> PortfolioScripting::tsxYearAt(std::int64_t index) const
{
    return withYears(context_, [&](const auto& years) { return atIndex(years, index, JsonEncoding::year); });
}

Result<QVariantMap> PortfolioScripting::balanceEntryByScriptID(const QString& scriptID) const
{
    auto live = liveEntries();
    if (!live)
        return live.error();
    return byScriptID(live.value()->entries(), scriptID, JsonEncoding::entry, *live.value()->snapshots.inputs());
}

Result<QVariantMap> PortfolioScripting::tsxYearByScriptID(const QString& scriptID) const
{
    return withYears(context_, [&](const auto& years) { return byScriptID(years, scriptID, JsonEncoding::year); });
}

Result<QString> PortfolioScripting::createBalanceEntry(const QVariantMap& properties) const
{
    auto values = entryValues(properties, now());
    if (!values)
        return values.error();
    auto added = EntryActions::add(context_, std::move(values).value(), EntryActions::EmptyNote::Kept);
    if (!added)
        return refusal(saveFailed, added.error().message);
    return QString::fromStdString(added.value()->id()->toString());
}

Result<void> PortfolioScripting::removeBalanceEntryAt(std::int64_t index) const
{
    auto live = liveEntries();
    if (!live)
        return live.error();
    auto entry = objectAt(live.value()->entries(), index);
    if (!entry)
        return entry.error();
    if (auto removed = EntryActions::remove(context_, {entry.value()}); !removed)
        return refusal(saveFailed, removed.error().message);
    return {};
}
