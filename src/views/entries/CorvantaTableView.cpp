#include "views/entries/CorvantaTableView.h"

#include "model/BalanceEntry.h"
#include "model/PersistentContainer.h"
#include "model/ReleaseOffThread.h"
#include "model/ObjectContext.h"
#include "services/CsvActions.h"
#include "services/EntryActions.h"
#include "views/kit/CachedTextDelegate.h"
#include "views/kit/Clock.h"
#include "views/entries/CSVInteractive.h"
#include "views/entries/EntryEditorView.h"
#include "views/entries/EntryFindField.h"
#include "views/kit/InputLabel.h"
#include "views/entries/EntryTableText.h"
#include "views/entries/EntryTableModel.h"
#include "views/entries/ImportPreviewView.h"
#include "views/entries/ImportSavingTask.h"
#include "views/kit/EntryToolbarIcons.h"
#include "views/kit/HiddenOnPurpose.h"
#include "views/kit/ModalOverlay.h"
#include "views/kit/PorterDialogs.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

Q_LOGGING_CATEGORY(lcEntries, "corvanta.entries")

namespace {

// Pixels between the adjusted balance (aligned right) and the note (aligned left).
constexpr int adjustedBalanceGap = 12;

QAction* makeAction(QWidget* owner, const QIcon& icon, const QString& title, const QString& help, const char* name)
{
    auto* action = new QAction(icon, title, owner);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(help);
    action->setStatusTip(help);
    return action;
}

} // namespace

CorvantaTableView::CorvantaTableView(ObjectContext& context, PorterDialogs* dialogs, QWidget* parent)
    : QWidget(parent), context_(context)
{
    if (!dialogs) {
        ownDialogs_ = std::make_unique<WidgetPorterDialogs>(this);
        dialogs = ownDialogs_.get();
    }
    dialogs_ = dialogs;

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    model_ = new EntryTableModel(context, this);
    buildToolBar();
    buildTable();
    findField_ = new EntryFindField(*table_, toolBar_);
    auto* spacer = new QWidget(toolBar_);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolBar_->addWidget(spacer);
    auto* findCaption = new QLabel(tr("F&ind"), toolBar_);
    findCaption->setContentsMargins(0, 0, 6, 0);
    labelInput(findCaption, findField_, findField_->accessibleDescription());
    toolBar_->addWidget(findCaption);
    toolBar_->addWidget(findField_);
    layout->addWidget(toolBar_);
    layout->addWidget(table_, 1);
    overlay_ = new ModalOverlay(this);
    model_->setPalette(palette());

    if (const Result<void> fetched = model_->fetch(); !fetched)
        qCWarning(lcEntries).noquote() << "Could not load the entries:" << fetched.error().message;
    updateActions();
}

CorvantaTableView::~CorvantaTableView() = default;

void CorvantaTableView::buildToolBar()
{
    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("entryToolBar"));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar_->setIconSize(QSize(16, 16));

    QAction* add = makeAction(this, EntryToolbarIcons::add(), tr("Add"), tr("Add a new balance entry"), "addAction");
    editAction_ = makeAction(this, EntryToolbarIcons::edit(), tr("Edit"), tr("Edit the selected entry"), "editAction");
    deleteAction_ = makeAction(this, EntryToolbarIcons::remove(), tr("Delete"), tr("Delete the selected entries"),
                               "deleteAction");
    QAction* exportAction = makeAction(this, EntryToolbarIcons::exportFile(), tr("Export CSV"),
                                       tr("Export all entries to a CSV file"), "exportAction");
    QAction* importAction = makeAction(this, EntryToolbarIcons::importFile(), tr("Import CSV"),
                                       tr("Import entries from a CSV file"), "importAction");
    toolBar_->addAction(add);
    toolBar_->addAction(editAction_);
    toolBar_->addAction(deleteAction_);
    toolBar_->addSeparator();
    toolBar_->addAction(exportAction);
    toolBar_->addAction(importAction);

    connect(add, &QAction::triggered, this, &CorvantaTableView::addEntry);
    connect(editAction_, &QAction::triggered, this, &CorvantaTableView::editSelected);
    connect(deleteAction_, &QAction::triggered, this, &CorvantaTableView::deleteSelected);
    connect(exportAction, &QAction::triggered, this, &CorvantaTableView::exportCSV);
    connect(importAction, &QAction::triggered, this, &CorvantaTableView::importCSV);
}

