#include "automation/BalanceEntryEntity.h"

#include "services/DisplayText.h"
#include "model/BalanceEntry.h"

BalanceEntryEntity BalanceEntryEntity::from(const BalanceEntry& entry) { return from(entry.values()); }

BalanceEntryEntity BalanceEntryEntity::from(const BalanceEntry::Values& values)
{
    return BalanceEntryEntity{values.id.value_or(Uuid::random()), values.date.value_or(distantPast()), values.balance,
                              values.adjustment,                  values.transfers,                  values.note};
}

DisplayRepresentation BalanceEntryEntity::displayRepresentation() const
{
    return {title(DisplayText::date(date), balance), note};
}

QString BalanceEntryEntity::title(const QString& dateText, double balance)
{
    return dateText + QStringLiteral(" \u2014 ") + DisplayText::currency(balance);
}
