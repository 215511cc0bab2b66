#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMainWindow;
class QMenu;

// What the menu commands do; the menus only give them titles and keys.
struct MenuCommands {
    std::function<void()> newEntry, importCSV, exportCSV, quit;
    std::function<void()> undo, redo, selectAll, copy, find;
    std::function<void(int)> showTab;  // by index
    std::function<void(int)> stepTab;  // -1 back, +1 forward, wrapping
    std::function<void()> showShortcuts, about;
};

// What Undo and Redo would do now. An empty name stands for a step without one.
struct UndoCommandState {
    bool canUndo = false;
    bool canRedo = false;
    QString undoName;
    QString redoName;
};

// The main window's menu bar, built in this one place: File, Edit, View and Help. Every
// command with keys is window-wide, so the keys work whichever pane has the focus. Items
// other rooms add (File's backup commands, say) go into fileMenu() after construction.
class MainMenus : public QObject {
    Q_OBJECT
public:
    static constexpr int tabCount = 3;

    MainMenus(QMainWindow& window, MenuCommands commands);

    QMenu* fileMenu() const { return file_; }
    QMenu* editMenu() const { return edit_; }
    QMenu* viewMenu() const { return view_; }
    QMenu* helpMenu() const { return help_; }
    QAction* undoAction() const { return undo_; }
    QAction* redoAction() const { return redo_; }

    // Titles ("Undo Delete 3 Entries") and enabled state of Undo and Redo.
    void setUndoState(const UndoCommandState& state);

    // Every menu item that has keys, in menu order (the shortcuts sheet lists them).
    QList<QAction*> actionsWithKeys() const;

    static QString undoTitle(const QString& stepName);
    static QString redoTitle(const QString& stepName);

private:
    QAction* add(QMenu* menu, const QString& title, const QList<QKeySequence>& keys, std::function<void()> command);

    MenuCommands commands_;
    QMenu* file_ = nullptr;
    QMenu* edit_ = nullptr;
    QMenu* view_ = nullptr;
    QMenu* help_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
};
