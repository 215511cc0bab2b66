#include "automation/BalanceEntryEntity.h"

#include "services/DisplayText.h"
#include "model/BalanceEntry.h"

BalanceEntryEntity BalanceEntryEntity::from(const BalanceEntry& entry)
{
    return BalanceEntryEntity{entry.id().value_or(Uuid::random()), entry.date().value_or(distantPast()), entry.balance(),
                              entry.adjustment(),                   entry.transfers(),                    entry.note()};
}

DisplayRepresentation BalanceEntryEntity::displayRepresentation() const
{
    return {DisplayText::date(date) + QStringLiteral(" \u2014 ") + DisplayText::currency(balance), note};
}
