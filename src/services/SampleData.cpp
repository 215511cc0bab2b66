#include "services/SampleData.h"

#include "model/BalanceEntry.h"
#include "model/NewEntry.h"
#include "model/ObjectContext.h"
#include "model/TSXYear.h"
#include "model/UserAction.h"

#include <QCoreApplication>
#include <QDateTime>

#include <array>
#include <map>

namespace SampleData {
namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(SampleData)
};

// Monthly market moves, in per mille, repeated: a plausible walk that ends higher than it began.
constexpr std::array<int, 12> monthlyMoves{18, -7, 25, 9, -31, 14, 22, -12, 6, 27, -4, 11};
// The index's yearly total returns for the sample years, oldest first.
constexpr std::array<double, 3> indexReturns{0.082, -0.054, 0.117};

bool isSampleNote(const std::optional<QString>& note) { return note && note->startsWith(marker); }

struct Samples {
    std::vector<std::shared_ptr<BalanceEntry>> entries;
    std::vector<std::shared_ptr<TSXYear>> years;
};

Samples makeSamples(QDate today)
{
    Samples samples;
    const int firstYear = today.year() - 3;
    double balance = 250000;
    struct YearFigures {
        double start = 0, end = 0, flows = 0;
        bool started = false;
    };
    std::map<int, YearFigures> figures;
    int month = 0;
    for (QDate day(firstYear, 1, 15); day <= today; day = day.addMonths(1), ++month) {
        const double deposit = month % 6 == 0 && month > 0 ? 5000 : 0;
        balance = balance * (1 + monthlyMoves[std::size_t(month) % monthlyMoves.size()] / 1000.0) + deposit;
        const double rounded = std::round(balance * 100) / 100;
        const QString note = month == 0 ? marker + QStringLiteral(": opening balance")
                            : deposit > 0 ? marker + QStringLiteral(": monthly statement, deposit")
                                          : marker + QStringLiteral(": monthly statement");
        samples.entries.push_back(makeBalanceEntry({
            .id = std::nullopt,
            .date = instantFromMilliseconds(day.startOfDay().addSecs(12 * 3600).toMSecsSinceEpoch()),
            .balance = rounded,
            .adjustment = deposit,
            .transfers = deposit,
            .note = note,
        }));
        YearFigures& year = figures[day.year()];
        if (!year.started)
            year = {rounded, rounded, 0, true};
        year.end = rounded;
        year.flows += deposit;
    }
    for (int i = 0; i < int(indexReturns.size()); ++i) {
        const int year = firstYear + i;
        auto made = std::make_shared<TSXYear>();
        made->assign({
            .id = Uuid::random(),
            .year = year,
            .label = marker,
            .tsxReturn = indexReturns[std::size_t(i)],
            .actualStart = figures[year].start,
            .actualEnd = figures[year].end,
            .netCashFlows = figures[year].flows,
            .sortOrder = std::int16_t(i),
        });
        samples.years.push_back(made);
    }
    return samples;
}

// Inserts or removes every sample as one saved change and one undo step.
Result<void> change(ObjectContext& context, const Samples& samples, bool inserting)
{
    UserAction action(context);
    for (const auto& entry : samples.entries)
        inserting ? context.insert(entry) : context.remove(entry);
    for (const auto& year : samples.years)
        inserting ? context.insert(year) : context.remove(year);
    return action.save(inserting ? Words::tr("Load Sample Data") : Words::tr("Remove Sample Data"));
}
} // namespace

Result<int> load(ObjectContext& context, QDate today)
{
    const Samples samples = makeSamples(today);
    if (auto saved = change(context, samples, true); !saved)
        return saved.error();
    return int(samples.entries.size());
}

Result<int> remove(ObjectContext& context)
{
    auto entries = context.fetchBalanceEntries();
    if (!entries)
        return entries.error();
    auto years = context.fetchTSXYears();
    if (!years)
        return years.error();
    Samples samples;
    for (const auto& entry : entries.value())
        if (isSampleNote(entry->note()))
            samples.entries.push_back(entry);
    for (const auto& year : years.value())
        if (year->label() == marker)
            samples.years.push_back(year);
    if (samples.entries.empty() && samples.years.empty())
        return 0;
    if (auto saved = change(context, samples, false); !saved)
        return saved.error();
    return int(samples.entries.size());
}

bool present(ObjectContext& context)
{
    const auto entries = context.fetchBalanceEntries();
    if (!entries)
        return false;
    for (const auto& entry : entries.value())
        if (isSampleNote(entry->note()))
            return true;
    return false;
}

} // namespace SampleData
