#include "services/YearActions.h"

#include "services/ObjectVerbs.h"

#include <QCoreApplication>

#include <cmath>

namespace YearActions {
namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(YearActions)
};

std::optional<Error> invalid(const TSXYear::Values& values)
{
    for (double amount : {values.tsxReturn, values.actualStart, values.actualEnd, values.netCashFlows})
        if (!std::isfinite(amount))
            return Error{Words::tr("The yearly amounts must be finite numbers."), {}};
    return std::nullopt;
}

void assign(TSXYear& year, const TSXYear::Values& given)
{
    TSXYear::Values values = given;
    values.id = year.id() ? year.id() : values.id ? values.id : Uuid::random();
    year.assign(values);
}

} // namespace

Result<std::shared_ptr<TSXYear>> add(ObjectContext& context, TSXYear::Values values)
{
    if (auto error = invalid(values))
        return *error;
    auto year = std::make_shared<TSXYear>();
    assign(*year, values); // detached: only stores the values
    return ObjectVerbs::add(context, std::move(year), Words::tr("Add Year %1").arg(values.year));
}

Result<void> update(ObjectContext& context, const std::shared_ptr<TSXYear>& year, TSXYear::Values values)
{
    if (auto error = invalid(values))
        return *error;
    return ObjectVerbs::update<TSXYear>(context, year, values, assign, Words::tr("Edit Year %1").arg(values.year));
}

Result<void> remove(ObjectContext& context, const std::vector<std::shared_ptr<TSXYear>>& years)
{
    return ObjectVerbs::remove<TSXYear>(context, years, [](const auto& removed) {
        return removed.size() == 1 ? Words::tr("Delete Year %1").arg(removed.front()->year())
                                   : Words::tr("Delete %n Years", nullptr, int(removed.size()));
    });
}

} // namespace YearActions
