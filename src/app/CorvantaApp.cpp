#include "app/CorvantaApp.h"

#include "app/BackupActions.h"
#include "app/BackupDialogs.h"
#include "app/ContentView.h"
#include "app/RootView.h"
#include "automation/CorvantaShortcuts.h"
#include "model/ObjectContext.h"
#include "model/PersistenceController.h"
#include "model/PersistentContainer.h"

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>

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
    qApp->installEventFilter(&focusRing_);
    CorvantaShortcuts::updateAppShortcutParameters();

    alert_ = [this](const QString& text) { QMessageBox::warning(window_.get(), QApplication::applicationName(), text); };
    window_ = std::make_unique<RootView>(context(), AppCommands{
        .quit = [] { QApplication::quit(); },
        .undo = [this] { undo(); },
        .redo = [this] { redo(); },
        .about = [this] { showAboutPanel(); },
    });
    // Imports are stored off the UI thread.
    window_->content()->setBackgroundContexts([this] { return persistence_.container().newBackgroundContext(); });
    connect(&undoManager_, &UndoManager::stateChanged, this, &CorvantaApp::refreshUndoCommands);
    connect(window_.get(), &RootView::panelOpenChanged, this, &CorvantaApp::refreshUndoCommands);
    refreshUndoCommands();
    addBackupCommands();
}

CorvantaApp::~CorvantaApp()
{
    backups_.reset();
    window_.reset();
    // The context outlives the application object; it must not keep a dangling manager.
    context().setUndoManager(nullptr);
}

void CorvantaApp::addBackupCommands()
{
    backupDialogs_ = std::make_unique<WidgetBackupDialogs>(window_.get());
    backups_ = std::make_unique<BackupActions>(context(), PersistentContainer::defaultStorePath(), *backupDialogs_,
                                               [this](const QString& text) { window_->report(text, false); });
    // File: ..., Export CSV…, then these two in a group of their own above Quit.
    QMenu* file = window_->menus().fileMenu();
    QAction* quitGroup = file->actions().value(file->actions().size() - 2);
    QAction* backUp = new QAction(tr("Back Up Now…"), file);
    QAction* restore = new QAction(tr("Restore From Backup…"), file);
    connect(backUp, &QAction::triggered, this, [this] { backups_->backUpNow(); });
    connect(restore, &QAction::triggered, this, [this] { backups_->restoreFromBackup(); });
    file->insertActions(quitGroup, {backUp, restore});
    file->insertSeparator(backUp);
}

ObjectContext& CorvantaApp::context() { return persistence_.container().viewContext(); }

void CorvantaApp::undo()
{
    const QString name = undoManager_.undoName();
    performUndo(&UndoManager::canUndo, &UndoManager::undoInSteps, tr("Undo failed: %1"),
                name.isEmpty() ? tr("Undid the last change") : tr("Undid %1").arg(name), tr("Undoing %1… %2%").arg(name));
}

void CorvantaApp::redo()
{
    const QString name = undoManager_.redoName();
    performUndo(&UndoManager::canRedo, &UndoManager::redoInSteps, tr("Redo failed: %1"),
                name.isEmpty() ? tr("Redid the last change") : tr("Redid %1").arg(name), tr("Redoing %1… %2%").arg(name));
}

UndoCommandState CorvantaApp::undoCommandState() const
{
    const UndoManager* manager = const_cast<CorvantaApp*>(this)->context().undoManager();
    if (!manager)
        return {};
    const bool blocked = window_ && window_->panelOpen();
    return {
        .canUndo = manager->canUndo() && !blocked,
        .canRedo = manager->canRedo() && !blocked,
        .undoName = manager->undoName(),
        .redoName = manager->redoName(),
    };
}

void CorvantaApp::refreshUndoCommands()
{
    if (window_)
        window_->menus().setUndoState(undoCommandState());
}

void CorvantaApp::performUndo(bool (UndoManager::*canPerform)() const, void (UndoManager::*perform)(UndoManager::Progress, UndoManager::Finished),
                              const QString& failure, const QString& done, const QString& underWay)
{
    if (!(undoManager_.*canPerform)() || (window_ && window_->panelOpen()))
        return;
    // A large step takes several passes: the entries stay out of reach of edits meanwhile.
    QPointer<QWidget> content = window_ ? window_->content() : nullptr;
    const auto progressed = [window = QPointer<RootView>(window_.get()), content, underWay](double share) {
        if (content)
            content->setEnabled(false);
        if (window)
            window->report(underWay.arg(qRound(share * 100)), false);
    };
    (undoManager_.*perform)(progressed, [app = QPointer<CorvantaApp>(this), content, failure, done](const Result<void>& outcome) {
        if (content)
            content->setEnabled(true);
        if (!app)
            return;
        if (!outcome)
            app->alert_(failure.arg(outcome.error().message));
        else if (app->window_)
            app->window_->report(done, false);
    });
}

void CorvantaApp::setAlert(std::function<void(const QString& text)> alert) { alert_ = std::move(alert); }

void CorvantaApp::showAboutPanel()
{
    QMessageBox::about(window_.get(), tr("About Corvanta"),
                       tr("<h3>Corvanta %1</h3>"
                          "<p>Tracks the value of one investment portfolio over time and separates "
                          "market performance from the money moved in and out.</p>"
                          "<p>Data file: %2</p>"
                          "<p>Released under the MIT licence.</p>")
                           .arg(QApplication::applicationVersion(), PersistentContainer::defaultStorePath().toHtmlEscaped()));
}
