#include "DesktopNotification.h"

#include "DesktopBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QStringList>
#include <QVariantMap>

#include <cstdint>

namespace kiv {

bool NotifyDesktop(const QString& summary, const QString& body) {
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << QStringLiteral("Kiv Video Converter") << std::uint32_t{0}
         << QStringLiteral("kiv-video-converter") << summary << body << QStringList()
         << QVariantMap() << std::int32_t{-1};
    QDBusReply<std::uint32_t> reply = session.call(call, QDBus::Block, kBusTimeoutMs);
    return reply.isValid();
}

} // namespace kiv
