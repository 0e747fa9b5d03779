#pragma once
// A desktop notification (org.freedesktop.Notifications.Notify on the
// session bus), for news a user who switched to another window should see.
// Without a bus or a notification service nothing happens.

#include <QString>

namespace kiv {

// Returns whether the service took the notification.
bool NotifyDesktop(const QString& summary, const QString& body);

} // namespace kiv
