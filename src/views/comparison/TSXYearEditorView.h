#pragma once

#include "views/comparison/YearEditorTexts.h"

#include <QWidget>

#include <memory>

class ObjectContext;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class TSXYear;

// Edits one yearly row on text copies of its attributes, 380 wide, for the modal overlay.
// Nothing is written to the row before Save, which writes all six attributes (and an id when
// it has none) as one undoable step and one save; a row not yet in the store (a proposed new
// year) is inserted then. Cancel therefore leaves no trace: a new year never reaches the
// context, and no one else's pending changes or undo steps are touched.
//
// A failed save says "Save failed: " and the reason, and keeps the editor open with the texts
// as typed. An amount that cannot be read says why under its field and keeps Save disabled;
// the return shows what it was read as ("= 21.5 %"). "Fill from Entries" proposes the start, end and cash flows of the typed year from
// the balance entries, in the text fields only. Main thread only.
class TSXYearEditorView : public QWidget {
    Q_OBJECT
public:
    static constexpr int editorWidth = 380;
    enum class Field { Year, Label, TsxReturn, NetCashFlows, ActualStart, ActualEnd };
    static constexpr int fieldCount = 6;

    TSXYearEditorView(ObjectContext& context, std::shared_ptr<TSXYear> year, QWidget* parent = nullptr);
    ~TSXYearEditorView() override;

    // Fills the fields from the row, the first time only: later calls keep what was typed.
    void load();
    // Writes the fields back and saves; closes on success.
    void save();
    void cancel();
    void fillFromEntries();

    QString title() const;
    QLineEdit* field(Field field) const;
    QString message() const; // the one-line note under the fields; empty for none
    QString fieldMessage(Field field) const; // why the field cannot be read; empty when it can
    const std::shared_ptr<TSXYear>& year() const { return year_; }
    // Whether the year being edited was deleted elsewhere (another program, D-Bus) while the
    // editor was open: the panel says so and Save stays disabled.
    bool yearDeletedElsewhere() const;

Q_SIGNALS:
    // The editor is done (after a successful save or a cancel); the overlay closes on it.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    YearEditorTexts texts() const;
    void showTexts(const YearEditorTexts& texts);
    void setMessage(const QString& text, bool isError);
    // Shows under each amount why it cannot be read, and next to the return what it was read
    // as; Save is enabled only when every amount reads.
    void updateReading();
    void colourLabels();

    ObjectContext& context_;
    std::shared_ptr<TSXYear> year_;
    bool isNew_;
    bool loaded_ = false;
    bool messageIsError_ = false;
    QLabel* title_ = nullptr;
    QFormLayout* form_ = nullptr;
    QLineEdit* fields_[fieldCount] = {};
    QLabel* fieldMessages_[fieldCount] = {};
    QLabel* returnShown_ = nullptr;
    QLabel* message_ = nullptr;
    QPushButton* saveButton_ = nullptr;
};
