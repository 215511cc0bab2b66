#pragma once

#include <QWidget>

class ObjectContext;
class QTabWidget;

// The main window's content: the three tabs "Dashboard", "Corvanta" (the entry table) and
// "TSX Comparison", the first one shown at launch.
class ContentView : public QWidget {
    Q_OBJECT
public:
    explicit ContentView(ObjectContext& context, QWidget* parent = nullptr);
    ~ContentView() override;

    QTabWidget* tabs() const { return tabs_; }

private:
    QTabWidget* tabs_ = nullptr;
};
