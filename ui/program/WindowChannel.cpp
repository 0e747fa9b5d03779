#include "WindowChannel.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv {

namespace {

constexpr quint32 kVersion = 1;
constexpr char kTaken = 'k';
// A socket path must fit sockaddr_un's 108 bytes.
constexpr qsizetype kLongestSocketPath = 100;
constexpr int kRetryMs = 100;

QString Key(const QString& settingsDirectory) {
    const QString canonical = QFileInfo(settingsDirectory).canonicalFilePath();
    const QByteArray identity =
        QByteArray::number(::geteuid()) + ':' +
        QFile::encodeName(canonical.isEmpty() ? settingsDirectory : canonical);
    return QString::fromLatin1(
        QCryptographicHash::hash(identity, QCryptographicHash::Sha256).toHex().left(16));
}

// A folder of this user's own in the system's temporary folder, for a
// runtime directory whose path is too long for a socket.
QString PrivateTemporaryFolder() {
    const QString folder =
        QDir::tempPath() + QStringLiteral("/kiv-video-converter-%1").arg(::geteuid());
    const QByteArray path = QFile::encodeName(folder);
    ::mkdir(path.constData(), 0700);
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::geteuid() || (info.st_mode & 077) != 0)
        return {};
    return folder;
}

} // namespace

WindowChannel::WindowChannel(const QString& runtimeDirectory, const QString& settingsDirectory,
                             QObject* parent)
    : QObject(parent) {
    const QString name = QStringLiteral("window-") + Key(settingsDirectory);
    const QString folder = QDir(runtimeDirectory).absolutePath();
    lockPath_ = folder + QLatin1Char('/') + name + QStringLiteral(".lock");
    socketPath_ = folder + QLatin1Char('/') + name;
    if (QFile::encodeName(socketPath_).size() > kLongestSocketPath) {
        const QString temporary = PrivateTemporaryFolder();
        if (!temporary.isEmpty())
            socketPath_ = temporary + QLatin1Char('/') + name;
    }
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = server_.nextPendingConnection())
            Serve(client);
    });
}

WindowChannel::~WindowChannel() {
    server_.close();
    if (lockDescriptor_ >= 0)
        ::close(lockDescriptor_);
}

bool WindowChannel::Claim() {
    if (lockDescriptor_ >= 0)
        return true;
    const QByteArray path = QFile::encodeName(lockPath_);
    int descriptor = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return true; // without a lock file there is no telling: open a window
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        ::close(descriptor);
        return false;
    }
    lockDescriptor_ = descriptor;
    return true;
}

bool WindowChannel::Listen() {
    // Holding the lock, any socket file there is a dead window's.
    QLocalServer::removeServer(socketPath_);
    return server_.listen(socketPath_);
}

void WindowChannel::Serve(QLocalSocket* client) {
    connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    connect(client, &QLocalSocket::readyRead, this, [this, client] {
        QDataStream in(client);
        in.startTransaction();
        quint32 version = 0;
        QStringList files;
        in >> version >> files;
        if (!in.commitTransaction())
            return; // the rest is still on its way
        if (version != kVersion) {
            client->abort();
            return;
        }
        client->write(&kTaken, 1);
        client->flush();
        emit filesHanded(files);
    });
}

bool WindowChannel::HandOver(const QStringList& files, QString& error, int timeoutMs) {
    QStringList absolute;
    for (const QString& file : files)
        absolute << QFileInfo(file).absoluteFilePath();
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << kVersion << absolute;

    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // A window that has just taken the lock may not listen yet.
    for (;;) {
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
            break;
        if (deadline.hasExpired()) {
            error = QStringLiteral("the open window does not answer at %1").arg(socketPath_);
            return false;
        }
        QThread::msleep(kRetryMs);
    }
    socket.write(message);
    socket.flush();
    while (socket.bytesAvailable() < 1) {
        if (deadline.hasExpired() ||
            !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            error = QStringLiteral("the open window did not take the files");
            return false;
        }
    }
    char answer = 0;
    socket.read(&answer, 1);
    socket.disconnectFromServer();
    if (answer != kTaken) {
        error = QStringLiteral("the open window did not take the files");
        return false;
    }
    return true;
}

} // namespace kiv
