#pragma once

#include <QLabel>
#include <QTimer>

#include <functional>

// The status bar's word on the last action ("Deleted 3 entries"), shown for a few seconds,
// with an "Undo" link when the store's Undo would take the action back.
class StatusFeedback : public QLabel {
    Q_OBJECT
public:
    static constexpr int shownMilliseconds = 6000;

    StatusFeedback(std::function<void()> undo, QWidget* parent = nullptr);

    void report(const QString& text, bool undoable);
    // The message without the link (empty when nothing is shown).
    QString message() const { return message_; }
    bool offersUndo() const { return offersUndo_; }

private:
    void forget();

    std::function<void()> undo_;
    QTimer expiry_;
    QString message_;
    bool offersUndo_ = false;
};
