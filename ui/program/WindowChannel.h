#pragma once
// One window per user and settings folder. The program that opens the
// window holds an flock on "window-<key>.lock" in the settings folder for
// its whole life and listens on the local socket "window-<key>" in the
// runtime directory; <key> is made from the user and the settings folder,
// so a portable copy, an installed program and tests with their own
// KIV_HOME each have a window of their own. The lock file names the socket,
// so a start with XDG_RUNTIME_DIR and one without (whose runtime folders
// differ) still find the one window. A later start finds the lock taken
// and hands its files over the socket instead of opening a second window.
// The lock, not the socket file, says whether a window lives: a socket
// file left by a crashed window is replaced.
//
// What travels: one message from the later start, a header ("KIVW", the
// version, the payload's size in bytes, each four bytes, big-endian) and
// the payload, the absolute paths (a QDataStream QStringList). The window
// checks the header before it takes anything more, drops a connection
// whose message would be larger than kLargestMessage or does not come
// whole in time, reads the payload once, and answers one byte once it has
// taken the files.

#include <QLocalServer>
#include <QObject>
#include <QStringList>

namespace kiv {

class WindowChannel : public QObject {
    Q_OBJECT
public:
    // Far above what 30 paths need.
    static constexpr quint32 kLargestMessage = 1 << 20;
    // How long a later start may take to send its message.
    static constexpr int kMessageTimeoutMs = 10000;

    // The runtime directory holds the lock and the socket; the key is made
    // from the settings directory.
    WindowChannel(const QString& runtimeDirectory, const QString& settingsDirectory,
                  QObject* parent = nullptr);
    ~WindowChannel() override;

    // Takes the window's lock; true when no window of this user and
    // settings folder is open, so this process opens it.
    bool Claim();
    // Once claimed: takes files from later starts, and writes the socket's
    // path into the lock file for them. False when the socket cannot be
    // made (the window then works alone).
    bool Listen();
    // Hands files (made absolute here) to the open window, at the socket its
    // lock file names, and waits for its answer, at most timeoutMs (a window
    // that is just starting needs a moment to listen). False with the
    // reason when it did not take them.
    bool HandOver(const QStringList& files, QString& error, int timeoutMs = 10000);

    QString SocketPath() const { return socketPath_; }
    QString LockPath() const { return lockPath_; }

    // The message that hands files over, header and payload.
    static QByteArray Message(const QStringList& files);

signals:
    // Files a later start handed over; empty when it only asks the window
    // to come to the front.
    void filesHanded(const QStringList& files);

private:
    void Serve(class QLocalSocket* client);

    QString lockPath_;
    QString socketPath_;
    int lockDescriptor_ = -1;
    QLocalServer server_;
};

} // namespace kiv
