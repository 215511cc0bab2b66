// dashboard_screenshot <out-dir> <sample.csv>: the main window on its dashboard tab, with the
// sample CSV imported into an in-memory store and "Adjusted" on, saved as PNG files, one per
// palette (light, dark) and window size (960x640, 1600x1000); at 960x640 also with the form's
// adjustment typed unreadably, its message showing. Not a test: run it under a
// display server in a scratch home (scripts/dashboard-screenshots does both).
#include "ScreenshotRun.h"

#include "app/RootView.h"

#include <QCheckBox>
#include <QLineEdit>

int main(int argc, char** argv)
{
    return runScreenshots(argc, argv, "dashboard_screenshot", [](ObjectContext& context, const QString& outDir, const QString& look, QSize size) {
        RootView window(context, AppCommands{});
        window.findChild<QCheckBox*>(QStringLiteral("adjustedSwitch"))->setChecked(true);
        window.resize(size);
        window.show();
        settleForScreenshot();
        const QString file = QStringLiteral("%1/dashboard-%2-%3x%4.png").arg(outDir, look).arg(size.width()).arg(size.height());
        if (!window.grab().save(file, "PNG"))
            return false;
        if (size != QSize(960, 640))
            return true;
        window.findChild<QLineEdit*>(QStringLiteral("balanceField"))->setText(QStringLiteral("1,250.50"));
        window.findChild<QLineEdit*>(QStringLiteral("adjustmentField"))->setText(QStringLiteral("1,23"));
        settleForScreenshot();
        const QString message = QStringLiteral("%1/dashboard-form-message-%2-%3x%4.png").arg(outDir, look).arg(size.width()).arg(size.height());
        return window.grab().save(message, "PNG");
    });
}