void CorvantaTableView::buildTable()
{
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("entryTable"));
    table_->setAccessibleName(tr("Entries"));
    table_->setAccessibleDescription(tr("One row per entry, newest first; Return edits the selected entry, Delete removes it"));
    table_->setModel(model_);
    auto* delegate = new CachedTextDelegate(table_);
    delegate->setTrailingGap(EntryTableModel::AdjustedBalanceColumn, adjustedBalanceGap);
    table_->setItemDelegate(delegate);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSortingEnabled(false);
    table_->setAlternatingRowColors(true);
    table_->setShowGrid(false);
    table_->setWordWrap(false);
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    table_->verticalHeader()->hide();
    // Fixed row heights: the view never measures a million rows.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 10);
    table_->horizontalHeader()->setHighlightSections(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    fitColumns();

    connect(table_->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        const int minimum = EntryTableModel::width(EntryTableModel::Column(column)).minimum;
        if (size < minimum)
            table_->horizontalHeader()->resizeSection(column, minimum);
    });
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            editEntry(model_->entryAt(index.row()));
    });
    connect(table_, &QWidget::customContextMenuRequested, this, &CorvantaTableView::showContextMenu);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &CorvantaTableView::updateActions);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, &CorvantaTableView::updateActions);
    connect(model_, &QAbstractItemModel::modelReset, this, &CorvantaTableView::updateActions);

    for (auto aboutTo : {&QAbstractItemModel::rowsAboutToBeInserted, &QAbstractItemModel::rowsAboutToBeRemoved})
        connect(model_, aboutTo, this, &CorvantaTableView::keepScrollAnchor);
    connect(model_, &QAbstractItemModel::rowsAboutToBeMoved, this, &CorvantaTableView::keepScrollAnchor);
    for (auto done : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model_, done, this, &CorvantaTableView::restoreScrollAnchor);
    connect(model_, &QAbstractItemModel::rowsMoved, this, &CorvantaTableView::restoreScrollAnchor);
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, &CorvantaTableView::keepViewState);
    connect(model_, &QAbstractItemModel::modelReset, this, &CorvantaTableView::restoreViewState);
    addTableKeys();
    connect(table_->verticalScrollBar(), &QScrollBar::valueChanged, this, &CorvantaTableView::scheduleFigureFit);
    for (auto changed : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model_, changed, this, &CorvantaTableView::scheduleFigureFit);
    connect(model_, &QAbstractItemModel::dataChanged, this, &CorvantaTableView::scheduleFigureFit);
    connect(model_, &QAbstractItemModel::modelReset, this, &CorvantaTableView::scheduleFigureFit);
}

void CorvantaTableView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    scheduleFigureFit(); // more or other rows on screen
}

void CorvantaTableView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    scheduleFigureFit(); // the rows that came while the tab was hidden
}

void CorvantaTableView::scheduleFigureFit()
{
    if (figureFitScheduled_)
        return;
    figureFitScheduled_ = true;
    QMetaObject::invokeMethod(this, &CorvantaTableView::fitFigureColumns, Qt::QueuedConnection);
}

void CorvantaTableView::fitFigureColumns()
{
    figureFitScheduled_ = false;
    if (isHiddenOnPurpose(*this))
        return; // measuring the rows of a hidden table reads a thousand of them: its show fits it
    QHeaderView* header = table_->horizontalHeader();
    for (int column : {EntryTableModel::BalanceColumn, EntryTableModel::AdjustmentColumn, EntryTableModel::TransfersColumn,
                       EntryTableModel::AdjustedBalanceColumn}) {
        // sizeHintForColumn measures the rows on screen only; the adjusted balance keeps a
        // clear gap before the note.
        const int gap = column == EntryTableModel::AdjustedBalanceColumn ? 4 + adjustedBalanceGap : 4;
        const int wanted = std::max(EntryTableModel::width(EntryTableModel::Column(column)).minimum,
                                    static_cast<const QAbstractItemView*>(table_)->sizeHintForColumn(column) + gap);
        if (header->sectionSize(column) < wanted)
            header->resizeSection(column, wanted);
    }
}

void CorvantaTableView::fitColumns()
{
    QHeaderView* header = table_->horizontalHeader();
    int smallest = EntryTableModel::width(EntryTableModel::DateColumn).minimum;
    for (int column = 0; column < EntryTableModel::ColumnCount; ++column) {
        const auto width = EntryTableModel::width(EntryTableModel::Column(column));
        smallest = std::min(smallest, width.minimum);
        header->resizeSection(column, width.ideal);
    }
    header->setMinimumSectionSize(smallest);
}

