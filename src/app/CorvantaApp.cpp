#include "app/CorvantaApp.h"

#include "app/BackupActions.h"
#include "app/BackupDialogs.h"
#include "app/RootView.h"
#include "automation/CorvantaShortcuts.h"
#include "model/ObjectContext.h"
#include "model/PersistenceController.h"
#include "model/PersistentContainer.h"

#include <QApplication>
#include <QMessageBox>
#include <QStatusBar>

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

    window_ = std::make_unique<RootView>(context(), AppCommands{
        .quit = [] { QApplication::quit(); },
        .undo = [this] { undo(); },
        .redo = [this] { redo(); },
        .about = [this] { showAboutPanel(); },
        .backUpNow = [this] { backups_->backUpNow(); },
        .restoreFromBackup = [this] { backups_->restoreFromBackup(); },
    });
    backupDialogs_ = std::make_unique<WidgetBackupDialogs>(window_.get());
    backups_ = std::make_unique<BackupActions>(context(), PersistentContainer::defaultStorePath(), *backupDialogs_,
                                               [this](const QString& text) { window_->statusBar()->showMessage(text); });
}

CorvantaApp::~CorvantaApp()
{
    backups_.reset();
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
