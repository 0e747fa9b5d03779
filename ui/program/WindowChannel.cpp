#include "WindowChannel.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

#include <memory>
#include <optional>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv {

namespace {

constexpr char kMagic[4] = {'K', 'I', 'V', 'W'};
constexpr quint32 kVersion = 2;
constexpr qint64 kHeaderBytes = 12;
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

// The payload's size a header announces; nothing for a header of another
// program or version, or a size above the limit.
std::optional<quint32> PayloadSize(const QByteArray& header) {
    if (header.size() != kHeaderBytes || !header.startsWith(QByteArray(kMagic, 4)))
        return std::nullopt;
    QDataStream in(header.mid(4));
    quint32 version = 0, size = 0;
    in >> version >> size;
    if (version != kVersion || size > WindowChannel::kLargestMessage)
        return std::nullopt;
    return size;
}

// The socket a window's lock file names; empty while it does not listen.
QString SocketNamedIn(const QString& lockPath) {
    QFile lock(lockPath);
    if (!lock.open(QIODevice::ReadOnly))
        return {};
    return QFile::decodeName(lock.read(4096).trimmed());
}

} // namespace

QByteArray WindowChannel::Message(const QStringList& files) {
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out << files;
    QByteArray message(kMagic, 4);
    QDataStream header(&message, QIODevice::Append);
    header << kVersion << static_cast<quint32>(payload.size());
    return message + payload;
}

WindowChannel::WindowChannel(const QString& runtimeDirectory, const QString& settingsDirectory,
                             QObject* parent)
    : QObject(parent) {
    const QString name = QStringLiteral("window-") + Key(settingsDirectory);
    const QString folder = QDir(runtimeDirectory).absolutePath();
    lockPath_ = QDir(settingsDirectory).absoluteFilePath(name + QStringLiteral(".lock"));
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
    if (!server_.listen(socketPath_))
        return false;
    // Later starts learn where to knock from the lock file.
    const QByteArray named = QFile::encodeName(socketPath_) + '\n';
    if (lockDescriptor_ >= 0 && ::ftruncate(lockDescriptor_, 0) == 0) {
        // Unwritten, later starts wait for their time and open their own.
        [[maybe_unused]] const ssize_t written =
            ::pwrite(lockDescriptor_, named.constData(), static_cast<size_t>(named.size()), 0);
    }
    return true;
}

void WindowChannel::Serve(QLocalSocket* client) {
    // Never more than one message is kept, and none that does not come
    // whole in time.
    client->setReadBufferSize(kHeaderBytes + kLargestMessage);
    auto* timeout = new QTimer(client);
    timeout->setSingleShot(true);
    connect(timeout, &QTimer::timeout, client, &QLocalSocket::abort);
    timeout->start(kMessageTimeoutMs);
    connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    auto size = std::make_shared<std::optional<quint32>>();
    connect(client, &QLocalSocket::readyRead, this, [this, client, size, timeout] {
        if (!*size) {
            if (client->bytesAvailable() < kHeaderBytes)
                return; // the header is still on its way
            *size = PayloadSize(client->read(kHeaderBytes));
            if (!*size) {
                client->abort();
                return;
            }
        }
        if (client->bytesAvailable() < static_cast<qint64>(**size))
            return; // the rest is still on its way: nothing is read twice
        QStringList files;
        QDataStream in(client->read(**size));
        in >> files;
        client->disconnect(this); // one message per connection
        timeout->stop();
        if (in.status() != QDataStream::Ok) {
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
    const QByteArray message = Message(absolute);

    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // A window that has just taken the lock may not listen (nor name its
    // socket) yet.
    for (;;) {
        const QString named = SocketNamedIn(lockPath_);
        if (!named.isEmpty()) {
            socket.connectToServer(named);
            if (socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
                break;
        }
        if (deadline.hasExpired()) {
            error = QStringLiteral("the open window does not answer at %1")
                        .arg(named.isEmpty() ? socketPath_ : named);
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
