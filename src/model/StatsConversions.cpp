#include "model/StatsConversions.h"

std::vector<StatsInput> statsInputs(const std::vector<std::shared_ptr<BalanceEntry>>& entries, Uuid (*freshId)())
{
    std::vector<StatsInput> inputs;
    inputs.reserve(entries.size());
    for (const auto& entry : entries) // (not value_or: its argument would be drawn for every entry)
        inputs.push_back(StatsInput{entry->id() ? *entry->id() : freshId(), entry->date().value_or(distantPast()),
                                    entry->balance(), entry->adjustment()});
    return inputs;
}

std::vector<TSXYearInput> inputs(const std::vector<std::shared_ptr<TSXYear>>& years)
{
    std::vector<TSXYearInput> result;
    result.reserve(years.size());
    for (const auto& year : years) {
        TSXYearInput input;
        input.sortOrder = year->sortOrder();
        input.year = year->year();
        if (year->label())
            input.label = year->label()->toStdString();
        input.tsxReturn = year->tsxReturn();
        input.netCashFlows = year->netCashFlows();
        input.actualStart = year->actualStart();
        input.actualEnd = year->actualEnd();
        result.push_back(std::move(input));
    }
    return result;
}
