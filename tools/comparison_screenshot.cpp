// comparison_screenshot <out-dir> <sample.csv>: the main window on its index comparison tab,
// with the sample CSV imported into an in-memory store and ten yearly rows (2017 to "2026
// YTD"; the years the sample covers are filled from its entries, as the editor's "Fill from
// Entries" does), saved as PNG files per palette (light, dark) and window size (960x640,
// 1600x1000), and the yearly editor open over the tab at 960x640. Not a test: run it under a
// display server in a scratch home (scripts/comparison-screenshots does both).
#include "ScreenshotPalette.h"

#include "analytics/YearlyPortfolio.h"
#include "app/ContentView.h"
#include "app/RootView.h"
#include "model/PersistentContainer.h"
#include "model/StatsConversions.h"
#include "services/CsvActions.h"
#include "services/YearActions.h"
#include "views/TSXComparisonView.h"

#include <QApplication>
#include <QDir>
#include <QStyle>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTableView>

#include <cstdio>

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

bool addSampleYears(ObjectContext& context)
{
    const auto entries = context.fetchBalanceEntries();
    if (!entries.ok())
        return false;
    const std::vector<StatsInput> inputs = statsInputs(entries.value());
    std::int16_t position = 0;
    for (const SampleYear& sample : sampleYears) {
        TSXYear::Values values;
        values.sortOrder = position++;
        values.year = sample.year;
        if (sample.label)
            values.label = QString::fromUtf8(sample.label);
        values.tsxReturn = sample.tsxReturn;
        const auto figures = sample.year > 2021 ? YearlyPortfolio::figures(inputs, sample.year) : std::nullopt;
        values.actualStart = figures ? figures->actualStart : sample.start;
        values.actualEnd = figures ? figures->actualEnd : sample.end;
        values.netCashFlows = figures ? figures->netCashFlows : sample.flows;
        if (!YearActions::add(context, values).ok())
            return false;
    }
    return true;
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

bool shoot(ObjectContext& context, const QString& file, QSize size, bool withEditor)
{
    RootView window(context, AppCommands{});
    QTabWidget* tabs = window.content()->tabs();
    auto* comparison = qobject_cast<TSXComparisonView*>(tabs->widget(2));
    tabs->setCurrentIndex(2);
    window.resize(size);
    window.show();
    settle();
    comparison->table()->selectRow(7);
    if (withEditor)
        comparison->editSelected();
    settle();
    return window.grab().save(file, "PNG");
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvanta"));
    QApplication::setApplicationName(QStringLiteral("Corvanta"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (argc != 3) {
        std::fprintf(stderr, "usage: comparison_screenshot <out-dir> <sample.csv>\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    auto container = PersistentContainer::openInMemory();
    if (!container.ok()) {
        std::fprintf(stderr, "comparison_screenshot: cannot open a store\n");
        return 1;
    }
    ObjectContext& context = container.value()->viewContext();
    if (!CsvActions::importFile(context, QString::fromLocal8Bit(argv[2])).imported || !addSampleYears(context)) {
        std::fprintf(stderr, "comparison_screenshot: the sample data did not load\n");
        return 1;
    }
    QDir().mkpath(outDir);
    const QPalette light = QApplication::style()->standardPalette();
    for (const auto& [name, palette] : {std::pair{QStringLiteral("light"), light}, std::pair{QStringLiteral("dark"), ScreenshotPalette::dark()}}) {
        QApplication::setPalette(palette);
        for (const QSize size : {QSize(960, 640), QSize(1600, 1000)}) {
            const QString file = QStringLiteral("%1/comparison-%2-%3x%4.png").arg(outDir, name).arg(size.width()).arg(size.height());
            if (!shoot(context, file, size, false)) {
                std::fprintf(stderr, "comparison_screenshot: could not write %s\n", qPrintable(file));
                return 1;
            }
        }
        const QString file = QStringLiteral("%1/comparison-editor-%2-960x640.png").arg(outDir, name);
        if (!shoot(context, file, QSize(960, 640), true)) {
            std::fprintf(stderr, "comparison_screenshot: could not write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
