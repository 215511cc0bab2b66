#pragma once

#include "model/Result.h"

#include <QList>
#include <QString>
#include <QVariantMap>

#include <cstdint>

class ObjectContext;

// What scripts may read and do, over the main context, through the shared verbs; the D-Bus
// object (WindowService) only translates. Every read fetches anew; nothing is cached.
//
// An entry or a yearly row is a dictionary of its attributes (a missing or non-finite value
// left out; dates as ISO 8601 text in UTC), its "scriptID" (the upper-case UUID, empty when it
// has none) and its "index" (its position in date order, or sort order for years). A failure
// is an Error whose `details` is the D-Bus error name.
class PortfolioScripting {
public:
    static constexpr const char* indexOutOfRange = "org.corvanta.Corvanta.Error.IndexOutOfRange";
    static constexpr const char* notFound = "org.corvanta.Corvanta.Error.NotFound";
    static constexpr const char* saveFailed = "org.corvanta.Corvanta.Error.SaveFailed";
    static constexpr const char* readFailed = "org.corvanta.Corvanta.Error.ReadFailed";

    // The figures of the properties, computed afresh.
    enum class Figure { StartingBalance, CurrentValue, NetCashFlows, InvestmentGain, GainPercent, MaximumBalance, TotalDeposits, TotalWithdrawals };

    explicit PortfolioScripting(ObjectContext& context);

    // A store that cannot be read is the error readFailed (never an empty portfolio).
    Result<std::int64_t> entryCount() const;
    Result<double> figure(Figure figure) const;

    Result<QList<QVariantMap>> balanceEntries() const;
    Result<QList<QVariantMap>> tsxYears() const;
    Result<QVariantMap> balanceEntryAt(std::int64_t index) const;
    Result<QVariantMap> tsxYearAt(std::int64_t index) const;
    // Case-sensitive; the empty text finds the first object without an id.
    Result<QVariantMap> balanceEntryByScriptID(const QString& scriptID) const;
    Result<QVariantMap> tsxYearByScriptID(const QString& scriptID) const;

    // A new entry dated now with zero amounts and no note, then `properties`: "date" (ISO 8601
    // text), "balance", "adjustment", "transfers" (numbers) each taken when of that type and
    // ignored otherwise; "note" taken when text, no note otherwise; other keys ignored. Saved
    // at once as one undo step. Returns the new entry's scriptID.
    Result<QString> createBalanceEntry(const QVariantMap& properties) const;
    // Deletes the entry at that position of the date order and saves: one undo step.
    Result<void> removeBalanceEntryAt(std::int64_t index) const;

private:
    ObjectContext& context_;
};
