#include "automation/PortfolioScripting.h"

#include "automation/CommandLine.h"
#include "model/NewEntry.h"
#include "model/ObjectContext.h"
#include "model/StatsConversions.h"
#include "services/EntryActions.h"
#include "services/JsonEncoding.h"
#include "services/NoteRules.h"
#include "services/PortfolioFigures.h"

#include <QJsonObject>

#include <chrono>
#include <cmath>

namespace {
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
                   QStringLiteral("%1 entries do not fit one reply: read them in parts with BalanceEntriesRange(offset, count), "
                                  "at most %2 at a time")
                       .arg(count)
                       .arg(PortfolioScripting::maximumReplyEntries));
}

// The entries from `offset` on, at most `count` of them, and fewer once the reply's budget
// is spent (never none when one was asked for and exists: a single entry over the budget is
// tooLarge instead).
Result<QList<QVariantMap>> entryRange(const std::vector<std::shared_ptr<BalanceEntry>>& entries, std::size_t offset, std::size_t count)
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

template <class Object>
Result<std::shared_ptr<Object>> objectAt(const Result<std::vector<std::shared_ptr<Object>>>& fetched, std::int64_t index)
{
    if (!fetched)
        return readFailure(fetched);
    const auto& objects = fetched.value();
    if (index < 0 || std::uint64_t(index) >= objects.size())
        return refusal(PortfolioScripting::indexOutOfRange,
                       QStringLiteral("Index %1 is outside 0 to %2").arg(index).arg(qlonglong(objects.size()) - 1));
    return objects[std::size_t(index)];
}

template <class Object, class Encode>
Result<QVariantMap> atIndex(const Result<std::vector<std::shared_ptr<Object>>>& fetched, std::int64_t index, Encode encode)
{
    auto object = objectAt(fetched, index);
    if (!object)
        return object.error();
    return dictionary(encode(*object.value()), index);
}

// Compares bytes, not texts: only the exact upper-case form of an id names it.
template <class Object, class Encode>
Result<QVariantMap> byScriptID(const Result<std::vector<std::shared_ptr<Object>>>& fetched, const QString& scriptID, Encode encode)
{
    if (!fetched)
        return readFailure(fetched);
    const std::string text = scriptID.toStdString();
    std::optional<Uuid> wanted = Uuid::fromString(text);
    if (wanted && wanted->toString() != text)
        wanted.reset();
    const auto& objects = fetched.value();
    if (wanted || text.empty())
        for (std::size_t i = 0; i < objects.size(); ++i)
            if (objects[i]->id() == wanted)
                return dictionary(encode(*objects[i]), std::int64_t(i));
    return refusal(PortfolioScripting::notFound, QStringLiteral("No object has the scriptID \"%1\"").arg(scriptID));
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
    return refusal(PortfolioScripting::invalidArgument, QStringLiteral("\"%1\" must be %2").arg(key, expectation));
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
                return invalid(key, QStringLiteral("a date as text, YYYY-MM-DD or an ISO 8601 date-time (years 1 to 9999)"));
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
                return invalid(key, number ? QStringLiteral("a finite number") : QStringLiteral("a number, not %1").arg(QString::fromUtf8(value.typeName())));
            *slot = *number;
        }
    }
    return values;
}

double figureOf(const PortfolioStatistics& s, Figure figure)
{
    switch (figure) {
    case Figure::StartingBalance: return s.summary.startingBalance;
    case Figure::CurrentValue: return s.summary.currentValue;
    case Figure::NetCashFlows: return s.summary.netCashFlows;
    case Figure::InvestmentGain: return s.summary.investmentGain;
    case Figure::GainPercent: return s.summary.gainPercent;
    case Figure::MaximumBalance: return s.maxBalance;
    case Figure::TotalDeposits: return s.totalDeposits;
    case Figure::TotalWithdrawals: return s.totalWithdrawals;
    }
    return 0;
}

Instant now() { return std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now()); }
} // namespace

PortfolioScripting::PortfolioScripting(ObjectContext& context) : context_(context) {}

Result<std::int64_t> PortfolioScripting::entryCount() const
{
    auto count = context_.countBalanceEntries();
    if (!count)
        return readFailure(count);
    return count;
}

Result<double> PortfolioScripting::figure(Figure figure) const
{
    auto statistics = PortfolioFigures::statistics(context_, now());
    if (!statistics)
        return readFailure(statistics);
    return figureOf(statistics.value(), figure);
}

Result<QList<QVariantMap>> PortfolioScripting::balanceEntries() const
{
    auto count = context_.countBalanceEntries();
    if (!count)
        return readFailure(count);
    if (count.value() > maximumReplyEntries)
        return tooLargeFor(count.value());
    auto entries = context_.fetchBalanceEntries();
    if (!entries)
        return readFailure(entries);
    auto list = entryRange(entries.value(), 0, entries.value().size());
    if (list && list.value().size() < qsizetype(entries.value().size()))
        return tooLargeFor(count.value());
    return list;
}

Result<QList<QVariantMap>> PortfolioScripting::balanceEntriesRange(std::int64_t offset, std::int64_t count) const
{
    if (offset < 0)
        return invalid(QStringLiteral("offset"), QStringLiteral("zero or more"));
    if (count < 0 || count > maximumReplyEntries)
        return invalid(QStringLiteral("count"), QStringLiteral("between 0 and %1").arg(maximumReplyEntries));
    auto entries = context_.fetchBalanceEntries();
    if (!entries)
        return readFailure(entries);
    return entryRange(entries.value(), std::size_t(offset), std::size_t(count));
}

Result<QList<QVariantMap>> PortfolioScripting::tsxYears() const
{
    auto years = context_.fetchTSXYears();
    if (!years)
        return readFailure(years);
    QList<QVariantMap> list;
    for (std::size_t i = 0; i < years.value().size(); ++i)
        list.append(dictionary(JsonEncoding::year(*years.value()[i]), std::int64_t(i)));
    return list;
}

Result<QVariantMap> PortfolioScripting::balanceEntryAt(std::int64_t index) const
{
    return atIndex(context_.fetchBalanceEntries(), index, JsonEncoding::entry);
}

Result<QVariantMap> PortfolioScripting::tsxYearAt(std::int64_t index) const
{
    return atIndex(context_.fetchTSXYears(), index, JsonEncoding::year);
}

Result<QVariantMap> PortfolioScripting::balanceEntryByScriptID(const QString& scriptID) const
{
    return byScriptID(context_.fetchBalanceEntries(), scriptID, JsonEncoding::entry);
}

Result<QVariantMap> PortfolioScripting::tsxYearByScriptID(const QString& scriptID) const
{
    return byScriptID(context_.fetchTSXYears(), scriptID, JsonEncoding::year);
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
    auto entry = objectAt(context_.fetchBalanceEntries(), index);
    if (!entry)
        return entry.error();
    if (auto removed = EntryActions::remove(context_, {entry.value()}); !removed)
        return refusal(saveFailed, removed.error().message);
    return {};
}
