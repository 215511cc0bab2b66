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
    return std::make_shared<BalanceEntry>(std::move(values)); // detached: no change tracking, no undo
}
