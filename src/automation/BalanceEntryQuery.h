#pragma once

#include "automation/IntentsDataProvider.h"

// How an entry is found from outside the window: by id, or among the suggestions offered when
// one must be picked. Never fails: a store that cannot be read gives empty lists.
namespace BalanceEntryQuery {
inline constexpr std::size_t suggestionCount = 20;

// The entries with these ids, ascending by date, each once (see IntentsDataProvider).
std::vector<BalanceEntryEntity> entities(const std::vector<Uuid>& ids,
                                         PersistentContainer& container = IntentsDataProvider::sharedContainer());
// The 20 latest entries, the latest first.
std::vector<BalanceEntryEntity> suggestedEntities(PersistentContainer& container = IntentsDataProvider::sharedContainer());
} // namespace BalanceEntryQuery
