#pragma once

#include "analytics/PortfolioStats.h"
#include "model/BalanceEntry.h"
#include "model/LiveResult.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class ComparisonSummaryView;
class ModalOverlay;
class ObjectContext;
class QAction;
class QMenu;
class QSplitter;
class QTableView;
class QVBoxLayout;
class TSXYear;
class TSXYearsTableModel;

// The index comparison tab: a toolbar (Add Year, Edit, Delete) over a vertical split of the
// years table (upper pane, at least 220 high, under the title "Portfolio vs S&P/TSX Composite
// (Total Return)") and the summary of the portfolio against its index equivalent (lower pane,
// at least 180 high). Years are edited in TSXYearEditorView on a modal overlay.
//
// Rows are identified by their object, never by id (ids may be missing or shared). Edit,
// Delete and the context menu act on the selected row; a double click edits the row clicked.
// The editor opens only while no other one is. Every change goes
// through YearActions: one undo step and one save; a failed save is shown to the user
// ("Save failed: " and the reason) and changes nothing. Main thread only.
class TSXComparisonView : public QWidget, private LiveResult<BalanceEntry>::Listener {
    Q_OBJECT
public:
    static constexpr int upperPaneMinimumHeight = 220;
    static constexpr int lowerPaneMinimumHeight = 180;
    // How a message reaches the user (a modal alert; tests record it instead).
    using Alert = std::function<void(QWidget* parent, const QString& text)>;

    explicit TSXComparisonView(ObjectContext& context, QWidget* parent = nullptr);
    ~TSXComparisonView() override;

    // Proposes the year after the latest one (2015 on an empty list) at the position after the
    // last, and opens the editor on it; nothing reaches the store before the editor's Save.
    // Refused with a message when the position would pass 32,767.
    void addYear();
    void edit(const std::shared_ptr<TSXYear>& year);
    void editSelected();
    void deleteSelected();

    std::shared_ptr<TSXYear> selectedYear() const;
    // What Add Year proposes first: the earliest calendar year of the entries without a row.
    std::optional<std::int32_t> firstEntryYearWithoutRow() const;
    void setAlert(Alert alert);

    TSXYearsTableModel* model() const { return model_; }
    QTableView* table() const { return table_; }
    ComparisonSummaryView* summary() const { return summary_; }
    ModalOverlay* overlay() const { return overlay_; }
    QSplitter* splitter() const { return splitter_; }
    QAction* addYearAction() const { return addYear_; }
    QAction* editAction() const { return edit_; }
    QAction* deleteAction() const { return delete_; }
    // The table's context menu (Edit, Delete: both act on the selection, not the clicked row).
    QMenu* buildContextMenu();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildUpperPane();
    QWidget* buildLowerPane();
    void buildToolbar(QVBoxLayout* layout);
    void showContextMenu(const QPoint& at);
    void updateActions();
    void didReset() override;
    void didApply(const ChangeSet& changes) override;
    void recomputeEntriesSummary();
    void refreshSummary();

    ObjectContext& context_;
    TSXYearsTableModel* model_ = nullptr;
    // The entries by date, kept current by change sets; their summary is recomputed only when
    // the entries change (an edit of a year leaves it as it was), and while the tab is hidden
    // only once it is shown again.
    LiveResult<BalanceEntry> entries_;
    PortfolioSummary entriesSummary_;
    bool entriesSummaryStale_ = false;
    std::shared_ptr<TSXYear> selectedBeforeReset_;
    Alert alert_;
    QSplitter* splitter_ = nullptr;
    QTableView* table_ = nullptr;
    ComparisonSummaryView* summary_ = nullptr;
    ModalOverlay* overlay_ = nullptr;
    QAction* addYear_ = nullptr;
    QAction* edit_ = nullptr;
    QAction* delete_ = nullptr;
};
