#include "app/RootView.h"

#include "app/ContentView.h"

#include <QAction>
#include <QMenuBar>

RootView::RootView(ObjectContext& context, AppCommands commands, QWidget* parent)
    : QMainWindow(parent), commands_(std::move(commands))
{
    setWindowTitle(QStringLiteral("Corvanta"));
    setMinimumSize(minimumWindowSize);
    resize(1180, 760);
    content_ = new ContentView(context, this);
    setCentralWidget(content_);
    buildMenus();
}

RootView::~RootView() = default;

void RootView::buildMenus()
{
    const auto addCommand = [this](QMenu* menu, const QString& title, const QKeySequence& keys,
                                   const std::function<void()>& command) {
        QAction* action = menu->addAction(title);
        action->setShortcut(keys);
        // Window-wide, so that the keys work whichever pane has the focus.
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [command] { command(); });
        return action;
    };

    QMenu* file = menuBar()->addMenu(tr("&File"));
    addCommand(file, tr("Back Up Now…"), QKeySequence(), commands_.backUpNow);
    addCommand(file, tr("Restore From Backup…"), QKeySequence(), commands_.restoreFromBackup);
    file->addSeparator();
    addCommand(file, tr("Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q), commands_.quit)->setMenuRole(QAction::QuitRole);

    // Undo and Redo stay enabled: with nothing to undo or redo they simply do nothing.
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    addCommand(edit, tr("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), commands_.undo);
    addCommand(edit, tr("Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), commands_.redo);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    addCommand(help, tr("About Corvanta"), QKeySequence(), commands_.about)->setMenuRole(QAction::AboutRole);
}
