#pragma once

#include <QString>

// A desktop notification over the session bus's org.freedesktop.Notifications service: how
// the desktop entry's actions report. Needs a QCoreApplication.
namespace DesktopNotification {
// True when a notification service took it; false when there is no session bus, no service,
// or it refused (the caller then prints the text instead).
bool show(const QString& title, const QString& body);
} // namespace DesktopNotification
