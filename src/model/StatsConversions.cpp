#include "model/StatsConversions.h"

StatsInput statsInput(const BalanceEntry& entry, Uuid (*freshId)())
{
    // (not value_or: its argument would be drawn for every entry)
    return StatsInput{entry.id() ? *entry.id() : freshId(), entry.date().value_or(distantPast()), entry.balance(), entry.adjustment()};
}

TSXYearInput yearInput(const TSXYear& year)
{
    TSXYearInput input;
    input.sortOrder = year.sortOrder();
    input.year = year.year();
    if (year.label())
        input.label = year.label()->toStdString();
    input.tsxReturn = year.tsxReturn();
    input.netCashFlows = year.netCashFlows();
    input.actualStart = year.actualStart();
    input.actualEnd = year.actualEnd();
    return input;
}
