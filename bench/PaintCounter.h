#pragma once

#include <QEvent>
#include <QObject>

// Counts the paints of the widget it watches, to show that each iteration really repaints.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};
