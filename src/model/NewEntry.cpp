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
    entry->assign(values); // detached: only stores the values (no change tracking, no undo)
    return entry;
}
