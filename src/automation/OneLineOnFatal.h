#pragma once

#include <QString>
#include <QtGlobal>

// Qt ends the process with several lines of its own and an abort when the platform plugin
// cannot open a display. While one of these lives (around making a QApplication), a fatal Qt
// message prints `line` on standard error instead and the process exits with status 1.
// One at a time; not for threads other than the main one.
class OneLineOnFatal {
public:
    explicit OneLineOnFatal(QString line);
    ~OneLineOnFatal();
    OneLineOnFatal(const OneLineOnFatal&) = delete;
    OneLineOnFatal& operator=(const OneLineOnFatal&) = delete;

private:
    QtMessageHandler previous_;
};
