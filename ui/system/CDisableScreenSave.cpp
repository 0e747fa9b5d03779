#include "CDisableScreenSave.h"

#include "DesktopBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>

namespace kiv {

namespace {
const QString kWho = QStringLiteral("Kiv Video Converter");
const QString kWhy = QStringLiteral("Converting videos");
} // namespace

CDisableScreenSave::CDisableScreenSave() {
    QDBusConnection session = QDBusConnection::sessionBus();
    if (session.isConnected()) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.ScreenSaver"),
            QStringLiteral("/org/freedesktop/ScreenSaver"),
            QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("Inhibit"));
        call << kWho << kWhy;
        QDBusReply<std::uint32_t> reply = session.call(call, QDBus::Block, kBusTimeoutMs);
        if (reply.isValid())
            cookie_ = reply.value();
    }
    QDBusConnection system = QDBusConnection::systemBus();
    if (system.isConnected()) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
        call << QStringLiteral("idle:sleep") << kWho << kWhy << QStringLiteral("block");
        QDBusReply<QDBusUnixFileDescriptor> reply = system.call(call, QDBus::Block, kBusTimeoutMs);
        if (reply.isValid())
            sleepLock_ = reply.value();
    }
}

CDisableScreenSave::~CDisableScreenSave() {
    if (cookie_ != 0) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.ScreenSaver"),
            QStringLiteral("/org/freedesktop/ScreenSaver"),
            QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("UnInhibit"));
        call << cookie_;
        QDBusConnection::sessionBus().call(call, QDBus::Block, kBusTimeoutMs);
    }
    // The sleep lock ends when its descriptor closes, with sleepLock_.
}

} // namespace kiv
