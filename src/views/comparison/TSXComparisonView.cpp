#include "views/comparison/TSXComparisonView.h"

#include "analytics/TSXModel.h"
#include "model/ObjectContext.h"
#include "model/StatsConversions.h"
#include "services/YearActions.h"
#include "views/comparison/ComparisonSummaryView.h"
#include "views/kit/EntryToolbarIcons.h"
#include "views/kit/HiddenOnPurpose.h"
#include "views/kit/ChosenRowsTable.h"
#include "views/kit/ModalOverlay.h"
#include "views/comparison/TSXYearEditorView.h"
#include "views/comparison/TSXYearsTableModel.h"
#include "views/kit/TextStyles.h"

#include <QAction>
#include <QDateTime>
#include <QHeaderView>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenu>
#include <QMessageBox>
#include <QScrollArea>
#include <QSplitter>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>
#include <set>

namespace {
Q_LOGGING_CATEGORY(lcComparison, "corvanta.comparison")

constexpr std::int64_t firstYear = 2015;

void showAlert(QWidget* parent, const QString& text) { QMessageBox::warning(parent, QString(), text); }
} // namespace

TSXComparisonView::TSXComparisonView(ObjectContext& context, QWidget* parent)
    : QWidget(parent), context_(context), entries_(context, BalanceEntry::Date, SortDirection::Ascending), alert_(showAlert)
{
    setObjectName(QStringLiteral("comparison"));
    model_ = new TSXYearsTableModel(context_, this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolbar(layout);
    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(buildUpperPane());
    splitter_->addWidget(buildLowerPane());
    splitter_->setStretchFactor(0, 3);
    splitter_->setStretchFactor(1, 2);
    layout->addWidget(splitter_);
    overlay_ = new ModalOverlay(this);

    connect(model_, &TSXYearsTableModel::yearsChanged, this, &TSXComparisonView::refreshSummary);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TSXComparisonView::updateActions);
    // A reload (a whole new store) keeps the selected year selected when it is still there;
    // a reset or a removal clears a selection without saying so, hence the extra updates.
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { selectedBeforeReset_ = selectedYear(); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        if (const auto year = std::exchange(selectedBeforeReset_, nullptr); year && model_->rowOf(*year) >= 0)
            table_->selectRow(model_->rowOf(*year));
        updateActions();
    });
    connect(model_, &QAbstractItemModel::rowsRemoved, this, &TSXComparisonView::updateActions);
    entries_.setListener(this);
    // A failing first read (the store gone from under the window) leaves the tab empty.
    for (const Result<void>& fetched : {model_->fetch(), entries_.fetch()})
        if (!fetched.ok())
            qCWarning(lcComparison).noquote() << QStringLiteral("Comparison fetch failed: ") + fetched.error().message;
    recomputeEntriesSummary();
    refreshSummary();
    updateActions();
}

TSXComparisonView::~TSXComparisonView() { entries_.setListener(nullptr); }

void TSXComparisonView::buildToolbar(QVBoxLayout* layout)
{
    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("comparisonToolbar"));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* spacer = new QWidget(toolbar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolbar->addWidget(spacer);
    // The entry table's symbols: a plus, a pencil, a waste bin.
    addYear_ = toolbar->addAction(EntryToolbarIcons::add(), tr("Add Year"), this, &TSXComparisonView::addYear);
    edit_ = toolbar->addAction(EntryToolbarIcons::edit(), tr("Edit"), this, &TSXComparisonView::editSelected);
    delete_ = toolbar->addAction(EntryToolbarIcons::remove(), tr("Delete"), this, &TSXComparisonView::deleteSelected);
    addYear_->setToolTip(tr("Add the year after the latest one"));
    edit_->setToolTip(tr("Edit the selected year"));
    delete_->setToolTip(tr("Delete the selected year"));
    layout->addWidget(toolbar);
}

QWidget* TSXComparisonView::buildUpperPane()
{
    auto* pane = new QWidget;
    pane->setMinimumHeight(upperPaneMinimumHeight);
    auto* stack = new QVBoxLayout(pane);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    auto* title = new QLabel(tr("Portfolio vs S&P/TSX Composite (Total Return)"), pane);
    title->setObjectName(QStringLiteral("comparisonTitle"));
    title->setFont(TextStyles::headline(title->font()));
    title->setContentsMargins(8, 8, 8, 8);
    title->setTextFormat(Qt::PlainText);
    stack->addWidget(title);

    table_ = new ChosenRowsTable(pane);
    table_->setObjectName(QStringLiteral("yearsTable"));
    table_->setAccessibleName(tr("Years"));
    table_->setAccessibleDescription(tr("One row per year: the index return beside your own"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setAlternatingRowColors(true);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    table_->verticalHeader()->hide();
    table_->setFrameShape(QFrame::NoFrame);
    QHeaderView* header = table_->horizontalHeader();
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    // The columns share the table's width; the smallest minimum is the floor of every one.
    int smallest = TSXYearsTableModel::columnWidth(TSXYearsTableModel::Column(0)).minimum;
    for (int c = 0; c < TSXYearsTableModel::ColumnCount; ++c) {
        header->resizeSection(c, TSXYearsTableModel::columnWidth(TSXYearsTableModel::Column(c)).ideal);
        smallest = std::min(smallest, TSXYearsTableModel::columnWidth(TSXYearsTableModel::Column(c)).minimum);
    }
    header->setMinimumSectionSize(smallest);
    header->setSectionResizeMode(QHeaderView::Stretch);
    // Each column keeps its own minimum; none has a maximum.
    connect(header, &QHeaderView::sectionResized, this, [header](int section, int, int size) {
        const int minimum = TSXYearsTableModel::columnWidth(TSXYearsTableModel::Column(section)).minimum;
        if (size < minimum)
            header->resizeSection(section, minimum);
    });
    connect(table_, &QTableView::customContextMenuRequested, this, &TSXComparisonView::showContextMenu);
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) { edit(model_->yearAt(index.row())); });
    stack->addWidget(table_);
    return pane;
}

