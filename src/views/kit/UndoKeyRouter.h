#pragma once

#include <QObject>

// Decides where Ctrl+Z and Ctrl+Shift+Z go while a text field has the focus. Qt's fields
// claim both keys even with nothing to undo, which left the store's Undo out of reach from the
// keyboard whenever a field was focused (as it is right after submitting the form). With the
// router installed, the field keeps the keys while it has typing to undo (or redo); otherwise
// they fall through to the window's Undo and Redo commands, which act on the store.
// Install one on the application (QApplication::installEventFilter). Main thread only.
class UndoKeyRouter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
