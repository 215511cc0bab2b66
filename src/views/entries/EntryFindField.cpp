#include "views/entries/EntryFindField.h"

#include "views/entries/EntryTableText.h"

#include <QKeyEvent>
#include <QTableView>

EntryFindField::EntryFindField(QTableView& table, QWidget* parent) : QLineEdit(parent), table_(table)
{
    setObjectName(QStringLiteral("findField"));
    setPlaceholderText(tr("Find in notes, dates, amounts"));
    setAccessibleName(tr("Find"));
    setAccessibleDescription(tr("Shows only the entries whose note, date or amounts contain the text"));
    setClearButtonEnabled(true);
    setMaximumWidth(280);

    connect(this, &QLineEdit::textChanged, this, &EntryFindField::applyToAll);
    QAbstractItemModel* model = table_.model();
    connect(model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
        applyTo(first, last);
    });
    connect(model, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& from, const QModelIndex& to) {
        applyTo(from.row(), to.row());
    });
    // Hidden rows are kept by position: any reshuffle is checked afresh.
    connect(model, &QAbstractItemModel::rowsMoved, this, &EntryFindField::applyToAll);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &EntryFindField::applyToAll);
    connect(model, &QAbstractItemModel::modelReset, this, &EntryFindField::applyToAll);
}

void EntryFindField::activate()
{
    setFocus(Qt::ShortcutFocusReason);
    selectAll();
}

bool EntryFindField::showsRow(int row) const { return !table_.isRowHidden(row); }

void EntryFindField::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && !text().isEmpty()) {
        clear();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void EntryFindField::applyTo(int first, int last)
{
    const QString query = text();
    if (query.trimmed().isEmpty() && !hidesAny_)
        return; // the usual case: no search, nothing to look at
    bool hidesAny = false;
    for (int row = first; row <= last; ++row) {
        const bool hide = !EntryTableText::rowMatches(*table_.model(), row, query);
        if (hide != table_.isRowHidden(row))
            table_.setRowHidden(row, hide);
        hidesAny = hidesAny || hide;
    }
    if (first == 0 && last >= table_.model()->rowCount() - 1)
        hidesAny_ = hidesAny;
    else
        hidesAny_ = hidesAny_ || hidesAny;
}

void EntryFindField::applyToAll() { applyTo(0, table_.model()->rowCount() - 1); }
