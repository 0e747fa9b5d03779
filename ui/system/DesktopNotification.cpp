#include "DesktopNotification.h"

#include "DesktopBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

#include <cstdint>

namespace kiv {

void NotifyDesktop(const QString& summary, const QString& body,
                   std::function<void(bool taken)> answered) {
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected()) {
        if (answered)
            answered(false);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << QStringLiteral("Kiv Video Converter") << std::uint32_t{0}
         << QStringLiteral("kiv-video-converter") << summary << body << QStringList()
         << QVariantMap() << std::int32_t{-1};
    QDBusPendingCall pending = session.asyncCall(call, kBusTimeoutMs);
    if (!answered)
        return;
    auto* watcher = new QDBusPendingCallWatcher(pending, QCoreApplication::instance());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [watcher, answered = std::move(answered)] {
                         answered(!watcher->isError());
                         watcher->deleteLater();
                     });
}

} // namespace kiv
