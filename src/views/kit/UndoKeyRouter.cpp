#include "views/kit/UndoKeyRouter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// Whether the text field `widget` has a step of its own for the key; nothing when it is no
// editable text field.
std::optional<bool> fieldCanStep(QObject* widget, bool redo)
{
    if (auto* line = qobject_cast<QLineEdit*>(widget); line && !line->isReadOnly())
        return redo ? line->isRedoAvailable() : line->isUndoAvailable();
    QTextDocument* document = nullptr;
    if (auto* text = qobject_cast<QTextEdit*>(widget); text && !text->isReadOnly())
        document = text->document();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget); plain && !plain->isReadOnly())
        document = plain->document();
    if (!document)
        return std::nullopt;
    return redo ? document->isRedoAvailable() : document->isUndoAvailable();
}

} // namespace

bool UndoKeyRouter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const bool undo = key->matches(QKeySequence::Undo);
    const bool redo = key->matches(QKeySequence::Redo);
    if (!undo && !redo)
        return false;
    const std::optional<bool> fieldSteps = fieldCanStep(watched, redo);
    // A field with nothing to step: the event stays unaccepted, so the shortcut runs.
    return fieldSteps.has_value() && !*fieldSteps;
}
