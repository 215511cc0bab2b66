// window_screenshot <out-dir> <sample.csv>: the window's guides, light and dark, as PNG files:
// the first run on an empty store (each tab), the chart with its read-out and legend, the keyboard
// shortcuts sheet, and the dialog of a store that cannot be opened. Not a test: run it under
// a display server in a scratch home (scripts/window-screenshots does both).
#include "ScreenshotRun.h"

#include "app/ContentView.h"
#include "app/DashboardView.h"
#include "app/RootView.h"
#include "app/StoreFailureDialog.h"
#include "views/dashboard/BalanceChartView.h"
#include "views/dashboard/ChartReadout.h"

#include <QCheckBox>

namespace {
bool save(QWidget& widget, const QString& outDir, const QString& name, const QString& look)
{
    settleForScreenshot();
    return widget.grab().save(QStringLiteral("%1/%2-%3.png").arg(outDir, name, look), "PNG");
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    prepareScreenshotApplication();
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_screenshot <out-dir> <sample.csv>\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    auto empty = PersistentContainer::openInMemory();
    auto sample = PersistentContainer::openInMemory();
    if (!empty.ok() || !sample.ok() || !CsvActions::importFile(sample.value()->viewContext(), QString::fromLocal8Bit(argv[2])).imported) {
        std::fprintf(stderr, "window_screenshot: cannot open a store or import the sample\n");
        return 1;
    }
    QDir().mkpath(outDir);
    const QPalette light = QApplication::style()->standardPalette();
    bool saved = true;
    for (const auto& [look, palette] : {std::pair{QStringLiteral("light"), light}, std::pair{QStringLiteral("dark"), darkScreenshotPalette()}}) {
        QApplication::setPalette(palette);
        {
            RootView window(empty.value()->viewContext(), AppCommands{});
            window.resize(1180, 760);
            window.show();
            window.focusStartingField();
            saved = save(window, outDir, QStringLiteral("window-first-run"), look) && saved;
            window.showTab(1);
            saved = save(window, outDir, QStringLiteral("window-first-run-entries"), look) && saved;
            window.showTab(2);
            saved = save(window, outDir, QStringLiteral("window-first-run-comparison"), look) && saved;
        }
        {
            RootView window(sample.value()->viewContext(), AppCommands{});
            window.resize(1180, 760);
            window.show();
            BalanceChartView* chart = window.content()->dashboard()->chart();
            chart->setShowsAdjusted(true);
            chart->setFitsValues(true);
            settleForScreenshot();
            chart->readout()->showAt(40);
            saved = save(window, outDir, QStringLiteral("window-chart-readout"), look) && saved;
            window.showShortcuts();
            saved = save(window, outDir, QStringLiteral("window-shortcuts"), look) && saved;
        }
        StoreFailureDialog dialog(QStringLiteral("Unresolved Core Data error file is not a database, "),
                                  QStringLiteral("/home/ada/.local/share/Corvanta/Corvanta.sqlite"));
        dialog.addRecovery(QStringLiteral("Restore From Backup\u2026"), [] {});
        dialog.show();
        saved = save(dialog, outDir, QStringLiteral("window-store-failure"), look) && saved;
    }
    return saved ? 0 : 1;
}
