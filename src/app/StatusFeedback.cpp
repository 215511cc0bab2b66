#include "app/StatusFeedback.h"

StatusFeedback::StatusFeedback(std::function<void()> undo, QWidget* parent) : QLabel(parent), undo_(std::move(undo))
{
    setObjectName(QStringLiteral("statusFeedback"));
    setTextFormat(Qt::RichText);
    setFocusPolicy(Qt::NoFocus); // a tab stop only while it offers Undo
    setAccessibleName(tr("Last action"));
    expiry_.setSingleShot(true);
    expiry_.setInterval(shownMilliseconds);
    connect(&expiry_, &QTimer::timeout, this, &StatusFeedback::forget);
    connect(this, &QLabel::linkActivated, this, [this] {
        forget(); // the link acts once
        undo_();
    });
}

void StatusFeedback::report(const QString& text, bool undoable)
{
    message_ = text;
    offersUndo_ = undoable;
    QString shown = text.toHtmlEscaped();
    if (undoable)
        shown += QStringLiteral(" &nbsp;<a href=\"undo\">%1</a>").arg(tr("Undo"));
    setText(shown);
    setTextInteractionFlags(undoable ? Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard : Qt::NoTextInteraction);
    setFocusPolicy(undoable ? Qt::TabFocus : Qt::NoFocus);
    setAccessibleDescription(text);
    expiry_.start();
}

void StatusFeedback::forget()
{
    expiry_.stop();
    message_.clear();
    offersUndo_ = false;
    clear();
    setTextInteractionFlags(Qt::NoTextInteraction);
    setFocusPolicy(Qt::NoFocus);
}
