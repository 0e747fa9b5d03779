#include "CDisableScreenSave.h"

#include "DesktopBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace kiv {

namespace {

const QString kWho = QStringLiteral("Kiv Video Converter");
// The reason the desktop shows beside the lock, in the user's language.
QString Why() {
    return CDisableScreenSave::tr("Converting videos");
}

QDBusMessage ScreenSaverCall(const QString& method) {
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.ScreenSaver"),
                                          QStringLiteral("/org/freedesktop/ScreenSaver"),
                                          QStringLiteral("org.freedesktop.ScreenSaver"), method);
}

// Lets the screen saver go, and the sleep lock once the screen saver has
// answered, without waiting for either.
void Release(std::uint32_t cookie, const QDBusUnixFileDescriptor& sleepLock) {
    if (cookie == 0)
        return; // the lock closes with the last copy of its descriptor
    QDBusMessage call = ScreenSaverCall(QStringLiteral("UnInhibit"));
    call << cookie;
    auto* watcher = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(call, kBusTimeoutMs), QCoreApplication::instance());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [watcher, sleepLock] { watcher->deleteLater(); });
}

} // namespace

CDisableScreenSave::CDisableScreenSave() {
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected()) {
        InhibitSleep();
        return;
    }
    QDBusMessage call = ScreenSaverCall(QStringLiteral("Inhibit"));
    call << kWho << Why();
    pending_ = new QDBusPendingCallWatcher(session.asyncCall(call, kBusTimeoutMs), this);
    askingScreenSaver_ = true;
    connect(pending_, &QDBusPendingCallWatcher::finished, this, [this] {
        QDBusPendingReply<std::uint32_t> reply = *pending_;
        if (reply.isValid())
            cookie_ = reply.value();
        pending_->deleteLater();
        pending_ = nullptr;
        askingScreenSaver_ = false;
        InhibitSleep();
    });
}

CDisableScreenSave::~CDisableScreenSave() {
    if (pending_) {
        // An answer still on its way is let go when it comes. The same
        // watcher outlives this object: one made now would never hear of an
        // answer that has already arrived and waits in the event queue.
        QDBusPendingCallWatcher* late = pending_;
        late->disconnect(this);
        late->setParent(QCoreApplication::instance());
        const bool screenSaver = askingScreenSaver_;
        connect(late, &QDBusPendingCallWatcher::finished, late, [late, screenSaver] {
            if (screenSaver) {
                QDBusPendingReply<std::uint32_t> reply = *late;
                if (reply.isValid())
                    Release(reply.value(), {});
            }
            late->deleteLater(); // a late sleep lock closes with its answer
        });
    }
    Release(cookie_, sleepLock_);
}

void CDisableScreenSave::InhibitSleep() {
    QDBusConnection system = QDBusConnection::systemBus();
    if (!system.isConnected()) {
        Settle();
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << QStringLiteral("idle:sleep") << kWho << Why() << QStringLiteral("block");
    pending_ = new QDBusPendingCallWatcher(system.asyncCall(call, kBusTimeoutMs), this);
    connect(pending_, &QDBusPendingCallWatcher::finished, this, [this] {
        QDBusPendingReply<QDBusUnixFileDescriptor> reply = *pending_;
        if (reply.isValid())
            sleepLock_ = reply.value();
        pending_->deleteLater();
        pending_ = nullptr;
        Settle();
    });
}

void CDisableScreenSave::Settle() {
    settled_ = true;
    emit settled();
}

} // namespace kiv
