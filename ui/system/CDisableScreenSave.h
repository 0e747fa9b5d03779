#pragma once
// Keeps the screen saver and automatic sleep away while a batch runs: an
// org.freedesktop.ScreenSaver inhibition on the session bus and a logind
// "idle:sleep" lock on the system bus, both released when the object goes.
// Without a bus or a service nothing happens and nothing fails. GUI thread.

#include <QDBusUnixFileDescriptor>

#include <cstdint>

namespace kiv {

class CDisableScreenSave {
public:
    CDisableScreenSave();
    virtual ~CDisableScreenSave();
    CDisableScreenSave(const CDisableScreenSave&) = delete;
    CDisableScreenSave& operator=(const CDisableScreenSave&) = delete;

    bool HoldsScreenSaver() const { return cookie_ != 0; }
    bool HoldsSleepLock() const { return sleepLock_.isValid(); }

private:
    std::uint32_t cookie_ = 0;          // the screen saver's inhibition cookie
    QDBusUnixFileDescriptor sleepLock_; // logind holds the lock while it is open
};

} // namespace kiv
