#pragma once

#include "model/SeedImporter.h"
#include "app/MainMenus.h"
#include "model/UndoManager.h"
#include "views/kit/FocusRing.h"
#include "views/kit/UndoKeyRouter.h"

#include <QObject>

#include <memory>

class BackupActions;
class ObjectContext;
class PersistenceController;
class RootView;
class WidgetBackupDialogs;

// The application: runs the start-up sequence on construction, then owns the main window
// and carries out its menu commands. Main thread only.
//
// Start-up, in this order: the (already opened) store; the first-run seed import; an undo
// manager of 50 levels on the main context (after the import, so seeded data is not
// undoable); the refresh of the desktop shortcuts; then the window.
class CorvantaApp : public QObject {
    Q_OBJECT
public:
    static constexpr int undoLevels = 50;

    explicit CorvantaApp(PersistenceController& persistence, const SeedImporter::SeedSource& seeds = {});
    ~CorvantaApp() override;

    RootView& window() { return *window_; }
    // File › Back Up Now… and Restore From Backup…, also reached over D-Bus.
    BackupActions& backups() { return *backups_; }
    ObjectContext& context();

    // The Edit menu's commands: one step back or forward, then a save whose failure is
    // ignored (the undone state stays pending and goes out with the next successful save).
    // Each says in the status bar what it took back or put back.
    void undo();
    void redo();

    // The Edit menu's Undo and Redo titles and enabled state, derived here and only here from
    // the undo manager (and whatever else may forbid a store step for now).
    UndoCommandState undoCommandState() const;
    void refreshUndoCommands();

private:
    // False when there was nothing to do.
    bool performUndo(bool (UndoManager::*canPerform)() const, void (UndoManager::*perform)());
    void showAboutPanel();
    void addBackupCommands();

    PersistenceController& persistence_;
    UndoManager undoManager_;
    UndoKeyRouter undoKeys_;
    FocusRing focusRing_;
    std::unique_ptr<RootView> window_;
    std::unique_ptr<WidgetBackupDialogs> backupDialogs_;
    std::unique_ptr<BackupActions> backups_;
};
