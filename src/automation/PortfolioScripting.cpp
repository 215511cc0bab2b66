#include "automation/PortfolioScripting.h"

#include "automation/CommandLine.h"
#include "model/NewEntry.h"
#include "model/ObjectContext.h"
#include "model/StatsConversions.h"
#include "services/EntryActions.h"
#include "services/JsonEncoding.h"
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

// The JSON form without its nulls (D-Bus has none): absent attributes are left out.
QVariantMap dictionary(const QJsonObject& json, std::int64_t index)
{
    QVariantMap map;
    for (auto it = json.begin(); it != json.end(); ++it)
        if (!it.value().isNull())
            map.insert(it.key(), it.value().toVariant());
    map.insert(QStringLiteral("scriptID"), json.value(QStringLiteral("id")).toString());
    map.insert(QStringLiteral("index"), qlonglong(index));
    return map;
}

template <class Object, class Encode>
QList<QVariantMap> dictionaries(const std::vector<std::shared_ptr<Object>>& objects, Encode encode)
{
    QList<QVariantMap> list;
    list.reserve(qsizetype(objects.size()));
    for (std::size_t i = 0; i < objects.size(); ++i)
        list.append(dictionary(encode(*objects[i]), std::int64_t(i)));
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

template <class Object, class Encode>
Result<QVariantMap> byScriptID(const Result<std::vector<std::shared_ptr<Object>>>& fetched, const QString& scriptID, Encode encode)
{
    if (!fetched)
        return readFailure(fetched);
    const auto& objects = fetched.value();
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const auto& id = objects[i]->id();
        if ((id ? QString::fromStdString(id->toString()) : QString()) == scriptID)
            return dictionary(encode(*objects[i]), std::int64_t(i));
    }
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
    auto entries = context_.fetchBalanceEntries();
    if (!entries)
        return readFailure(entries);
    return dictionaries(entries.value(), JsonEncoding::entry);
}

Result<QList<QVariantMap>> PortfolioScripting::tsxYears() const
{
    auto years = context_.fetchTSXYears();
    if (!years)
        return readFailure(years);
    return dictionaries(years.value(), JsonEncoding::year);
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
    BalanceEntry::Values values;
    values.date = now();
    for (auto it = properties.begin(); it != properties.end(); ++it) {
        const QString& key = it.key();
        if (key == QLatin1String("date")) {
            if (it.value().typeId() == QMetaType::QString)
                if (auto date = CommandLine::parseDate(it.value().toString()))
                    values.date = date;
        } else if (key == QLatin1String("note")) {
            values.note = it.value().typeId() == QMetaType::QString ? std::optional<QString>(it.value().toString()) : std::nullopt;
        } else {
            for (auto [name, slot] : {std::pair{"balance", &values.balance}, std::pair{"adjustment", &values.adjustment},
                                      std::pair{"transfers", &values.transfers}})
                if (key == QLatin1String(name))
                    *slot = numberIn(it.value()).value_or(*slot);
        }
    }
    for (double amount : {values.balance, values.adjustment, values.transfers})
        if (!std::isfinite(amount))
            return refusal("org.freedesktop.DBus.Error.InvalidArgs", QStringLiteral("The amounts must be finite numbers"));
    auto added = EntryActions::add(context_, std::move(values));
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
