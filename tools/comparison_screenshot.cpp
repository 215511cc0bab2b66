// comparison_screenshot <out-dir> <sample.csv>: the main window on its index comparison tab,
// with the sample CSV imported into an in-memory store and ten yearly rows (2017 to "2026
// YTD"; the years the sample covers are filled from its entries, as the editor's "Fill from
// Entries" does), a row selected, then with the yearly editor open over it; PNG files per
// palette (light, dark) and window size (960x640, 1600x1000); at 960x640 also the editor with
// a return typed as a per cent and an end value it cannot read. Not a test: run it under a
// display server in a scratch home (scripts/comparison-screenshots does both).
#include "ScreenshotRun.h"

#include "analytics/YearlyPortfolio.h"
#include "app/ContentView.h"
#include "app/RootView.h"
#include "model/StatsConversions.h"
#include "services/YearActions.h"
#include "views/comparison/TSXComparisonView.h"
#include "views/comparison/TSXYearEditorView.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>

namespace {
struct SampleYear {
    std::int32_t year;
    const char* label;
    double tsxReturn;
    // Used only for the years before the sample's entries begin.
    double start, end, flows;
};

// Index total returns close to the real ones; the portfolio's own early years are made up.
const SampleYear sampleYears[] = {
    {2017, nullptr, 0.091, 160'000, 178'500, 6'000},  {2018, nullptr, -0.089, 178'500, 168'200, 5'500},
    {2019, nullptr, 0.229, 168'200, 205'900, 6'000},  {2020, nullptr, 0.056, 205'900, 221'300, 6'000},
    {2021, nullptr, 0.251, 221'300, 250'000, 6'000},  {2022, nullptr, -0.058, 0, 0, 0},
    {2023, nullptr, 0.118, 0, 0, 0},                  {2024, nullptr, 0.217, 0, 0, 0},
    {2025, nullptr, 0.183, 0, 0, 0},                  {2026, "2026 YTD", 0.142, 0, 0, 0},
};

// Adds the sample years once (the first shot finds none).
bool addSampleYears(ObjectContext& context)
{
    const auto years = context.countTSXYears();
    const auto entries = context.fetchBalanceEntries();
    if (!years.ok() || !entries.ok())
        return false;
    if (years.value() > 0)
        return true;
    const std::vector<StatsInput> inputs = statsInputs(entries.value());
    std::int16_t position = 0;
    for (const SampleYear& sample : sampleYears) {
        const auto figures = sample.year > 2021 ? YearlyPortfolio::figures(inputs, sample.year) : std::nullopt;
        TSXYear::Values values{std::nullopt, sample.year, sample.label ? std::optional(QString::fromUtf8(sample.label)) : std::nullopt,
                               sample.tsxReturn, figures ? figures->actualStart : sample.start, figures ? figures->actualEnd : sample.end,
                               figures ? figures->netCashFlows : sample.flows, position++};
        if (!YearActions::add(context, values).ok())
            return false;
    }
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    return runScreenshots(argc, argv, "comparison_screenshot", [](ObjectContext& context, const QString& outDir, const QString& look, QSize size) {
        if (!addSampleYears(context))
            return false;
        RootView window(context, AppCommands{});
        QTabWidget* tabs = window.content()->tabs();
        TSXComparisonView* comparison = window.content()->comparison();
        tabs->setCurrentIndex(2);
        window.resize(size);
        window.show();
        settleForScreenshot();
        comparison->table()->selectRow(7);
        settleForScreenshot();
        const QString name = QStringLiteral("%1/comparison-%2%3-%4x%5.png").arg(outDir);
        if (!window.grab().save(name.arg(QString(), look).arg(size.width()).arg(size.height()), "PNG"))
            return false;
        comparison->editSelected();
        settleForScreenshot();
        if (!window.grab().save(name.arg(QStringLiteral("editor-"), look).arg(size.width()).arg(size.height()), "PNG"))
            return false;
        if (size != QSize(960, 640))
            return true;
        auto* editor = window.findChild<TSXYearEditorView*>();
        editor->field(TSXYearEditorView::Field::TsxReturn)->setText(QStringLiteral("21.7%"));
        editor->field(TSXYearEditorView::Field::ActualEnd)->setText(QStringLiteral("12,34,5"));
        settleForScreenshot();
        return window.grab().save(name.arg(QStringLiteral("editor-message-"), look).arg(size.width()).arg(size.height()), "PNG");
    });
}
