#include "app/AppIcons.h"
#include "app/AutomaticBackup.h"
#include "app/BackupActions.h"
#include "app/CorvantaApp.h"
#include "app/FirstPaintProbe.h"
#include "app/RootView.h"
#include "app/StoreFailureDialog.h"
#include "app/StoreFailureRecovery.h"
#include "app/Translations.h"
#include "app/WindowMemory.h"
#include "automation/CommandDispatch.h"
#include "automation/ConsoleOutput.h"
#include "automation/OneLineOnFatal.h"
#include "automation/WindowService.h"
#include "model/PersistenceController.h"
#include "model/PersistentContainer.h"

#include <QApplication>
#include <QIcon>

#include <memory>

int main(int argc, char** argv)
{
    // A subcommand (or help, or a usage error) is settled before any window machinery exists.
    const QStringList arguments = CommandLine::arguments(argc, argv);
    if (!CommandLine::opensWindow(arguments)) {
        const auto application = CommandDispatch::application(arguments, argc, argv);
        Translations::installForUser();
        return CommandDispatch::run(CommandLine::parse(arguments));
    }

    auto withoutDisplay = std::make_unique<OneLineOnFatal>(
        QStringLiteral("corvanta: the window needs a display, and none could be opened (the subcommands work without one: corvanta --help)"));
    QApplication app(argc, argv); // takes out Qt's own options (-platform, -style, ...)
    withoutDisplay.reset();
    QApplication::setOrganizationName(QStringLiteral("Corvanta"));
    QApplication::setApplicationName(QStringLiteral("Corvanta"));
    Translations::installForUser();
    const auto commandLine = CommandLine::parseAfterWindowOptions(QApplication::arguments());
    if (!commandLine || commandLine.value().command != CommandLine::Command::Window)
        return CommandDispatch::run(commandLine);
    const CommandLine& options = commandLine.value();

    QApplication::setApplicationVersion(QStringLiteral(CORVANTA_VERSION));
    // The desktop entry's name lets Wayland compositors and task switchers match the window to
    // its entry; the installed theme icon is the entry's own, the drawn one stands in without it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.corvanta.Corvanta"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.corvanta.Corvanta"), AppIcons::dashboard()));

    // One window per session: a second launch brings the first to the front instead (runs
    // that only measure or photograph the window always open their own).
    const bool probing = options.quitAfterFirstPaint || !options.screenshotPath.isEmpty();
    if (!probing) {
        switch (WindowService::claimSessionWindow()) {
        case WindowService::Launch::OpenWindow: break;
        case WindowService::Launch::RaisedOther: return 0;
        case WindowService::Launch::OtherSilent:
            return ConsoleOutput::failure(QCoreApplication::translate("main", "corvanta: the Corvanta window already open in this session does not answer"));
        }
    }

    // Opens the store first; a store that cannot be opened ends the process here, after a
    // dialog that says so (unless the run only measures or photographs the window).
    if (!probing) {
        StoreFailureRecovery::install();
        PersistenceController::setFatalPresenter(&StoreFailureDialog::present);
    }
    CorvantaApp corvanta(PersistenceController::shared());
    RootView& window = corvanta.window();
    WindowService service(corvanta.context(), [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    service.setRestoreHandler([&corvanta](const QString& path) { return corvanta.backups().restore(path); });
    // After the first paint, on a thread of its own.
    AutomaticBackup automaticBackup(window, PersistentContainer::defaultStorePath(), BackupSettings::read());

    // Runs that only measure or photograph the window neither read nor change what it remembers.
    if (!probing) {
        WindowMemory::restore(window);
        QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] { WindowMemory::save(window); });
    }
    window.focusStartingField();

    std::unique_ptr<FirstPaintProbe> probe;
    if (probing) {
        if (!options.screenshotPath.isEmpty())
            window.resize(RootView::minimumWindowSize);
        probe = std::make_unique<FirstPaintProbe>(window, options.screenshotPath);
    }
    window.show();
    return app.exec();
}