// Keys that act on the table only while it has the focus (not while the editor is open).
void CorvantaTableView::addTableKeys()
{
    const auto tableKey = [this](QList<QKeySequence> keys, const std::function<void()>& run) {
        auto* action = new QAction(table_);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        table_->addAction(action);
        connect(action, &QAction::triggered, this, run);
    };
    tableKey({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter), QKeySequence(Qt::KeypadModifier | Qt::Key_Enter)}, [this] {
        if (const QModelIndex current = table_->currentIndex(); current.isValid())
            editEntry(model_->entryAt(current.row()));
    });
    tableKey({QKeySequence::Delete, QKeySequence(Qt::Key_Backspace)}, [this] { deleteSelected(); });
    // Ctrl+A, Ctrl+C and Ctrl+F are the window's Edit menu keys.
}

void CorvantaTableView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        model_->setPalette(palette());
    QWidget::changeEvent(event);
}

void CorvantaTableView::updateActions()
{
    const std::size_t selected = selectedShownRows().size();
    editAction_->setEnabled(selected == 1);
    deleteAction_->setEnabled(selected >= 1);
}

void CorvantaTableView::find() { findField_->activate(); }

void CorvantaTableView::copySelection()
{
    const std::vector<int> rows = selectedShownRows();
    if (!rows.empty())
        QApplication::clipboard()->setText(EntryTableText::tabSeparated(*model_, rows));
}

void CorvantaTableView::addEntry()
{
    auto entry = std::make_shared<BalanceEntry>();
    entry->setId(Uuid::random());
    entry->setDate(systemNow());
    editEntry(entry);
}

void CorvantaTableView::editSelected()
{
    const QModelIndex current = table_->currentIndex();
    if (current.isValid() && table_->selectionModel()->isRowSelected(current.row(), {})) {
        editEntry(model_->entryAt(current.row()));
        return;
    }
    const auto selected = selectedEntries();
    if (!selected.empty())
        editEntry(selected.front());
}

void CorvantaTableView::editEntry(const std::shared_ptr<BalanceEntry>& entry)
{
    if (!entry)
        return;
    const bool isNew = entry->context() == nullptr;
    overlay_->open(new EntryEditorView(context_, entry, isNew, [this] { overlay_->close(); }));
}

void CorvantaTableView::deleteSelected()
{
    const auto entries = selectedEntries();
    if (entries.empty())
        return;
    const Result<void> removed = EntryActions::remove(context_, entries);
    if (!removed) {
        // Nothing was deleted. The rows come back with the context's next change notice (it
        // is queued), so their selection is restored after it.
        QMetaObject::invokeMethod(this, [this, entries] { selectEntries(entries); }, Qt::QueuedConnection);
        dialogs_->showAlert({removed.error().message, {}});
        return;
    }
    table_->clearSelection();
    const int deleted = int(entries.size());
    Q_EMIT reported(deleted == 1 ? tr("Deleted 1 entry") : tr("Deleted %Ln entries", nullptr, deleted), true);
}

void CorvantaTableView::exportCSV()
{
    const std::optional<QString> path = CSVPorter::exportCSV(context_, *dialogs_);
    if (!path)
        return;
    const Result<std::int64_t> count = context_.countBalanceEntries();
    const QString file = QFileInfo(*path).fileName();
    if (!count)
        Q_EMIT reported(tr("Exported to %1").arg(file), false);
    else if (count.value() == 1)
        Q_EMIT reported(tr("Exported 1 entry to %1").arg(file), false);
    else
        Q_EMIT reported(tr("Exported %Ln entries to %1", nullptr, int(count.value())).arg(file), false);
}

void CorvantaTableView::importCSV()
{
    const std::optional<QString> path = dialogs_->chooseFileToImport();
    if (!path || path->isEmpty())
        return;
    ImportPreviewView::Actions actions{
        .import = [this](const std::shared_ptr<const CsvActions::ImportPreview>& preview, bool skip) { importPreviewed(preview, skip); },
        .failed = [this](const CSVPorter::Alert& alert) {
            overlay_->close();
            dialogs_->showAlert(alert);
        },
        .cancel = [this] {
            if (!saving_) {
                overlay_->close();
                return;
            }
            // The overlay closes once the import stopped (see importPreviewed).
            saving_->cancel();
            if (auto* preview = qobject_cast<ImportPreviewView*>(overlay_->content()))
                preview->cancelButton()->setEnabled(false);
        },
    };
    overlay_->open(new ImportPreviewView(*path, storedValuesSource(), std::move(actions)));
}

