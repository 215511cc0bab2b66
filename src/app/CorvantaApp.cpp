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
    // Ctrl+Z in a text field undoes the field's typing only, never the store.
    qApp->installEventFilter(&undoKeys_);
    CorvantaShortcuts::updateAppShortcutParameters();

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

void CorvantaApp::undo() { performUndo(&UndoManager::canUndo, &UndoManager::undo); }
void CorvantaApp::redo() { performUndo(&UndoManager::canRedo, &UndoManager::redo); }

void CorvantaApp::performUndo(bool (UndoManager::*canPerform)() const, void (UndoManager::*perform)())
{
    UndoManager* manager = context().undoManager();
    if (!manager || !(manager->*canPerform)())
        return;
    (manager->*perform)();
    // Ignored on purpose: the step stays in the context as unsaved changes.
    (void)context().save();
}

void CorvantaApp::showAboutPanel()
{
    QMessageBox::about(window_.get(), tr("About Corvanta"),
                       tr("<h3>Corvanta %1</h3>"
                          "<p>Tracks the value of one investment portfolio over time and separates "
                          "market performance from the money moved in and out.</p>")
                           .arg(QApplication::applicationVersion()));
}
