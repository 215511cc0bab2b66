#pragma once

#include <QObject>
#include <QString>

class QWidget;

// Test and measurement aid, driven by hidden command-line switches: once `window` has been
// painted for the first time, prints "first-paint <ms since process start>" on stdout,
// optionally saves the window's pixels as PNG, and quits the application.
class FirstPaintProbe : public QObject {
    Q_OBJECT
public:
    FirstPaintProbe(QWidget& window, QString screenshotPath, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finish();

    QWidget& window_;
    QString screenshotPath_;
    bool fired_ = false;
};
