#pragma once

#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <memory>
#include <vector>

// Small helpers shared by the store's tests.

inline std::shared_ptr<BalanceEntry> addEntry(ObjectContext& context, long long dateMilliseconds, double balance)
{
    auto entry = BalanceEntry::create(context);
    entry->setId(Uuid::random());
    entry->setDate(instantFromMilliseconds(dateMilliseconds));
    entry->setBalance(balance);
    return entry;
}

inline std::vector<double> balancesOf(const std::vector<std::shared_ptr<BalanceEntry>>& entries)
{
    std::vector<double> balances;
    for (const auto& entry : entries)
        balances.push_back(entry->balance());
    return balances;
}

inline std::vector<double> fetchedBalances(ObjectContext& context, SortDirection direction = SortDirection::Ascending)
{
    auto entries = context.fetchBalanceEntries(BalanceEntry::Date, direction);
    return entries.ok() ? balancesOf(entries.value()) : std::vector<double>{};
}

// Runs the event loop until `signal` has fired, or fails after a few seconds.
inline bool waitFor(QSignalSpy& spy, int timeoutMilliseconds = 10000)
{
    return spy.count() > 0 || spy.wait(timeoutMilliseconds);
}
