#include "app/FirstPaintProbe.h"

#include <QApplication>
#include <QEvent>
#include <QPixmap>
#include <QWidget>

#include <cstdio>

FirstPaintProbe::FirstPaintProbe(QWidget& window, QString screenshotPath, QObject* parent)
    : QObject(parent), window_(window), screenshotPath_(std::move(screenshotPath))
{
    window_.installEventFilter(this);
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (!fired_ && watched == &window_ && event->type() == QEvent::Paint) {
        fired_ = true;
        // Queued: runs once the whole paint pass this event belongs to has finished.
        QMetaObject::invokeMethod(this, &FirstPaintProbe::finish, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void FirstPaintProbe::finish()
{
    std::printf("first-paint\n");
    std::fflush(stdout);
    int status = 0;
    if (!screenshotPath_.isEmpty() && !window_.grab().save(screenshotPath_, "PNG")) {
        std::fprintf(stderr, "corvanta: could not write %s\n", qPrintable(screenshotPath_));
        status = 1;
    }
    QApplication::exit(status);
}
