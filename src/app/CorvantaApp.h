#pragma once

#include "model/SeedImporter.h"
#include "app/MainMenus.h"
#include "model/UndoManager.h"
#include "views/kit/FocusRing.h"
#include "views/kit/UndoKeyRouter.h"

#include <QObject>

#include <functional>
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

    // The Edit menu's commands: one step back or forward, saved at once; each says in the
    // status bar what it took back or put back. A failed save shows an alert ("Undo failed: "
    // and the reason) and the window keeps showing what the store holds.
    void undo();
    void redo();
    // Where the failures of undo and redo are told (a modal alert; tests catch them).
    void setAlert(std::function<void(const QString& text)> alert);

    // The Edit menu's Undo and Redo titles and enabled state, derived here and only here from
    // the undo manager (and whatever else may forbid a store step for now).
    UndoCommandState undoCommandState() const;
    void refreshUndoCommands();

private:
    // Reports `done` in the status bar once performed, `underWay` (with the share done) while a
    // large step takes several passes, and an alert with `failure` when it failed.
    void performUndo(bool (UndoManager::*canPerform)() const, void (UndoManager::*perform)(UndoManager::Progress, UndoManager::Finished),
                     const QString& failure, const QString& done, const QString& underWay);
    void showAboutPanel();
    void addBackupCommands();

    PersistenceController& persistence_;
    UndoManager undoManager_;
    UndoKeyRouter undoKeys_;
    FocusRing focusRing_;
    std::function<void(const QString& text)> alert_;
    std::unique_ptr<RootView> window_;
    std::unique_ptr<WidgetBackupDialogs> backupDialogs_;
    std::unique_ptr<BackupActions> backups_;
};
