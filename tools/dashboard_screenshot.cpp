// dashboard_screenshot <out-dir> <sample.csv>: the main window on its dashboard tab, with the
// sample CSV imported into an in-memory store and "Adjusted" on, saved as PNG files, one per
// palette (light, dark) and window size (960x640, 1600x1000). Not a test: run it under a
// display server in a scratch home (scripts/dashboard-screenshots does both).
#include "ScreenshotRun.h"

#include "app/RootView.h"

#include <QCheckBox>

int main(int argc, char** argv)
{
    return runScreenshots(argc, argv, "dashboard_screenshot", [](ObjectContext& context, const QString& outDir, const QString& look, QSize size) {
        RootView window(context, AppCommands{});
        window.findChild<QCheckBox*>(QStringLiteral("adjustedSwitch"))->setChecked(true);
        window.resize(size);
        window.show();
        settleForScreenshot();
        const QString file = QStringLiteral("%1/dashboard-%2-%3x%4.png").arg(outDir, look).arg(size.width()).arg(size.height());
        return window.grab().save(file, "PNG");
    });
}
