#pragma once

#include "analytics/TSXModel.h"
#include "model/LiveResult.h"
#include "model/TSXYear.h"
#include "views/kit/ColumnWidth.h"

#include <QAbstractTableModel>

#include <memory>
#include <unordered_map>
#include <vector>

class ObjectContext;

// The yearly rows of the index comparison, by ascending sortOrder, kept current by the
// context's change sets: rows are inserted, removed, moved and updated in place (a reset only
// for a whole new store), so selections follow their year. Display texts are formatted when
// asked for; the index-equivalent balance ("TSX Simulated") is recomputed once per change
// set that touches the years. Main thread only.
class TSXYearsTableModel : public QAbstractTableModel, private LiveResult<TSXYear>::Listener {
    Q_OBJECT
public:
    enum Column { Year, TsxReturn, NetCashFlows, ActualStart, ActualEnd, TsxSimulated, YourReturn, ColumnCount };
    // The unformatted value of a cell (a number, or the display name for Year), for sorting.
    static constexpr int RawValueRole = Qt::UserRole;

    static ColumnWidth columnWidth(Column column);

    explicit TSXYearsTableModel(ObjectContext& context, QObject* parent = nullptr);
    ~TSXYearsTableModel() override;

    // Loads the years (a reset). A failing read keeps the rows shown so far.
    Result<void> fetch();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const LiveResult<TSXYear>::Objects& years() const { return years_.objects(); }
    std::shared_ptr<TSXYear> yearAt(int row) const;
    int rowOf(const TSXYear& year) const { return years_.indexOf(year); }
    // The index-equivalent balance shown for a sortOrder: the last year of that sortOrder in
    // simulation order wins; 0 for a sortOrder no year has.
    double simulatedFor(std::int64_t sortOrder) const;

Q_SIGNALS:
    // After each change of the years (a change set or a reload) has been announced.
    void yearsChanged();

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
    void didApply(const ChangeSet& changes) override;

    void recomputeSimulated();

    LiveResult<TSXYear> years_;
    std::unordered_map<std::int64_t, double> simulatedByOrder_;
    QVariant digitFont_; // the amounts' font: equal-width digits
};
