#pragma once

#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>

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

// The number of entries the store holds, read through a fresh background context (pending
// changes of other contexts are not seen).
inline std::int64_t storedCount(PersistentContainer& container)
{
    std::int64_t count = -1;
    container.newBackgroundContext()->performAndWait([&](ObjectContext& context) { count = context.countBalanceEntries().value(); });
    return count;
}

// A store file in a temporary folder, open for the life of the object (a store that cannot
// be opened throws, which fails the test).
struct TemporaryFileStore {
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("Corvanta.sqlite"));
    std::unique_ptr<PersistentContainer> container = PersistentContainer::open(path).value();
    ObjectContext& context() { return container->viewContext(); }
};

// A live fetch result as a view keeps it: refetched whenever the context reports a change.
struct LiveBalances {
    explicit LiveBalances(ObjectContext& context) : context(context), changes(&context, &ObjectContext::objectsDidChange)
    {
        refetch();
        QObject::connect(&context, &ObjectContext::objectsDidChange, &receiver, [this]() { refetch(); });
    }
    void refetch() { balances = fetchedBalances(context); }
    // Runs the event loop until the result holds `count` entries.
    bool waitForCount(std::size_t count)
    {
        for (int round = 0; round < 20 && balances.size() != count; ++round)
            changes.wait(500);
        return balances.size() == count;
    }

    ObjectContext& context;
    QSignalSpy changes;
    std::vector<double> balances;
    QObject receiver; // ends the connection with this object
};
