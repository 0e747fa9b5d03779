#pragma once
// A desktop notification (org.freedesktop.Notifications.Notify on the
// session bus), for news a user who switched to another window should see.
// Without a bus or a notification service nothing happens.

#include <QString>

#include <functional>

namespace kiv {

// Sends the notification without waiting for the service. answered, when
// given, later learns whether the service took it (at once when there is
// no bus). GUI thread.
void NotifyDesktop(const QString& summary, const QString& body,
                   std::function<void(bool taken)> answered = {});

} // namespace kiv
