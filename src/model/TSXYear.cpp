#include "model/TSXYear.h"

#include "model/ObjectContext.h"

TSXYear::TSXYear() = default;

std::shared_ptr<TSXYear> TSXYear::create(ObjectContext& context)
{
    auto year = std::make_shared<TSXYear>();
    context.insert(year);
    return year;
}

void TSXYear::setId(std::optional<Uuid> value) { ObjectContext::assign(*this, Id, &Values::id, std::move(value)); }
void TSXYear::setYear(std::int32_t value) { ObjectContext::assign(*this, Year, &Values::year, value); }
void TSXYear::setLabel(std::optional<QString> value) { ObjectContext::assign(*this, Label, &Values::label, std::move(value)); }
void TSXYear::setTsxReturn(double value) { ObjectContext::assign(*this, TsxReturn, &Values::tsxReturn, value); }
void TSXYear::setActualStart(double value) { ObjectContext::assign(*this, ActualStart, &Values::actualStart, value); }
void TSXYear::setActualEnd(double value) { ObjectContext::assign(*this, ActualEnd, &Values::actualEnd, value); }
void TSXYear::setNetCashFlows(double value) { ObjectContext::assign(*this, NetCashFlows, &Values::netCashFlows, value); }
void TSXYear::setSortOrder(std::int16_t value) { ObjectContext::assign(*this, SortOrder, &Values::sortOrder, value); }

QString TSXYear::displayName() const
{
    if (values_.label && !values_.label->isEmpty())
        return *values_.label;
    return QString::number(values_.year);
}
