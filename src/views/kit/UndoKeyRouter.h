#pragma once

#include <QObject>

// Keeps Ctrl+Z and Ctrl+Shift+Z inside an editable text field that has the focus: they undo
// and redo the field's typing, or nothing when it has none, and never reach the window's Undo
// and Redo, which act on the store (a few keys too many in a field must not take back an
// import). The store's history stays on the Edit menu, and on the keys whenever no text field
// has the focus. Install one on the application (QApplication::installEventFilter). Main
// thread only.
class UndoKeyRouter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
