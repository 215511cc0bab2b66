#include "app/AppIcons.h"
#include "app/CorvantaApp.h"
#include "app/FirstPaintProbe.h"
#include "app/RootView.h"
#include "model/PersistenceController.h"

#include <QApplication>
#include <QCommandLineParser>

#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvanta"));
    QApplication::setApplicationName(QStringLiteral("Corvanta"));
    QApplication::setApplicationVersion(QStringLiteral(CORVANTA_VERSION));
    QApplication::setWindowIcon(AppIcons::dashboard());

    // Two switches for benchmarks and screenshots only, left out of --help.
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption quitAfterFirstPaint(QStringLiteral("quit-after-first-paint"));
    quitAfterFirstPaint.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption screenshot(QStringLiteral("screenshot"), QString(), QStringLiteral("png"));
    screenshot.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(quitAfterFirstPaint);
    parser.addOption(screenshot);
    parser.process(app);

    // Opens the store first; a store that cannot be opened ends the process here.
    CorvantaApp corvanta(PersistenceController::shared());
    RootView& window = corvanta.window();

    std::unique_ptr<FirstPaintProbe> probe;
    if (parser.isSet(quitAfterFirstPaint) || parser.isSet(screenshot)) {
        if (parser.isSet(screenshot))
            window.resize(RootView::minimumWindowSize);
        probe = std::make_unique<FirstPaintProbe>(window, parser.value(screenshot));
    }
    window.show();
    return app.exec();
}
