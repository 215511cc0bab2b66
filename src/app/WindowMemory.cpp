#include "app/WindowMemory.h"

#include "app/ContentView.h"
#include "app/DashboardView.h"
#include "app/RootView.h"
#include "views/dashboard/BalanceChartView.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTabWidget>

namespace WindowMemory {
namespace {
const QString geometryKey = QStringLiteral("window/geometry");
const QString frameKey = QStringLiteral("window/frame");
const QString stateKey = QStringLiteral("window/state");
const QString tabKey = QStringLiteral("window/tab");
const QString chartRangeKey = QStringLiteral("window/chartRange");
const QString adjustedKey = QStringLiteral("window/chartAdjusted");
const QString fitKey = QStringLiteral("window/chartFitsValues");

QList<QRect> availableScreens()
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}
} // namespace

bool reachable(const QRect& frame, const QList<QRect>& screens)
{
    if (!frame.isValid())
        return false;
    const QRect titleStrip(frame.left(), frame.top(), frame.width(), 32);
    for (const QRect& screen : screens) {
        const QRect shared = screen.intersected(titleStrip);
        if (shared.width() >= 64 && shared.height() >= 16)
            return true;
    }
    return false;
}

void restore(RootView& window)
{
    const QSettings settings;
    const QByteArray geometry = settings.value(geometryKey).toByteArray();
    if (!geometry.isEmpty() && reachable(settings.value(frameKey).toRect(), availableScreens()))
        window.restoreGeometry(geometry);
    window.restoreState(settings.value(stateKey).toByteArray());

    QTabWidget* tabs = window.content()->tabs();
    const int tab = settings.value(tabKey, 0).toInt();
    if (tab >= 0 && tab < tabs->count())
        tabs->setCurrentIndex(tab);

    BalanceChartView* chart = window.content()->dashboard()->chart();
    const std::string range = settings.value(chartRangeKey).toString().toStdString();
    for (DateRange candidate : DateRange::allCases)
        if (candidate.rawValue() == range)
            chart->setRange(candidate);
    chart->setShowsAdjusted(settings.value(adjustedKey, false).toBool());
    chart->setFitsValues(settings.value(fitKey, false).toBool());
}

void save(const RootView& window)
{
    QSettings settings;
    settings.setValue(geometryKey, window.saveGeometry());
    settings.setValue(frameKey, window.frameGeometry());
    settings.setValue(stateKey, window.saveState());
    settings.setValue(tabKey, window.content()->tabs()->currentIndex());
    const BalanceChartView* chart = window.content()->dashboard()->chart();
    const std::string_view range = chart->range().rawValue();
    settings.setValue(chartRangeKey, QString::fromUtf8(range.data(), qsizetype(range.size())));
    settings.setValue(adjustedKey, chart->showsAdjusted());
    settings.setValue(fitKey, chart->fitsValues());
}

} // namespace WindowMemory
