#include "views/kit/UndoKeyRouter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

bool isEditableTextField(QObject* widget)
{
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        return !line->isReadOnly();
    if (auto* text = qobject_cast<QTextEdit*>(widget))
        return !text->isReadOnly();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
        return !plain->isReadOnly();
    return false;
}

} // namespace

bool UndoKeyRouter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!key->matches(QKeySequence::Undo) && !key->matches(QKeySequence::Redo))
        return false;
    if (!isEditableTextField(watched))
        return false;
    // Accepted: the key goes to the field as a key press, and the window's shortcut does not run.
    key->accept();
    return true;
}
