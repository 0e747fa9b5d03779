#pragma once
// One window per user and settings folder. The program that opens the
// window holds an flock on "window-<key>.lock" in the runtime directory for
// its whole life and listens on the local socket "window-<key>" beside it;
// <key> is made from the user and the settings folder, so a portable copy,
// an installed program and tests with their own KIV_HOME each have a
// window of their own. A later start finds the lock taken and hands its
// files over the socket instead of opening a second window. The lock, not
// the socket file, says whether a window lives: a socket file left by a
// crashed window is replaced.
//
// What travels: one message from the later start, a version number and the
// absolute paths (QDataStream); the window answers one byte once it has
// taken them.

#include <QLocalServer>
#include <QObject>
#include <QStringList>

namespace kiv {

class WindowChannel : public QObject {
    Q_OBJECT
public:
    // The runtime directory holds the lock and the socket; the key is made
    // from the settings directory.
    WindowChannel(const QString& runtimeDirectory, const QString& settingsDirectory,
                  QObject* parent = nullptr);
    ~WindowChannel() override;

    // Takes the window's lock; true when no window of this user and
    // settings folder is open, so this process opens it.
    bool Claim();
    // Once claimed: takes files from later starts. False when the socket
    // cannot be made (the window then works alone).
    bool Listen();
    // Hands files (made absolute here) to the open window and waits for its
    // answer, at most timeoutMs (a window that is just starting needs a
    // moment to listen). False with the reason when it did not take them.
    bool HandOver(const QStringList& files, QString& error, int timeoutMs = 10000);

    QString SocketPath() const { return socketPath_; }

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
