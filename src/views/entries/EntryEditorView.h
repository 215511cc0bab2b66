#pragma once

#include "views/entries/EntryEditorText.h"

#include <QWidget>

#include <functional>
#include <memory>

class BalanceEntry;
class ObjectContext;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

// Edits one entry in a 360-point panel (the entry table shows it in its modal overlay). The
// user edits text copies of the values; nothing reaches the entry until Save, which writes
// every field through EntryActions::update (one save, one undo step, a detached entry is
// inserted) and then runs `onClose`. When the save fails the editor stays open with the user's
// texts and says "Save failed: " and the reason. Cancel (and Escape) runs `onClose` only.
// Main thread only.
class EntryEditorView : public QWidget {
    Q_OBJECT
public:
    static constexpr int panelWidth = 360;

    // `isNew` titles the panel "Add Entry" and leaves a zero balance empty.
    EntryEditorView(ObjectContext& context, std::shared_ptr<BalanceEntry> entry, bool isNew,
                    std::function<void()> onClose, QWidget* parent = nullptr);
    ~EntryEditorView() override;

    // Fills the fields from the entry, once per editor (later calls keep the user's typing).
    void load();
    void save();

    const std::shared_ptr<BalanceEntry>& entry() const { return entry_; }
    EntryEditorText text() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* addTextRow(const QString& label, const QString& placeholder, const char* name);
    QWidget* buildButtonRow();
    void updateValidation();
    void fitNoteHeight();

    ObjectContext& context_;
    std::shared_ptr<BalanceEntry> entry_;
    bool isNew_;
    std::function<void()> onClose_;
    bool loaded_ = false;

    class QFormLayout* form_ = nullptr;
    QLineEdit* dateText_ = nullptr;
    QLabel* dateHint_ = nullptr;
    QLineEdit* balance_ = nullptr;
    QLineEdit* adjustment_ = nullptr;
    QLineEdit* transfers_ = nullptr;
    QTextEdit* note_ = nullptr;
    QLabel* saveError_ = nullptr;
    QPushButton* saveButton_ = nullptr;
};
