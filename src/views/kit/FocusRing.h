#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Draws a 2-pixel ring in the palette's highlight colour just inside the widget that has the
// keyboard focus (inside the viewport of a scrolling view), on top of what the widget paints
// itself: every control shows where the keys go, whatever the widget style draws or omits.
// Install one on the application (QApplication::installEventFilter). Main thread only.
class FocusRing : public QObject {
public:
    static constexpr int width = 2;

    explicit FocusRing(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow(QWidget* now);
    static QWidget* ringCarrier(QWidget* focused);

    QPointer<QWidget> carrier_;
};
