#pragma once

#include "analytics/Instant.h"
#include "analytics/Uuid.h"
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

    BalanceEntry();
    // A new object inserted into `context` (all attributes at their defaults).
    static std::shared_ptr<BalanceEntry> create(ObjectContext& context);

    const std::optional<Uuid>& id() const { return id_; }
    void setId(std::optional<Uuid> value);
    const std::optional<Instant>& date() const { return date_; }
    void setDate(std::optional<Instant> value);
    double balance() const { return balance_; }
    void setBalance(double value);
    double adjustment() const { return adjustment_; }
    void setAdjustment(double value);
    double transfers() const { return transfers_; }
    void setTransfers(double value);
    const std::optional<QString>& note() const { return note_; }
    void setNote(std::optional<QString> value);

private:
    friend class ObjectContext;
    std::optional<Uuid> id_;
    std::optional<Instant> date_;
    double balance_ = 0;
    double adjustment_ = 0;
    double transfers_ = 0;
    std::optional<QString> note_;
};
