#include "model/BalanceEntry.h"

#include "model/ObjectContext.h"

BalanceEntry::BalanceEntry() = default;

std::shared_ptr<BalanceEntry> BalanceEntry::create(ObjectContext& context)
{
    auto entry = std::make_shared<BalanceEntry>();
    context.insert(entry);
    return entry;
}

void BalanceEntry::setId(std::optional<Uuid> value) { ObjectContext::assign(*this, Id, &Values::id, std::move(value)); }
void BalanceEntry::setDate(std::optional<Instant> value) { ObjectContext::assign(*this, Date, &Values::date, value); }
void BalanceEntry::setBalance(double value) { ObjectContext::assign(*this, Balance, &Values::balance, value); }
void BalanceEntry::setAdjustment(double value) { ObjectContext::assign(*this, Adjustment, &Values::adjustment, value); }
void BalanceEntry::setTransfers(double value) { ObjectContext::assign(*this, Transfers, &Values::transfers, value); }
void BalanceEntry::setNote(std::optional<QString> value) { ObjectContext::assign(*this, Note, &Values::note, std::move(value)); }
