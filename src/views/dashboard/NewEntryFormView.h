#pragma once

#include <QWidget>

class ObjectContext;
class QCalendarWidget;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

// The dashboard's quick-entry panel: day, balance, adjustment, transfers and note, with Clear
// and Submit. Submit adds one entry through EntryActions (one undo step, saved at once); on
// success the form returns to its initial state (today, empty inputs, no message). A save
// that fails leaves nothing behind in the context, shows "Save failed: " and the reason, and
// keeps the inputs as typed for another try. Return in a one-line field moves the focus to
// the next field; Ctrl+Return submits from any field, and after a submit the focus is back in
// Balance. Main thread only.
class NewEntryFormView : public QWidget {
    Q_OBJECT
public:
    // The focusable inputs, in focus order.
    enum class Field { Date, Balance, Adjustment, Transfers, Note };

    explicit NewEntryFormView(ObjectContext& context, QWidget* parent = nullptr);
    ~NewEntryFormView() override;

    void submit();
    void clear();
    // Where typing a new entry starts: the Balance field, its text selected.
    void focusBalance();

Q_SIGNALS:
    // After a submit: what was added, in a few words; the store's Undo takes it back.
    void reported(const QString& text, bool undoable);

private:
    QWidget* buildDateGroup();
    QWidget* field(const QString& caption, QLineEdit*& edit, const QString& prompt, Field focus, Field next);
    QWidget* buildNoteGroup();
    QWidget* buildButtonRow();
    QWidget* input(Field field) const;
    void focusOnReturn(QLineEdit* edit, Field next);

    void updateValidation();
    void setErrorMessage(const QString& message);
    void showDatePicker();
    void pickDay(const QDate& day);
    void fitNoteHeight();

    ObjectContext& context_;
    QLineEdit* dateText_ = nullptr;
    QToolButton* calendarButton_ = nullptr;
    QLabel* dateHint_ = nullptr;
    QLineEdit* balance_ = nullptr;
    QLineEdit* adjustment_ = nullptr;
    QLineEdit* transfers_ = nullptr;
    QPlainTextEdit* note_ = nullptr;
    QLabel* errorMessage_ = nullptr;
    QPushButton* submitButton_ = nullptr;
    QFrame* datePopover_ = nullptr;
    QCalendarWidget* calendar_ = nullptr;
};
