#include "app/AutomaticBackup.h"

#include <QEvent>
#include <QLoggingCategory>
#include <QPointer>
#include <QWidget>

namespace {
Q_LOGGING_CATEGORY(automaticBackupLog, "corvanta.backup")
}

AutomaticBackup::AutomaticBackup(QWidget& window, QString storePath, BackupSettings settings, QObject* parent)
    : QObject(parent), window_(window), storePath_(std::move(storePath)), settings_(std::move(settings))
{
    if (settings_.automatic)
        window_.installEventFilter(this);
}

AutomaticBackup::~AutomaticBackup()
{
    window_.removeEventFilter(this);
    cancelled_ = true;
    if (thread_.joinable())
        thread_.join();
}

bool AutomaticBackup::eventFilter(QObject* watched, QEvent* event)
{
    if (!started_ && watched == &window_ && event->type() == QEvent::Paint) {
        started_ = true;
        // Queued: after the whole first paint pass.
        QMetaObject::invokeMethod(this, &AutomaticBackup::start, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void AutomaticBackup::start()
{
    window_.removeEventFilter(this);
    thread_ = std::thread([this] {
        auto outcome = Backups::backUpIfChanged(storePath_, settings_, &cancelled_);
        if (!outcome && !cancelled_)
            qCWarning(automaticBackupLog, "The automatic backup was skipped: %s %s", qUtf8Printable(outcome.error().message),
                      qUtf8Printable(outcome.error().details));
        QMetaObject::invokeMethod(this, &AutomaticBackup::finished, Qt::QueuedConnection);
    });
}
