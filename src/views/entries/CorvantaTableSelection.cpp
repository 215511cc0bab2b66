// The table's selection: which entries are selected, selecting by entry, and keeping the
// selection and the top row on their entries while rows change.
#include "views/entries/CorvantaTableView.h"

#include "model/BalanceEntry.h"
#include "views/entries/EntryTableModel.h"

#include <QItemSelection>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>

std::vector<int> CorvantaTableView::selectedShownRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        if (!table_->isRowHidden(index.row()))
            rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<std::shared_ptr<BalanceEntry>> CorvantaTableView::selectedEntries() const
{
    const std::vector<int> rows = selectedShownRows();
    std::vector<std::shared_ptr<BalanceEntry>> entries;
    entries.reserve(rows.size());
    for (int row : rows)
        entries.push_back(model_->entryAt(row));
    return entries;
}

void CorvantaTableView::selectAllShown()
{
    // One range per run of shown rows, so a search's hidden rows stay unselected.
    QItemSelection selection;
    const int rows = model_->rowCount();
    for (int first = 0; first < rows;) {
        if (table_->isRowHidden(first)) {
            ++first;
            continue;
        }
        int last = first;
        while (last + 1 < rows && !table_->isRowHidden(last + 1))
            ++last;
        selection.select(model_->index(first, 0), model_->index(last, EntryTableModel::ColumnCount - 1));
        first = last + 1;
    }
    table_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void CorvantaTableView::selectEntries(const std::vector<std::shared_ptr<BalanceEntry>>& entries)
{
    std::vector<int> rows;
    rows.reserve(entries.size());
    for (const auto& entry : entries)
        if (const int row = model_->rowOf(*entry); row >= 0)
            rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    // One range per run of neighbouring rows: a block of ten thousand is one range.
    QItemSelection selection;
    for (std::size_t first = 0; first < rows.size();) {
        std::size_t last = first;
        while (last + 1 < rows.size() && rows[last + 1] <= rows[last] + 1)
            ++last;
        selection.select(model_->index(rows[first], 0), model_->index(rows[last], EntryTableModel::ColumnCount - 1));
        first = last + 1;
    }
    table_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

// While rows come and go elsewhere, the entry at the top of the table stays there (unless the
// table is scrolled to its very top, where new entries come into view).
void CorvantaTableView::keepScrollAnchor()
{
    scrollAnchor_.reset();
    if (table_->verticalScrollBar()->value() == 0)
        return;
    if (const int top = table_->rowAt(0); top >= 0)
        scrollAnchor_ = model_->entryAt(top);
}

void CorvantaTableView::restoreScrollAnchor()
{
    if (!scrollAnchor_)
        return;
    if (const int row = model_->rowOf(*scrollAnchor_); row >= 0)
        table_->scrollTo(model_->index(row, 0), QAbstractItemView::PositionAtTop);
    scrollAnchor_.reset();
}

// A reset (a whole new list: a reload, or a change the store can only announce as one) keeps
// the selection, the current row and the top row on their entries where they are still listed.
void CorvantaTableView::keepViewState()
{
    keepScrollAnchor();
    selectedBeforeReset_ = selectedEntries();
    const QModelIndex current = table_->currentIndex();
    currentBeforeReset_ = current.isValid() ? model_->entryAt(current.row()) : nullptr;
}

void CorvantaTableView::restoreViewState()
{
    selectEntries(selectedBeforeReset_);
    if (currentBeforeReset_)
        if (const int row = model_->rowOf(*currentBeforeReset_); row >= 0)
            table_->selectionModel()->setCurrentIndex(model_->index(row, 0), QItemSelectionModel::NoUpdate);
    selectedBeforeReset_.clear();
    currentBeforeReset_.reset();
    restoreScrollAnchor();
}
