#pragma once

#include "analytics/Instant.h"
#include "analytics/Uuid.h"
#include "model/EntityDescription.h"
#include "model/ManagedObject.h"

#include <QString>

#include <memory>
#include <optional>

class ObjectContext;

// One dated snapshot of the portfolio. Setters go through the owning context (change
// tracking, undo); a detached object (made with make_shared) simply holds its values until
// it is inserted into a context.
class BalanceEntry final : public ManagedObject {
public:
    static constexpr const char* entityName = "BalanceEntry";
    enum Attribute { Id, Date, Balance, Adjustment, Transfers, Note };
    static constexpr int attributeCount = Note + 1;

    // The attribute values as one plain record (what the store reads, writes and compares).
    struct Values {
        std::optional<Uuid> id{};
        std::optional<Instant> date{};
        double balance = 0;
        double adjustment = 0;
        double transfers = 0;
        std::optional<QString> note{};
    };
    static constexpr std::tuple attributes{
        describe("id", &Values::id),
        describe("date", &Values::date),
        describe("balance", &Values::balance),
        describe("adjustment", &Values::adjustment),
        describe("transfers", &Values::transfers),
        describe("note", &Values::note),
    };

    BalanceEntry();
    // A detached object holding `values` (what an import makes a million of).
    explicit BalanceEntry(Values values);
    // A new object inserted into `context` (all attributes at their defaults).
    static std::shared_ptr<BalanceEntry> create(ObjectContext& context);

    const std::optional<Uuid>& id() const { return values_.id; }
    void setId(std::optional<Uuid> value);
    const std::optional<Instant>& date() const { return values_.date; }
    void setDate(std::optional<Instant> value);
    double balance() const { return values_.balance; }
    void setBalance(double value);
    double adjustment() const { return values_.adjustment; }
    void setAdjustment(double value);
    double transfers() const { return values_.transfers; }
    void setTransfers(double value);
    const std::optional<QString>& note() const { return values_.note; }
    void setNote(std::optional<QString> value);

    const Values& values() const { return values_; }
    // Writes every attribute (each one that changes is tracked, recorded for undo, announced).
    void assign(const Values& values);

private:
    friend class ObjectContext;
    template <class Entity> friend class EntityTable;
    Values values_;
};
static_assert(describesEveryAttribute<BalanceEntry>);
