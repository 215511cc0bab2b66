#pragma once

#include "automation/AddBalanceEntryIntent.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;

// The small window of the desktop's "Add Balance Entry" action: the five parameters with their
// titles and descriptions, read as every face reads them (TypedInput, NoteRules). Add performs the action
// through `perform` and closes on success; a failure is shown and the window stays open.
class AddEntryDialog : public QDialog {
    Q_OBJECT
public:
    // Returns the report ("Added ...") or the error to show.
    using Perform = std::function<Result<QString>(const AddBalanceEntryIntent&)>;

    explicit AddEntryDialog(Perform perform, QWidget* parent = nullptr);

    // The report of the last successful add.
    const QString& report() const { return report_; }

    void setText(const char* parameterKey, const QString& text);
    // Shows `date` as its day; left as shown, the entry gets `date` itself (time included).
    void setDate(Instant date);
    void submit();
    QString errorText() const;

private:
    std::optional<AddBalanceEntryIntent> readIntent();

    Perform perform_;
    std::vector<QLineEdit*> fields_; // in the order of AddBalanceEntryIntent::parameters
    QLabel* error_ = nullptr;
    QString prefilledDay_;
    std::optional<Instant> prefilledDate_;
    QString report_;
};
