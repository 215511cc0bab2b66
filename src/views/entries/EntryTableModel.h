#pragma once

#include "model/LiveResult.h"
#include "views/entries/AdjustedBalances.h"
#include "views/kit/ColumnWidth.h"

#include <QAbstractTableModel>
#include <QPalette>
#include <QVariant>

#include <array>
#include <memory>
#include <unordered_map>

class BalanceEntry;
class ObjectContext;

// The entry table's rows: every balance entry of a context, newest first, kept current by the
// context's change sets. A change made anywhere (the editor, the form, an import, an undo,
// another process) reaches the view as rows inserted, removed, moved or updated in place, so
// that selection, current row and scroll position follow their entries; a reset happens only
// for a whole new store. Texts are formatted when first asked for and kept for the rows shown
// lately, so that a repaint formats nothing again: a million rows cost only the ones on
// screen. Main thread of the context only.
class EntryTableModel : public QAbstractTableModel, private LiveResult<BalanceEntry>::Listener {
    Q_OBJECT
public:
    enum Column { DateColumn, BalanceColumn, AdjustmentColumn, TransfersColumn, AdjustedBalanceColumn, NoteColumn, ColumnCount };
    // The unformatted value of a cell: a double for the amounts, milliseconds since the epoch
    // for the date (invalid without one), the note's text.
    static constexpr int RawValueRole = Qt::UserRole + 1;

    static ColumnWidth width(Column column);

    explicit EntryTableModel(ObjectContext& context, QObject* parent = nullptr);
    ~EntryTableModel() override;

    // Loads the entries (a reset). The model is empty until this succeeds.
    Result<void> fetch();

    const std::shared_ptr<BalanceEntry>& entryAt(int row) const;
    // The row of `entry`, or -1 when the table does not list it.
    int rowOf(const BalanceEntry& entry) const;
    double adjustedBalance(int row) const;

    // The palette whose colours the Foreground role resolves (the view's own, light or dark).
    void setPalette(const QPalette& palette);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void willReset() override;
    void didReset() override;
    void willInsert(int first, int last) override;
    void didInsert() override;
    void willRemove(int first, int last) override;
    void didRemove() override;
    void willMove(int from, int to) override;
    void didMove() override;
    void didUpdate(int first, int last, std::uint32_t attributes) override;

    QString displayText(const BalanceEntry& entry, int row, int column) const;
    QString formattedText(const BalanceEntry& entry, int row, int column) const;
    // Drops the kept texts of rows first..last (all of them for a long range).
    void forgetTexts(int first, int last);
    QVariant rawValue(const BalanceEntry& entry, int row, int column) const;
    QVariant foreground(const BalanceEntry& entry, int column) const;
    void adjustedChangedThrough(int row);

    LiveResult<BalanceEntry> entries_;
    AdjustedBalances adjusted_;
    // The palette's colours for the Foreground role, resolved once per palette.
    struct Colours {
        QVariant green, red, secondary;
    } colours_;
    QVariant digitFont_;
    // The display texts of rows shown lately, by entry. An entry's texts go when it changes,
    // moves, comes or goes; the adjusted balance's text is kept with the value it shows, as
    // an edit of another row can change it. Bounded: cleared when it grows past a few screens.
    struct RowTexts {
        std::array<QString, ColumnCount> text;
        double adjusted = 0;
        bool adjustedKnown = false;
    };
    mutable std::unordered_map<const BalanceEntry*, RowTexts> texts_;
    // The edit announced by the last will* call, applied by its did* call.
    int pendingFirst_ = 0;
    int pendingLast_ = 0;
};
