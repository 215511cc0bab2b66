#include "app/CorvantaApp.h"

#include "app/RootView.h"
#include "automation/CorvantaShortcuts.h"
#include "model/ObjectContext.h"
#include "model/PersistenceController.h"

#include <QApplication>
#include <QMessageBox>

// The compiled-in resources live in a static library; tie them to the application.
static void initResources() { Q_INIT_RESOURCE(corvanta); }

CorvantaApp::CorvantaApp(PersistenceController& persistence, const SeedImporter::SeedSource& seeds)
    : persistence_(persistence)
{
    initResources();
    SeedImporter::seedIfNeeded(context(), seeds);
    undoManager_.setLevelsOfUndo(undoLevels);
    context().setUndoManager(&undoManager_);
    // Ctrl+Z reaches the store's Undo when the focused field has no typing of its own to undo.
    qApp->installEventFilter(&undoKeys_);
    CorvantaShortcuts::updateAppShortcutParameters();

    alert_ = [this](const QString& text) { QMessageBox::warning(window_.get(), QApplication::applicationName(), text); };
    window_ = std::make_unique<RootView>(context(), AppCommands{
        .quit = [] { QApplication::quit(); },
        .undo = [this] { undo(); },
        .redo = [this] { redo(); },
        .about = [this] { showAboutPanel(); },
    });
}

CorvantaApp::~CorvantaApp()
{
    window_.reset();
    // The context outlives the application object; it must not keep a dangling manager.
    context().setUndoManager(nullptr);
}

ObjectContext& CorvantaApp::context() { return persistence_.container().viewContext(); }

void CorvantaApp::undo()
{
    if (auto done = undoManager_.undo(); !done)
        alert_(tr("Undo failed: %1").arg(done.error().message));
}

void CorvantaApp::redo()
{
    if (auto done = undoManager_.redo(); !done)
        alert_(tr("Redo failed: %1").arg(done.error().message));
}

void CorvantaApp::setAlert(std::function<void(const QString& text)> alert) { alert_ = std::move(alert); }

void CorvantaApp::showAboutPanel()
{
    QMessageBox::about(window_.get(), tr("About Corvanta"),
                       tr("<h3>Corvanta %1</h3>"
                          "<p>Tracks the value of one investment portfolio over time and separates "
                          "market performance from the money moved in and out.</p>")
                           .arg(QApplication::applicationVersion()));
}
