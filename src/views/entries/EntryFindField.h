#pragma once

#include <QLineEdit>

class QTableView;

// The entry table's Find field: while it holds text, the table shows only the rows whose
// notes, dates or amounts contain it (EntryTableText::rowMatches); rows that come or change
// later are checked as they arrive. Escape clears the field. Main thread only.
class EntryFindField : public QLineEdit {
    Q_OBJECT
public:
    EntryFindField(QTableView& table, QWidget* parent = nullptr);

    // Puts the focus here with the text selected, ready for a new search.
    void activate();
    // Whether `row` is shown (false only for rows the search hides).
    bool showsRow(int row) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyTo(int first, int last);
    void applyToAll();

    QTableView& table_;
    bool hidesAny_ = false; // some row may be hidden
};
