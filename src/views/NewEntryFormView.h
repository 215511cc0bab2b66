#pragma once

#include <QWidget>

#include <memory>

class BalanceEntry;
class ObjectContext;
class QCalendarWidget;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

// The dashboard's quick-entry panel: day, balance, adjustment, transfers and note, with Clear
// and Submit. Submit inserts one BalanceEntry into `context` as one undoable step and saves at
// once; on success the form returns to its initial state (today, empty inputs, no message).
// Return in a one-line field moves the focus to the next field. Main thread only.
//
// A save that fails leaves the entry inserted but unsaved (it goes out with the next
// successful save) and the inputs as typed; submitting again updates that same entry instead
// of adding a second one, until the form is cleared.
class NewEntryFormView : public QWidget {
    Q_OBJECT
public:
    // The focusable inputs, in focus order.
    enum class Field { Date, Balance, Adjustment, Transfers, Note };

    explicit NewEntryFormView(ObjectContext& context, QWidget* parent = nullptr);
    ~NewEntryFormView() override;

    void submit();
    void clear();

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

    // Whether the entry of the last failed save is still in the context, for a retry.
    std::shared_ptr<BalanceEntry> retryableEntry() const;

    ObjectContext& context_;
    std::shared_ptr<BalanceEntry> unsavedEntry_;
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
