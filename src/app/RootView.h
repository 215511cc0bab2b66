#pragma once

#include "app/MainMenus.h"

#include <QMainWindow>

#include <functional>

class ContentView;
class ModalOverlay;
class ObjectContext;
class StatusFeedback;

// What the application carries out for the menus; the window does the rest itself.
struct AppCommands {
    std::function<void()> quit;
    std::function<void()> undo;
    std::function<void()> redo;
    std::function<void()> about;
};

// The one main window, titled "Corvanta", never smaller than 960 by 640: the menus (MainMenus)
// over ContentView. Carries out the menu commands that act on its views: New Entry, Import
// and Export, Select All, Copy and Find on the entries, the tabs and the shortcuts sheet.
class RootView : public QMainWindow {
    Q_OBJECT
public:
    static constexpr QSize minimumWindowSize{960, 640};

    RootView(ObjectContext& context, AppCommands commands, QWidget* parent = nullptr);
    ~RootView() override;

    ContentView* content() const { return content_; }
    MainMenus& menus() const { return *menus_; }

    // Where the keyboard starts: Balance, when the dashboard is shown.
    void focusStartingField();

    void newEntry();
    void importCSV();
    void exportCSV();
    void selectAll();
    void copy();
    void find();
    void showTab(int index);
    void stepTab(int step);
    void showShortcuts();
    ModalOverlay* sheetOverlay() const { return sheetOverlay_; }
    // Whether a panel (an editor, the shortcuts sheet) covers a view. As a sheet blocks its
    // window's commands, the store's Undo and Redo wait until it closes: the history must not
    // move under an edit in progress.
    bool panelOpen() const;

    // Says in the status bar what the last action did, with an Undo link when `undoable`.
    void report(const QString& text, bool undoable);
    StatusFeedback* feedback() const { return feedback_; }

Q_SIGNALS:
    void panelOpenChanged();

private:
    // Follows the panels (overlays) in `view` opening and closing.
    void watchPanels(QWidget* view);
    AppCommands commands_;
    ContentView* content_ = nullptr;
    MainMenus* menus_ = nullptr;
    ModalOverlay* sheetOverlay_ = nullptr;
    StatusFeedback* feedback_ = nullptr;
};
