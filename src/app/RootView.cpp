#include "app/RootView.h"

#include "app/ContentView.h"
#include "views/kit/ModalOverlay.h"

#include <QAction>
#include <QMenuBar>

#include <algorithm>

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
    addCommand(file, tr("Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q), commands_.quit)->setMenuRole(QAction::QuitRole);

    // Undo and Redo stay enabled (with nothing to undo or redo they simply do nothing), except
    // while an editor panel is open: as a sheet blocks its window's commands, the store's
    // history must not change under an edit in progress.
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* undo = addCommand(edit, tr("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), commands_.undo);
    QAction* redo = addCommand(edit, tr("Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), commands_.redo);
    const QList<ModalOverlay*> overlays = content_->findChildren<ModalOverlay*>();
    for (ModalOverlay* overlay : overlays) {
        const auto follow = [undo, redo, overlays] {
            const bool editing = std::any_of(overlays.begin(), overlays.end(), [](ModalOverlay* o) { return o->isOpen(); });
            undo->setEnabled(!editing);
            redo->setEnabled(!editing);
        };
        connect(overlay, &ModalOverlay::opened, this, follow);
        connect(overlay, &ModalOverlay::closed, this, follow);
    }

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    addCommand(help, tr("About Corvanta"), QKeySequence(), commands_.about)->setMenuRole(QAction::AboutRole);
}
