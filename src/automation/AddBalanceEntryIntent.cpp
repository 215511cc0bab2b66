#include "automation/AddBalanceEntryIntent.h"

#include "services/DisplayText.h"

Result<AddBalanceEntryIntent::Outcome> AddBalanceEntryIntent::perform(Instant now, PersistentContainer& container) const
{
    auto added = IntentsDataProvider::addEntry(
        {.date = date.value_or(now), .balance = balance, .adjustment = adjustment, .transfers = transfers, .note = note}, container);
    if (!added)
        return added.error();
    const BalanceEntryEntity& entity = added.value();
    return Outcome{entity, tr("Added %1 on %2.").arg(DisplayText::currency(balance), DisplayText::date(entity.date))};
}
