#include "views/kit/ChosenRowsTable.h"

#include <QItemSelectionModel>

#include <algorithm>

void ChosenRowsTable::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end)
{
    const auto goes = [&](const QModelIndex& index) {
        return index.isValid() && index.parent() == parent && index.row() >= start && index.row() <= end;
    };
    const QModelIndexList selected = selectionModel()->selectedRows();
    if (goes(currentIndex()) || std::any_of(selected.begin(), selected.end(), goes))
        selectionModel()->clear();
    QTableView::rowsAboutToBeRemoved(parent, start, end);
}
