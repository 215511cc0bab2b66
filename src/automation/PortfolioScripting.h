#pragma once

#include "model/Result.h"

#include <QList>
#include <QString>
#include <QVariantMap>

#include <cstdint>
#include <memory>

class ObjectContext;

// What scripts may read and do, over the main context, through the shared verbs; the D-Bus
// object (WindowService) only translates. Every request sees the context as it is: the entries
// are a live date-ordered list, loaded at the first request and kept current by the context's
// change sets (brought up to date at each request), so a request costs what it returns, not a
// fetch and sort of every entry; the figures are computed once per change of the entries, from
// the snapshots kept beside the list (LiveSnapshots), never converting every entry again.
//
// An entry or a yearly row is a dictionary of its attributes (a missing or non-finite value
// left out; dates as ISO 8601 text in UTC; amounts always doubles), its "scriptID" (the upper-case UUID, empty when it
// has none) and its "index" (its position in date order, or sort order for years). A failure
// is an Error whose `details` is the D-Bus error name.
class PortfolioScripting {
public:
    static constexpr const char* indexOutOfRange = "org.corvanta.Corvanta.Error.IndexOutOfRange";
    static constexpr const char* notFound = "org.corvanta.Corvanta.Error.NotFound";
    static constexpr const char* saveFailed = "org.corvanta.Corvanta.Error.SaveFailed";
    static constexpr const char* readFailed = "org.corvanta.Corvanta.Error.ReadFailed";
    static constexpr const char* tooLarge = "org.corvanta.Corvanta.Error.TooLarge";
    static constexpr const char* invalidArgument = "org.corvanta.Corvanta.Error.InvalidArgument";

    // One reply carries at most this many entries, and stops short of this many bytes of
    // notes: the bus drops a connection whose message passes its limit (64 MiB for an array),
    // and a long reply holds the window's event loop while it is built.
    static constexpr std::int64_t maximumReplyEntries = 10'000;
    static constexpr std::int64_t maximumReplyBytes = 32 * 1024 * 1024;

    // The figures of the properties, computed afresh.
    enum class Figure { StartingBalance, CurrentValue, NetCashFlows, InvestmentGain, GainPercent, MaximumBalance, TotalDeposits, TotalWithdrawals };

    explicit PortfolioScripting(ObjectContext& context);
    ~PortfolioScripting();
    PortfolioScripting(const PortfolioScripting&) = delete;
    PortfolioScripting& operator=(const PortfolioScripting&) = delete;

    // A store that cannot be read is the error readFailed (never an empty portfolio).
    Result<std::int64_t> entryCount() const;
    Result<double> figure(Figure figure) const;

    // Every entry, or tooLarge when they would not fit one reply.
    Result<QList<QVariantMap>> balanceEntries() const;
    // The entries at positions offset .. offset + count - 1 of the date order that exist; fewer
    // than asked when the notes reach maximumReplyBytes (the caller goes on from offset plus
    // the number received). A negative offset, or a count outside 0 .. maximumReplyEntries,
    // is invalidArgument.
    Result<QList<QVariantMap>> balanceEntriesRange(std::int64_t offset, std::int64_t count) const;
    Result<QList<QVariantMap>> tsxYears() const;
    Result<QVariantMap> balanceEntryAt(std::int64_t index) const;
    Result<QVariantMap> tsxYearAt(std::int64_t index) const;
    // Case-sensitive; the empty text finds the first object without an id.
    Result<QVariantMap> balanceEntryByScriptID(const QString& scriptID) const;
    Result<QVariantMap> tsxYearByScriptID(const QString& scriptID) const;

    // A new entry dated now with zero amounts and no note, then `properties`: "date" (ISO 8601
    // text), "balance", "adjustment", "transfers" (finite numbers); a value of another type, an
    // unreadable date or a non-finite amount is invalidArgument naming the key, and nothing is
    // added. "note" is taken when text (an empty text is an empty note), no note otherwise;
    // other keys are ignored. Saved at once as one undo step. Returns the new entry's scriptID.
    Result<QString> createBalanceEntry(const QVariantMap& properties) const;
    // Deletes the entry at that position of the date order and saves: one undo step.
    Result<void> removeBalanceEntryAt(std::int64_t index) const;

private:
    struct LiveEntries;
    // The live list, current; readFailed when it cannot be loaded.
    Result<const LiveEntries*> liveEntries() const;

    ObjectContext& context_;
    std::unique_ptr<LiveEntries> live_;
};
