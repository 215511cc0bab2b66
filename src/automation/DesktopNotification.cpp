#include "automation/DesktopNotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace {
// A notification service that does not answer within this long counts as absent.
constexpr int replyTimeoutMilliseconds = 5000;
} // namespace

namespace DesktopNotification {

bool show(const QString& title, const QString& body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage notify = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                                         QStringLiteral("/org/freedesktop/Notifications"),
                                                         QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout (-1: the server's default)
    notify << QStringLiteral("Corvanta") << 0u << QStringLiteral("org.corvanta.Corvanta") << title << body
           << QStringList() << QVariantMap() << -1;
    const QDBusMessage reply = bus.call(notify, QDBus::Block, replyTimeoutMilliseconds);
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace DesktopNotification
