#pragma once

#include "services/EntryTexts.h"

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
// texts and says "Save failed: " and the reason. A field that cannot be read says why under
// itself and keeps Save disabled. Cancel (and Escape) runs `onClose` only.
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
    // The fields' texts; an untouched note is the entry's note exactly as it was loaded.
    EntryTexts text() const;
    // Whether the entry being edited was deleted (by another program, Undo or D-Bus) while
    // the editor was open: the panel says so and Save stays disabled.
    bool entryDeletedElsewhere() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* addTextRow(const QString& label, const QString& placeholder, const QString& description, const char* name);
    QLabel* addMessageRow(const char* name);
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
    // The note as loaded, and as the field shows it: QTextEdit keeps neither CR LF nor a lone
    // CR, so a note the user left alone is written back from here, byte for byte.
    QString loadedNote_;
    QString loadedNoteShown_;
    QLabel* balanceMessage_ = nullptr;
    QLabel* adjustmentMessage_ = nullptr;
    QLabel* transfersMessage_ = nullptr;
    QLabel* noteMessage_ = nullptr;
    QLabel* saveError_ = nullptr;
    QPushButton* saveButton_ = nullptr;
};
