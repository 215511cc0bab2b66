#include "app/MainMenus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {
QString withStep(const QString& verb, const QString& stepName)
{
    return stepName.isEmpty() ? verb : verb + QLatin1Char(' ') + stepName;
}
} // namespace

MainMenus::MainMenus(QMainWindow& window, MenuCommands commands) : QObject(&window), commands_(std::move(commands))
{
    QMenuBar* bar = window.menuBar();
    const auto& c = commands_;

    file_ = bar->addMenu(tr("&File"));
    add(file_, tr("New Entry"), {QKeySequence(Qt::CTRL | Qt::Key_N)}, c.newEntry);
    add(file_, tr("Import CSV\u2026"), {QKeySequence(Qt::CTRL | Qt::Key_I)}, c.importCSV);
    add(file_, tr("Export CSV\u2026"), {QKeySequence(Qt::CTRL | Qt::Key_E)}, c.exportCSV);
    file_->addSeparator();
    add(file_, tr("Quit"), {QKeySequence(Qt::CTRL | Qt::Key_Q)}, c.quit)->setMenuRole(QAction::QuitRole);

    edit_ = bar->addMenu(tr("&Edit"));
    undo_ = add(edit_, undoTitle({}), {QKeySequence(Qt::CTRL | Qt::Key_Z)}, c.undo);
    redo_ = add(edit_, redoTitle({}), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}, c.redo);
    edit_->addSeparator();
    add(edit_, tr("Copy"), {QKeySequence(Qt::CTRL | Qt::Key_C)}, c.copy);
    add(edit_, tr("Select All"), {QKeySequence(Qt::CTRL | Qt::Key_A)}, c.selectAll);
    edit_->addSeparator();
    add(edit_, tr("Find"), {QKeySequence(Qt::CTRL | Qt::Key_F)}, c.find);
    setUndoState({});

    view_ = bar->addMenu(tr("&View"));
    const QString tabTitles[tabCount] = {tr("Dashboard"), tr("Corvanta"), tr("TSX Comparison")};
    for (int tab = 0; tab < tabCount; ++tab)
        add(view_, tabTitles[tab], {QKeySequence(Qt::CTRL | (Qt::Key_1 + tab))}, [this, tab] { commands_.showTab(tab); });
    view_->addSeparator();
    add(view_, tr("Previous Tab"), {QKeySequence(Qt::CTRL | Qt::Key_PageUp)}, [this] { commands_.stepTab(-1); });
    add(view_, tr("Next Tab"), {QKeySequence(Qt::CTRL | Qt::Key_PageDown)}, [this] { commands_.stepTab(+1); });

    help_ = bar->addMenu(tr("&Help"));
    add(help_, tr("Keyboard Shortcuts"), {QKeySequence(Qt::Key_F1)}, c.showShortcuts);
    add(help_, tr("About Corvanta"), {}, c.about)->setMenuRole(QAction::AboutRole);
}

QAction* MainMenus::add(QMenu* menu, const QString& title, const QList<QKeySequence>& keys, std::function<void()> command)
{
    QAction* action = menu->addAction(title);
    action->setIconText(title); // the plain title, kept while Undo and Redo name their step
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [command = std::move(command)] {
        if (command)
            command();
    });
    return action;
}

void MainMenus::setUndoState(const UndoCommandState& state)
{
    undo_->setText(undoTitle(state.undoName));
    undo_->setEnabled(state.canUndo);
    redo_->setText(redoTitle(state.redoName));
    redo_->setEnabled(state.canRedo);
}

QList<QAction*> MainMenus::actionsWithKeys() const
{
    QList<QAction*> found;
    for (QMenu* menu : {file_, edit_, view_, help_})
        for (QAction* action : menu->actions())
            if (!action->shortcut().isEmpty())
                found.append(action);
    return found;
}

QString MainMenus::undoTitle(const QString& stepName) { return withStep(tr("Undo"), stepName); }
QString MainMenus::redoTitle(const QString& stepName) { return withStep(tr("Redo"), stepName); }
