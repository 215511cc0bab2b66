#pragma once

#include "analytics/Uuid.h"
#include "model/EntityDescription.h"
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
    static constexpr int attributeCount = SortOrder + 1;

    // The attribute values as one plain record (what the store reads, writes and compares).
    struct Values {
        std::optional<Uuid> id{};
        std::int32_t year = 0;
        std::optional<QString> label{};
        double tsxReturn = 0;
        double actualStart = 0;
        double actualEnd = 0;
        double netCashFlows = 0;
        std::int16_t sortOrder = 0;
    };
    static constexpr std::tuple attributes{
        describe("id", &Values::id),
        describe("year", &Values::year, Presence::Required),
        describe("label", &Values::label),
        describe("tsxReturn", &Values::tsxReturn),
        describe("actualStart", &Values::actualStart),
        describe("actualEnd", &Values::actualEnd),
        describe("netCashFlows", &Values::netCashFlows),
        describe("sortOrder", &Values::sortOrder, Presence::Required),
    };

    TSXYear();
    static std::shared_ptr<TSXYear> create(ObjectContext& context);

    const std::optional<Uuid>& id() const { return values_.id; }
    void setId(std::optional<Uuid> value);
    std::int32_t year() const { return values_.year; }
    void setYear(std::int32_t value);
    const std::optional<QString>& label() const { return values_.label; }
    void setLabel(std::optional<QString> value);
    double tsxReturn() const { return values_.tsxReturn; }
    void setTsxReturn(double value);
    double actualStart() const { return values_.actualStart; }
    void setActualStart(double value);
    double actualEnd() const { return values_.actualEnd; }
    void setActualEnd(double value);
    double netCashFlows() const { return values_.netCashFlows; }
    void setNetCashFlows(double value);
    std::int16_t sortOrder() const { return values_.sortOrder; }
    void setSortOrder(std::int16_t value);

    // The label when present and not empty (untrimmed), else the year in plain digits.
    QString displayName() const;

    const Values& values() const { return values_; }
    // Writes every attribute (each one that changes is tracked, recorded for undo, announced).
    void assign(const Values& values);

private:
    friend class ObjectContext;
    template <class Entity> friend class EntityTable;
    Values values_;
};
static_assert(describesEveryAttribute<TSXYear>);
