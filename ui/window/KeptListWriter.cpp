#include "KeptListWriter.h"

#include "Log.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <thread>
#include <unistd.h>

namespace kiv {

namespace {

bool WriteAll(int descriptor, const QByteArray& text) {
    qsizetype done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(descriptor, text.constData() + done,
                                  static_cast<std::size_t>(text.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

void SyncFolder(const QByteArray& folder) {
    const int descriptor = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

} // namespace

// What the GUI thread and the writing thread share; the thread keeps it
// alive for as long as it runs.
struct KeptListWriter::Shared {
    explicit Shared(QString p) : path(std::move(p)) {}
    const QString path;
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable ended;
    std::optional<KeptListContents> waiting;
    bool quit = false;
    bool done = false; // the thread has left its loop
    int written = 0;
    QString lastFailure; // told to the log once, not with every save
};

KeptListWriter::KeptListWriter(QString path) : shared_(std::make_shared<Shared>(std::move(path))) {
    std::thread([shared = shared_] { Run(shared); }).detach();
}

KeptListWriter::~KeptListWriter() {
    Stop();
}

void KeptListWriter::Post(KeptListContents contents) {
    {
        std::lock_guard lock(shared_->mutex);
        if (shared_->quit)
            return;
        shared_->waiting = std::move(contents);
    }
    shared_->wake.notify_one();
}

void KeptListWriter::Stop() {
    if (stopped_)
        return;
    stopped_ = true;
    std::unique_lock lock(shared_->mutex);
    shared_->quit = true;
    shared_->wake.notify_one();
    if (!shared_->ended.wait_for(lock, kStopWait, [this] { return shared_->done; }))
        WriteLog("Kept list: the last save did not end in time; it goes on alone");
}

void KeptListWriter::Drop() {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->waiting.reset();
    }
    Stop();
}

int KeptListWriter::Written() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->written;
}

void KeptListWriter::Run(const std::shared_ptr<Shared>& shared) {
    std::unique_lock lock(shared->mutex);
    for (;;) {
        shared->wake.wait(lock, [&] { return shared->quit || shared->waiting.has_value(); });
        if (!shared->waiting)
            break; // quit with nothing left to write
        const KeptListContents contents = std::move(*shared->waiting);
        shared->waiting.reset();
        lock.unlock();
        QString why;
        const bool written = WriteWhole(shared->path, KeptListText(contents), why);
        lock.lock();
        if (written) {
            ++shared->written;
            shared->lastFailure.clear();
        } else if (why != shared->lastFailure) {
            shared->lastFailure = why;
            WriteLog("Kept list: not saved: " + why.toStdString());
        }
    }
    shared->done = true;
    shared->ended.notify_all();
}

bool KeptListWriter::WriteWhole(const QString& path, const QByteArray& text, QString& why) {
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temporary = target + ".new";
    const int descriptor =
        ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (descriptor < 0) {
        why = QFile::decodeName(temporary) + QStringLiteral(": ") +
              QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    int error = 0;
    errno = 0;
    if (!WriteAll(descriptor, text) || ::fsync(descriptor) != 0)
        error = errno != 0 ? errno : EIO;
    if (::close(descriptor) != 0 && error == 0)
        error = errno;
    if (error == 0 && std::rename(temporary.constData(), target.constData()) != 0)
        error = errno;
    if (error != 0) {
        std::remove(temporary.constData());
        why = path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error));
        return false;
    }
    SyncFolder(QFile::encodeName(QFileInfo(path).absolutePath()));
    return true;
}

} // namespace kiv
