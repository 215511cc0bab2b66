#pragma once

#include <QTableView>

// A table whose selection only ever holds rows the user chose. When a selected (or the
// current) row is removed, Qt would move the current row, and in single-selection mode the
// selection, to a neighbour; here the selection and the current row are cleared instead, so
// that Edit and Delete, which act on the selection, never reach a row nobody picked.
class ChosenRowsTable : public QTableView {
public:
    using QTableView::QTableView;

protected:
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
};