// The stored entries' values are read on the reading's thread through a background context of
// their own (a million of them take a while); without one, they are copied here.
ImportReadingTask::StoredSource CorvantaTableView::storedValuesSource()
{
    using Values = std::vector<BalanceEntry::Values>;
    const auto shared = [](Result<Values> values) -> Result<ImportReadingTask::StoredValues> {
        if (!values)
            return values.error();
        return std::make_shared<const Values>(std::move(values).value());
    };
    if (!backgroundContexts_)
        return [values = shared(CsvActions::storedValues(context_))] { return values; };
    std::shared_ptr<BackgroundContext> background = backgroundContexts_();
    return [background, shared] {
        Result<Values> values = Error{};
        background->performAndWait([&](ObjectContext& context) { values = CsvActions::storedValues(context); });
        return shared(std::move(values));
    };
}

void CorvantaTableView::setBackgroundContexts(BackgroundContexts make) { backgroundContexts_ = std::move(make); }

void CorvantaTableView::importPreviewed(const std::shared_ptr<const CsvActions::ImportPreview>& preview, bool skipAlreadyStored)
{
    if (saving_)
        return;
    if (!backgroundContexts_) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        const CsvActions::ImportOutcome outcome = CsvActions::importPreviewed(context_, *preview, skipAlreadyStored);
        QApplication::restoreOverrideCursor();
        importStored(outcome);
        return;
    }
    auto* shown = qobject_cast<ImportPreviewView*>(overlay_->content());
    if (shown)
        shown->showSaving(0);
    // The bar: the save in the background, then the window taking the rows in.
    constexpr double savingShare = 0.9;
    const auto showSaving = [shown = QPointer<ImportPreviewView>(shown)](double share) {
        if (shown)
            shown->showSaving(share);
    };
    ImportSavingTask::Reports reports{
        .progressed = [showSaving](double share) { showSaving(share * savingShare); },
        .finished = [this, preview, skipAlreadyStored, showSaving,
                     hold = context_.holdMerges()](const std::optional<Result<CsvActions::StoredRows>>& stored) mutable {
            auto shown = std::move(preview);
            if (!stored) {
                saving_.release()->deleteLater(); // this runs inside the task
                overlay_->close(); // cancelled: nothing was written
            } else {
                if (auto* shownNow = qobject_cast<ImportPreviewView*>(overlay_->content()))
                    shownNow->cancelButton()->setEnabled(false); // committed: it can only be undone
                CsvActions::adoptImport(
                    context_, *shown, skipAlreadyStored, *stored, std::move(hold),
                    [showSaving](double share) { showSaving(savingShare + share * (1 - savingShare)); },
                    [view = QPointer<CorvantaTableView>(this)](const CsvActions::ImportOutcome& outcome) {
                        if (!view)
                            return;
                        view->saving_.release()->deleteLater(); // (this may run inside the task)
                        view->importStored(outcome);
                    });
            }
            releaseOffThread(std::move(shown));
        },
    };
    saving_ = std::make_unique<ImportSavingTask>(backgroundContexts_(), preview, skipAlreadyStored, std::move(reports));
}

void CorvantaTableView::importStored(const CsvActions::ImportOutcome& outcome)
{
    overlay_->close(); // the preview goes once control is back in the event loop
    dialogs_->showAlert(outcome.alert);
    if (outcome.imported) {
        qCInfo(lcEntries).noquote() << QStringLiteral("Imported %1 rows").arg(*outcome.imported);
        const int imported = int(*outcome.imported);
        Q_EMIT reported(imported == 1 ? tr("Imported 1 entry") : tr("Imported %Ln entries", nullptr, imported), imported > 0);
    }
}

void CorvantaTableView::showContextMenu(const QPoint& position)
{
    if (table_->selectionModel()->selectedRows().isEmpty())
        return;
    QMenu menu(this);
    connect(menu.addAction(tr("Edit")), &QAction::triggered, this, &CorvantaTableView::editSelected);
    QAction* remove = menu.addAction(EntryToolbarIcons::remove(), tr("Delete"));
    connect(remove, &QAction::triggered, this, &CorvantaTableView::deleteSelected);
    menu.exec(table_->viewport()->mapToGlobal(position));
}
