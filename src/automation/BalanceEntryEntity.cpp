#include "automation/BalanceEntryEntity.h"

#include "analytics/Fmt.h"
#include "services/DisplayText.h"
#include "model/BalanceEntry.h"

BalanceEntryEntity BalanceEntryEntity::from(const BalanceEntry& entry) { return from(entry.values()); }

BalanceEntryEntity BalanceEntryEntity::from(const BalanceEntry::Values& values)
{
    // (Not value_or: it would draw a random id for every entry that has one.)
    return BalanceEntryEntity{values.id ? *values.id : Uuid::random(), values.date.value_or(distantPast()), values.balance,
                              values.adjustment, values.transfers, values.note};
}

DisplayRepresentation BalanceEntryEntity::displayRepresentation() const
{
    return {title(DisplayText::date(date), balance), note};
}

QString BalanceEntryEntity::title(const QString& dateText, double balance)
{
    std::string text;
    appendTitle(text, dateText.toStdString(), balance);
    return QString::fromStdString(text);
}

void BalanceEntryEntity::appendTitle(std::string& out, std::string_view dateText, double balance)
{
    out += dateText;
    out += " \u2014 ";
    out += Fmt::currency(balance).value_or(std::string(Fmt::currencyFallback));
}
