#include "app/RootView.h"

#include "app/ContentView.h"
#include "app/DashboardView.h"
#include "app/ShortcutsSheet.h"
#include "app/StatusFeedback.h"
#include "views/dashboard/NewEntryFormView.h"
#include "views/entries/CorvantaTableView.h"
#include "views/kit/ModalOverlay.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>

#include <algorithm>

namespace {
enum Tab { DashboardTab, EntriesTab, ComparisonTab };

// The focused text field's own Select All or Copy, when one has the focus.
template <typename Action>
bool textFieldDoes(Action action)
{
    QWidget* focus = QApplication::focusWidget();
    if (auto* edit = qobject_cast<QLineEdit*>(focus))
        action(edit);
    else if (auto* edit = qobject_cast<QPlainTextEdit*>(focus))
        action(edit);
    else if (auto* edit = qobject_cast<QTextEdit*>(focus))
        action(edit);
    else
        return false;
    return true;
}
} // namespace

RootView::RootView(ObjectContext& context, AppCommands commands, QWidget* parent)
    : QMainWindow(parent), commands_(std::move(commands))
{
    setWindowTitle(QStringLiteral("Corvanta"));
    setMinimumSize(minimumWindowSize);
    resize(1180, 760);
    content_ = new ContentView(context, this);
    setCentralWidget(content_);
    sheetOverlay_ = new ModalOverlay(content_);
    menus_ = new MainMenus(*this, {
        .newEntry = [this] { newEntry(); },
        .importCSV = [this] { importCSV(); },
        .exportCSV = [this] { exportCSV(); },
        .quit = commands_.quit,
        .undo = commands_.undo,
        .redo = commands_.redo,
        .selectAll = [this] { selectAll(); },
        .copy = [this] { copy(); },
        .find = [this] { find(); },
        .showTab = [this](int index) { showTab(index); },
        .stepTab = [this](int step) { stepTab(step); },
        .showShortcuts = [this] { showShortcuts(); },
        .about = commands_.about,
    });
    feedback_ = new StatusFeedback(commands_.undo, this);
    statusBar()->addWidget(feedback_, 1);
    statusBar()->setSizeGripEnabled(false);
    connect(content_, &ContentView::reported, this, &RootView::report);
    connect(content_, &ContentView::addFirstRequested, this, &RootView::newEntry);
    connect(content_, &ContentView::importRequested, this, &RootView::importCSV);
    connect(content_->dashboard()->form(), &NewEntryFormView::reported, this, &RootView::report);
    watchPanels(content_);
    connect(content_, &ContentView::viewBuilt, this, &RootView::watchPanels);
}

void RootView::watchPanels(QWidget* view)
{
    for (ModalOverlay* overlay : view->findChildren<ModalOverlay*>()) {
        connect(overlay, &ModalOverlay::opened, this, &RootView::panelOpenChanged, Qt::UniqueConnection);
        connect(overlay, &ModalOverlay::closed, this, &RootView::panelOpenChanged, Qt::UniqueConnection);
    }
}

bool RootView::panelOpen() const
{
    const QList<ModalOverlay*> overlays = content_->findChildren<ModalOverlay*>();
    return std::any_of(overlays.begin(), overlays.end(), [](const ModalOverlay* overlay) { return overlay->isOpen(); });
}

void RootView::report(const QString& text, bool undoable) { feedback_->report(text, undoable); }

RootView::~RootView() = default;

void RootView::focusStartingField()
{
    if (content_->tabs()->currentIndex() == DashboardTab)
        content_->dashboard()->form()->focusBalance();
}

void RootView::newEntry()
{
    showTab(DashboardTab);
    content_->dashboard()->form()->focusBalance();
}

void RootView::importCSV()
{
    showTab(EntriesTab); // the import reports over the entries it adds
    content_->entries()->importCSV();
}

void RootView::exportCSV() { content_->entries()->exportCSV(); }

void RootView::selectAll()
{
    if (textFieldDoes([](auto* field) { field->selectAll(); }))
        return;
    if (content_->tabs()->currentIndex() == EntriesTab)
        content_->entries()->selectAllShown();
}

void RootView::copy()
{
    if (textFieldDoes([](auto* field) { field->copy(); }))
        return;
    if (content_->tabs()->currentIndex() == EntriesTab)
        content_->entries()->copySelection();
}

void RootView::find()
{
    showTab(EntriesTab);
    content_->entries()->find();
}

void RootView::showTab(int index) { content_->tabs()->setCurrentIndex(index); }

void RootView::stepTab(int step)
{
    const int count = content_->tabs()->count();
    showTab((content_->tabs()->currentIndex() + step + count) % count);
}

void RootView::showShortcuts()
{
    sheetOverlay_->open(new ShortcutsSheet(menus_->actionsWithKeys(), [this] { sheetOverlay_->close(); }));
}
