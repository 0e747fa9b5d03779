#pragma once
// A private D-Bus daemon for one test program, standing in for both the
// session and the system bus, with the fake desktop services on it. Create it
// before anything in the process touches QtDBus: the buses are chosen from
// the environment on first use.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>

namespace kiv::test {

// How long a test waits for a round trip over the bus (a call, its answer,
// the fake service's record of it): generous, since a loaded machine may
// take seconds; a wait ends as soon as what it waits for is there.
inline constexpr int kBusTimeoutMs = 60000;

class PrivateBus {
public:
    PrivateBus() {
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {"--session", "--nofork", "--nopidfile", "--print-address=1"});
        if (!daemon_.waitForStarted(10000) || !daemon_.waitForReadyRead(10000))
            return;
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", address_.toUtf8());
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address_.toUtf8());
    }
    ~PrivateBus() {
        StopServices();
        daemon_.kill();
        daemon_.waitForFinished(5000);
    }

    bool Up() const { return !address_.isEmpty(); }

    // Starts the fake services (again); true once they are on the bus.
    bool StartServices(const QStringList& arguments = {}) {
        StopServices();
        calls_.clear();
        services_.start(QStringLiteral(FAKE_SERVICES_PATH), arguments);
        return QTest::qWaitFor([this] { return Calls().contains(QStringLiteral("ready")); },
                               kBusTimeoutMs);
    }
    void StopServices() {
        if (services_.state() != QProcess::NotRunning) {
            services_.kill();
            services_.waitForFinished(5000);
        }
    }

    // Every line the services printed so far: one per call.
    QStringList Calls() {
        calls_ += QString::fromUtf8(services_.readAllStandardOutput());
        return calls_.split('\n', Qt::SkipEmptyParts);
    }

private:
    QProcess daemon_;
    QProcess services_;
    QString address_;
    QString calls_;
};

} // namespace kiv::test