QWidget* TSXComparisonView::buildLowerPane()
{
    summary_ = new ComparisonSummaryView;
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("comparisonSummary"));
    scroll->setMinimumHeight(lowerPaneMinimumHeight);
    scroll->setWidget(summary_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    return scroll;
}

void TSXComparisonView::addYear()
{
    if (overlay_->isOpen())
        return;
    // The largest position and year among the rows (which need not be the same row).
    std::int64_t lastOrder = -1;
    std::int64_t lastYear = firstYear - 1;
    const auto& years = model_->years();
    for (std::size_t i = 0; i < years.size(); ++i) {
        lastOrder = i == 0 ? years[i]->sortOrder() : std::max<std::int64_t>(lastOrder, years[i]->sortOrder());
        lastYear = i == 0 ? years[i]->year() : std::max<std::int64_t>(lastYear, years[i]->year());
    }
    if (lastOrder >= std::numeric_limits<std::int16_t>::max()) {
        alert_(this, tr("Cannot add another year: the last row already stands at the highest position a row can have (32,767)."));
        return;
    }
    auto year = std::make_shared<TSXYear>();
    year->setId(Uuid::random());
    year->setSortOrder(static_cast<std::int16_t>(lastOrder + 1));
    // The first calendar year of the entries that has no row yet; when every one has, the year
    // after the largest (after the largest possible year, the field starts empty instead).
    const std::optional<std::int32_t> missing = firstEntryYearWithoutRow();
    year->setYear(missing ? *missing : lastYear < std::numeric_limits<std::int32_t>::max() ? static_cast<std::int32_t>(lastYear + 1) : 0);
    edit(year);
}

std::optional<std::int32_t> TSXComparisonView::firstEntryYearWithoutRow() const
{
    const auto localYear = [](const std::shared_ptr<BalanceEntry>& entry) -> std::optional<int> {
        if (!entry->date())
            return std::nullopt;
        return QDateTime::fromMSecsSinceEpoch(millisecondsOf(*entry->date())).date().year();
    };
    const auto& entries = entries_.objects();
    std::optional<int> first, last;
    for (auto entry = entries.begin(); entry != entries.end() && !first; ++entry)
        first = localYear(*entry);
    for (auto entry = entries.rbegin(); entry != entries.rend() && !last; ++entry)
        last = localYear(*entry);
    if (!first || !last)
        return std::nullopt;
    std::set<std::int64_t> listed;
    for (const auto& row : model_->years())
        listed.insert(row->year());
    for (int candidate = *first; candidate <= *last; ++candidate)
        if (!listed.contains(candidate))
            return candidate;
    return std::nullopt;
}

void TSXComparisonView::edit(const std::shared_ptr<TSXYear>& year)
{
    if (!year || overlay_->isOpen())
        return;
    auto* editor = new TSXYearEditorView(context_, year);
    connect(editor, &TSXYearEditorView::closed, overlay_, &ModalOverlay::close);
    overlay_->open(editor);
}

void TSXComparisonView::editSelected() { edit(selectedYear()); }

void TSXComparisonView::deleteSelected()
{
    const std::shared_ptr<TSXYear> year = selectedYear();
    if (!year)
        return;
    const auto removed = YearActions::remove(context_, {year});
    if (!removed.ok()) {
        alert_(this, tr("Save failed: ") + removed.error().message);
        return;
    }
    table_->clearSelection();
}

std::shared_ptr<TSXYear> TSXComparisonView::selectedYear() const
{
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    return rows.isEmpty() ? nullptr : model_->yearAt(rows.front().row());
}

void TSXComparisonView::setAlert(Alert alert) { alert_ = std::move(alert); }

void TSXComparisonView::showContextMenu(const QPoint& at)
{
    if (!table_->indexAt(at).isValid())
        return;
    QMenu* menu = buildContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(table_->viewport()->mapToGlobal(at));
}

QMenu* TSXComparisonView::buildContextMenu()
{
    auto* menu = new QMenu(this);
    menu->addAction(edit_);
    menu->addAction(delete_);
    return menu;
}

void TSXComparisonView::updateActions()
{
    const bool selected = table_->selectionModel()->hasSelection();
    edit_->setEnabled(selected);
    delete_->setEnabled(selected);
}

void TSXComparisonView::didReset()
{
    recomputeEntriesSummary();
    refreshSummary();
}

void TSXComparisonView::didApply(const ChangeSet& changes)
{
    if (changes.entries.isEmpty() && !changes.reset)
        return;
    // A summary over every entry costs a pass over all of them: a hidden tab waits for its show.
    if (isHiddenOnPurpose(*this)) {
        entriesSummaryStale_ = true;
        return;
    }
    recomputeEntriesSummary();
    refreshSummary();
}

void TSXComparisonView::showEvent(QShowEvent* event)
{
    if (entriesSummaryStale_) {
        recomputeEntriesSummary();
        refreshSummary();
    }
    QWidget::showEvent(event);
}

void TSXComparisonView::recomputeEntriesSummary()
{
    entriesSummaryStale_ = false;
    entriesSummary_ = PortfolioStats::summary(statsInputs(entries_.objects()));
}

void TSXComparisonView::refreshSummary() { summary_->setComparison(TSXModel::comparison(inputs(model_->years()), entriesSummary_)); }
