#pragma once

#include <QMainWindow>

#include <functional>

class ContentView;
class ObjectContext;

// What the menu commands do; the window only wires them to its menus and keys.
struct AppCommands {
    std::function<void()> quit;
    std::function<void()> undo;
    std::function<void()> redo;
    std::function<void()> about;
};

// The one main window, titled "Corvanta", never smaller than 960 by 640: the menus File
// (Quit), Edit (Undo, Redo, disabled only while an editor panel is open) and Help (About Corvanta) over ContentView.
class RootView : public QMainWindow {
    Q_OBJECT
public:
    static constexpr QSize minimumWindowSize{960, 640};

    RootView(ObjectContext& context, AppCommands commands, QWidget* parent = nullptr);
    ~RootView() override;

    ContentView* content() const { return content_; }

private:
    void buildMenus();

    AppCommands commands_;
    ContentView* content_ = nullptr;
};
