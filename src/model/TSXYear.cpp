#include "model/TSXYear.h"

#include "model/ObjectContext.h"

TSXYear::TSXYear() : ManagedObject(Kind::TSXYear) {}

std::shared_ptr<TSXYear> TSXYear::create(ObjectContext& context)
{
    auto year = std::make_shared<TSXYear>();
    context.insert(year);
    return year;
}

void TSXYear::assign(const Values& values) { ObjectContext::assignAll(*this, values); }

void TSXYear::setId(std::optional<Uuid> value) { ObjectContext::assign<Id>(*this, std::move(value)); }
void TSXYear::setYear(std::int32_t value) { ObjectContext::assign<Year>(*this, value); }
void TSXYear::setLabel(std::optional<QString> value) { ObjectContext::assign<Label>(*this, std::move(value)); }
void TSXYear::setTsxReturn(double value) { ObjectContext::assign<TsxReturn>(*this, value); }
void TSXYear::setActualStart(double value) { ObjectContext::assign<ActualStart>(*this, value); }
void TSXYear::setActualEnd(double value) { ObjectContext::assign<ActualEnd>(*this, value); }
void TSXYear::setNetCashFlows(double value) { ObjectContext::assign<NetCashFlows>(*this, value); }
void TSXYear::setSortOrder(std::int16_t value) { ObjectContext::assign<SortOrder>(*this, value); }

QString TSXYear::displayName() const
{
    if (values_.label && !values_.label->isEmpty())
        return *values_.label;
    return QString::number(values_.year);
}
