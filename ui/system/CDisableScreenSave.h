#pragma once
// Keeps the screen saver and automatic sleep away while a batch runs: an
// org.freedesktop.ScreenSaver inhibition on the session bus and a logind
// "idle:sleep" lock on the system bus, both released when the object goes.
// Without a bus or a service nothing happens and nothing fails.
//
// The calls are asynchronous, so the GUI thread never waits for the bus.
// They go one after the other, screen saver first, and are let go in the
// same order; settled tells when both have been answered. An inhibition
// granted after the object went is let go when it arrives. GUI thread.

#include <QDBusUnixFileDescriptor>
#include <QObject>

#include <cstdint>

class QDBusPendingCallWatcher;

namespace kiv {

class CDisableScreenSave : public QObject {
    Q_OBJECT
public:
    CDisableScreenSave();
    ~CDisableScreenSave() override;
    CDisableScreenSave(const CDisableScreenSave&) = delete;
    CDisableScreenSave& operator=(const CDisableScreenSave&) = delete;

    bool HoldsScreenSaver() const { return cookie_ != 0; }
    bool HoldsSleepLock() const { return sleepLock_.isValid(); }
    // Both services have answered, or could not be asked.
    bool IsSettled() const { return settled_; }

signals:
    void settled();

private:
    void InhibitSleep();
    void Settle();

    std::uint32_t cookie_ = 0;                   // the screen saver's inhibition cookie
    QDBusUnixFileDescriptor sleepLock_;          // logind holds the lock while it is open
    QDBusPendingCallWatcher* pending_ = nullptr; // the call waiting for its answer
    bool askingScreenSaver_ = false;             // pending_ is the screen saver's
    bool settled_ = false;
};

} // namespace kiv
