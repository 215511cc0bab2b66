#pragma once

#include "views/entries/ImportReadingTask.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class BackgroundContext;
class BalanceEntry;
class EntryFindField;
class EntryTableModel;
class ImportSavingTask;
class ModalOverlay;
class ObjectContext;
class PorterDialogs;
class QAction;
class QTableView;
class QToolBar;
namespace CsvActions {
struct ImportPreview;
struct ImportOutcome;
} // namespace CsvActions

// The "Corvanta" tab: every balance entry, newest first, in a multi-selection table, with a
// toolbar to add, edit and delete entries and to export and import CSV files. Adding and
// editing open the entry editor in a modal overlay over the whole tab.
//
// Rows stand for their entries: every action takes the entries of the rows the user picked,
// so entries without an id (or sharing one) are never confused. Keys on the table: Return or
// Enter edits the current row, Delete deletes the selection, Ctrl+A selects all. Selection,
// current row and scroll position follow their entries through changes made elsewhere.
// A delete whose save fails changes nothing and says so in an alert. Main thread only.
class CorvantaTableView : public QWidget {
    Q_OBJECT
public:
    // `dialogs` (kept, not owned) stands in for the file choosers and alerts; null means the
    // real ones.
    explicit CorvantaTableView(ObjectContext& context, PorterDialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~CorvantaTableView() override;

    // Opens the editor on a new entry that belongs to no context until it is saved.
    void addEntry();
    // Opens the editor on the current row when it is selected, else on the first selected row.
    void editSelected();
    void editEntry(const std::shared_ptr<BalanceEntry>& entry);
    void deleteSelected();
    void exportCSV();
    // Picks a file and opens its import preview in the overlay; Import there stores the rows
    // (in a background context when one can be made, see setBackgroundContexts, with a
    // progress bar and Cancel in the overlay).
    void importCSV();
    using BackgroundContexts = std::function<std::unique_ptr<BackgroundContext>()>;
    void setBackgroundContexts(BackgroundContexts make);

    // Find: the search field takes the focus. Select All and Copy act on the rows shown.
    void find();
    void selectAllShown();
    // The selected rows as tab-separated text with a header line, on the clipboard.
    void copySelection();

    // The selected entries among the rows shown (a search never hides a row from view yet
    // leaves it to a delete).
    std::vector<std::shared_ptr<BalanceEntry>> selectedEntries() const;
    void selectEntries(const std::vector<std::shared_ptr<BalanceEntry>>& entries);

    QTableView* table() const { return table_; }
    EntryTableModel* model() const { return model_; }
    ModalOverlay* overlay() const { return overlay_; }
    QToolBar* toolBar() const { return toolBar_; }
    EntryFindField* findField() const { return findField_; }

Q_SIGNALS:
    // What an action just did, in a few words ("Deleted 3 entries"); `undoable` when the
    // store's Undo takes it back.
    void reported(const QString& text, bool undoable);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void importPreviewed(const std::shared_ptr<const CsvActions::ImportPreview>& preview, bool skipAlreadyStored);
    void importStored(const CsvActions::ImportOutcome& outcome);
    ImportReadingTask::StoredSource storedValuesSource();
    void buildToolBar();
    void buildTable();
    void addTableKeys();
    void showContextMenu(const QPoint& position);
    void updateActions();
    std::vector<int> selectedShownRows() const;
    void keepScrollAnchor();
    void restoreScrollAnchor();
    void keepViewState();
    void restoreViewState();
    void fitColumns();
    // Widens the amount columns to the widest figure in the rows on screen (never narrower
    // than their minimum), so no figure is cut; coalesced to once per event-loop pass.
    void scheduleFigureFit();
    void fitFigureColumns();

    ObjectContext& context_;
    std::unique_ptr<PorterDialogs> ownDialogs_;
    PorterDialogs* dialogs_ = nullptr;
    EntryTableModel* model_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QTableView* table_ = nullptr;
    ModalOverlay* overlay_ = nullptr;
    EntryFindField* findField_ = nullptr;
    bool figureFitScheduled_ = false;
    BackgroundContexts backgroundContexts_;
    std::unique_ptr<ImportSavingTask> saving_;
    QAction* editAction_ = nullptr;
    QAction* deleteAction_ = nullptr;
    // The entry at the top of the table, kept there while rows change elsewhere.
    std::shared_ptr<BalanceEntry> scrollAnchor_;
    std::vector<std::shared_ptr<BalanceEntry>> selectedBeforeReset_;
    std::shared_ptr<BalanceEntry> currentBeforeReset_;
};
