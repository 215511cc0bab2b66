#include "automation/BalanceEntryQuery.h"

#include <algorithm>

namespace BalanceEntryQuery {

std::vector<BalanceEntryEntity> entities(const std::vector<Uuid>& ids, PersistentContainer& container)
{
    return IntentsDataProvider::entities(ids, container);
}

std::vector<BalanceEntryEntity> suggestedEntities(PersistentContainer& container)
{
    std::vector<BalanceEntryEntity> all = IntentsDataProvider::allEntities(container);
    const std::size_t kept = std::min(all.size(), suggestionCount);
    std::vector<BalanceEntryEntity> latest(all.end() - std::ptrdiff_t(kept), all.end());
    std::reverse(latest.begin(), latest.end());
    return latest;
}

} // namespace BalanceEntryQuery
