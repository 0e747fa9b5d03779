// Stand-ins for the desktop services the program calls over D-Bus, for tests
// on a private bus: logind's Manager (PowerOff, Inhibit), the screen saver
// and the notification service; and a listener for the task-bar progress
// signal. Every call and signal is printed as one line on standard output; "--refuse-poweroff"
// makes PowerOff fail as an unauthorised call does.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QSocketNotifier>
#include <QStringList>
#include <QVariantMap>

#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

void Print(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

class Login : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    bool refusePowerOff = false;

public slots:
    void PowerOff(bool interactive) {
        Print(QStringLiteral("PowerOff %1").arg(interactive ? "interactive" : "quiet"));
        if (refusePowerOff)
            sendErrorReply(QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"),
                           QStringLiteral("Permission denied"));
    }
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString& who, const QString& why,
                                    const QString& mode) {
        Print(QStringLiteral("SleepInhibit %1|%2|%3|%4").arg(what, who, why, mode));
        // The lock is held while the caller keeps its end open.
        int ends[2];
        socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends);
        auto* notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [notifier, fd = ends[0]] {
            char byte;
            if (read(fd, &byte, 1) <= 0) {
                Print(QStringLiteral("SleepLockReleased"));
                notifier->setEnabled(false);
            }
        });
        QDBusUnixFileDescriptor handed(ends[1]); // takes a copy
        close(ends[1]);
        return handed;
    }
};

class ScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public slots:
    uint Inhibit(const QString& application, const QString& reason) {
        Print(QStringLiteral("ScreenSaverInhibit %1|%2").arg(application, reason));
        return 7;
    }
    void UnInhibit(uint cookie) { Print(QStringLiteral("ScreenSaverUnInhibit %1").arg(cookie)); }
};

class Notifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public slots:
    uint Notify(const QString& application, uint, const QString&, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap&, int) {
        Print(QStringLiteral("Notify %1|%2|%3").arg(application, summary, body));
        return 1;
    }
};

// Hears what a dock hears: com.canonical.Unity.LauncherEntry "Update".
class LauncherEntry : public QObject {
    Q_OBJECT
public slots:
    void Update(const QString& application, const QVariantMap& properties) {
        Print(QStringLiteral("LauncherEntry %1|%2|%3")
                  .arg(application)
                  .arg(properties.value(QStringLiteral("progress")).toDouble(), 0, 'f', 2)
                  .arg(properties.value(QStringLiteral("progress-visible")).toBool()));
    }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    Login login;
    login.refusePowerOff = application.arguments().contains(QStringLiteral("--refuse-poweroff"));
    ScreenSaver screenSaver;
    Notifications notifications;
    LauncherEntry launcherEntry;
    const auto exportSlots = QDBusConnection::ExportAllSlots;
    bool ready =
        bus.registerObject(QStringLiteral("/org/freedesktop/login1"), &login, exportSlots) &&
        bus.registerService(QStringLiteral("org.freedesktop.login1")) &&
        bus.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &screenSaver,
                           exportSlots) &&
        bus.registerService(QStringLiteral("org.freedesktop.ScreenSaver")) &&
        bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &notifications,
                           exportSlots) &&
        bus.registerService(QStringLiteral("org.freedesktop.Notifications")) &&
        bus.connect(QString(), QString(), QStringLiteral("com.canonical.Unity.LauncherEntry"),
                    QStringLiteral("Update"), &launcherEntry, SLOT(Update(QString, QVariantMap)));
    if (!ready) {
        std::fprintf(stderr, "fake services: cannot register on the bus\n");
        return 1;
    }
    Print(QStringLiteral("ready"));
    return application.exec();
}

#include "FakeDesktopServices.moc"
