#pragma once

#include "analytics/Uuid.h"
#include "model/ManagedObject.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

class ObjectContext;

// One calendar year (or part of one) of the index comparison.
class TSXYear final : public ManagedObject {
public:
    static constexpr const char* entityName = "TSXYear";
    enum Attribute { Id, Year, Label, TsxReturn, ActualStart, ActualEnd, NetCashFlows, SortOrder };

    TSXYear();
    static std::shared_ptr<TSXYear> create(ObjectContext& context);

    const std::optional<Uuid>& id() const { return id_; }
    void setId(std::optional<Uuid> value);
    std::int32_t year() const { return year_; }
    void setYear(std::int32_t value);
    const std::optional<QString>& label() const { return label_; }
    void setLabel(std::optional<QString> value);
    double tsxReturn() const { return tsxReturn_; }
    void setTsxReturn(double value);
    double actualStart() const { return actualStart_; }
    void setActualStart(double value);
    double actualEnd() const { return actualEnd_; }
    void setActualEnd(double value);
    double netCashFlows() const { return netCashFlows_; }
    void setNetCashFlows(double value);
    std::int16_t sortOrder() const { return sortOrder_; }
    void setSortOrder(std::int16_t value);

    // The label when present and not empty (untrimmed), else the year in plain digits.
    QString displayName() const;

private:
    friend class ObjectContext;
    std::optional<Uuid> id_;
    std::int32_t year_ = 0;
    std::optional<QString> label_;
    double tsxReturn_ = 0;
    double actualStart_ = 0;
    double actualEnd_ = 0;
    double netCashFlows_ = 0;
    std::int16_t sortOrder_ = 0;
};
