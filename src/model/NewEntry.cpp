#include "model/NewEntry.h"

std::optional<QString> noteFromText(std::optional<QString> text)
{
    if (text && text->isEmpty())
        return std::nullopt;
    return text;
}

std::shared_ptr<BalanceEntry> makeBalanceEntry(BalanceEntry::Values values)
{
    if (!values.id)
        values.id = Uuid::random();
    auto entry = std::make_shared<BalanceEntry>();
    // Detached: the setters only store the values (no change tracking, no undo).
    entry->setId(std::move(values.id));
    entry->setDate(values.date);
    entry->setBalance(values.balance);
    entry->setAdjustment(values.adjustment);
    entry->setTransfers(values.transfers);
    entry->setNote(std::move(values.note));
    return entry;
}
