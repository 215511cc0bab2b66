#include "automation/IntentsDataProvider.h"

#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"
#include "model/StatsConversions.h"
#include "services/EntryActions.h"

#include <algorithm>
#include <set>

namespace {
using Entries = std::vector<std::shared_ptr<BalanceEntry>>;

// Runs `work` over the entries of a fresh background context, ascending by date (an empty list
// when the fetch fails); only `work`'s plain result leaves the context.
template <class Work>
auto withEntries(PersistentContainer& container, Work work)
{
    decltype(work(Entries{})) result;
    container.newBackgroundContext()->performAndWait([&](ObjectContext& context) {
        auto fetched = context.fetchBalanceEntries();
        result = work(fetched ? fetched.value() : Entries{});
    });
    return result;
}

std::vector<BalanceEntryEntity> entitiesOf(const Entries& entries)
{
    std::vector<BalanceEntryEntity> entities;
    entities.reserve(entries.size());
    for (const auto& entry : entries)
        entities.push_back(BalanceEntryEntity::from(*entry));
    return entities;
}
} // namespace

namespace IntentsDataProvider {

std::vector<StatsInput> statsInputs(PersistentContainer& container)
{
    return withEntries(container, [](const Entries& entries) { return ::statsInputs(entries); });
}

std::vector<BalanceEntryEntity> allEntities(PersistentContainer& container)
{
    return withEntries(container, entitiesOf);
}

std::vector<BalanceEntryEntity> entities(const std::vector<Uuid>& ids, PersistentContainer& container)
{
    const std::set<Uuid> wanted(ids.begin(), ids.end());
    return withEntries(container, [&](const Entries& entries) {
        Entries kept;
        std::copy_if(entries.begin(), entries.end(), std::back_inserter(kept),
                     [&](const auto& entry) { return entry->id() && wanted.contains(*entry->id()); });
        return entitiesOf(kept);
    });
}

Result<BalanceEntryEntity> addEntry(BalanceEntry::Values values, PersistentContainer& container)
{
    Result<BalanceEntryEntity> result = Error{};
    container.newBackgroundContext()->performAndWait([&](ObjectContext& context) {
        auto added = EntryActions::add(context, std::move(values));
        if (!added)
            result = added.error();
        else
            result = BalanceEntryEntity::from(*added.value());
    });
    return result;
}

} // namespace IntentsDataProvider
