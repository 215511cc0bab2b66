#include "model/BalanceEntry.h"

#include "model/ObjectContext.h"

BalanceEntry::BalanceEntry() : ManagedObject(Kind::BalanceEntry) {}

BalanceEntry::BalanceEntry(Values values) : ManagedObject(Kind::BalanceEntry), values_(std::move(values)) {}

std::shared_ptr<BalanceEntry> BalanceEntry::create(ObjectContext& context)
{
    auto entry = std::make_shared<BalanceEntry>();
    context.insert(entry);
    return entry;
}

void BalanceEntry::assign(const Values& values) { ObjectContext::assignAll(*this, values); }

void BalanceEntry::setId(std::optional<Uuid> value) { ObjectContext::assign<Id>(*this, std::move(value)); }
void BalanceEntry::setDate(std::optional<Instant> value) { ObjectContext::assign<Date>(*this, value); }
void BalanceEntry::setBalance(double value) { ObjectContext::assign<Balance>(*this, value); }
void BalanceEntry::setAdjustment(double value) { ObjectContext::assign<Adjustment>(*this, value); }
void BalanceEntry::setTransfers(double value) { ObjectContext::assign<Transfers>(*this, value); }
void BalanceEntry::setNote(std::optional<QString> value) { ObjectContext::assign<Note>(*this, std::move(value)); }

// make_shared puts the object beside 16 bytes of counts: 120 bytes keep a loaded entry in
// malloc's 144-byte class (a million are loaded at once).
static_assert(sizeof(BalanceEntry) <= 120);
