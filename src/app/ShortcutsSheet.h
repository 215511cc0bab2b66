#pragma once

#include <QList>
#include <QWidget>

#include <functional>

class QAction;

// Help › Keyboard Shortcuts: every key of the menus (their plain titles), then the keys that
// belong to one view, in a two-column list. Shown in a modal overlay; Close or Escape ends it.
class ShortcutsSheet : public QWidget {
    Q_OBJECT
public:
    struct Key {
        QString keys;
        QString does;
    };

    ShortcutsSheet(const QList<QAction*>& menuActions, std::function<void()> onClose, QWidget* parent = nullptr);

    // The keys of the views (not in any menu), in the user's notation.
    static QList<Key> viewKeys();
    // The menus' keys, then the views'.
    static QList<Key> allKeys(const QList<QAction*>& menuActions);
};
