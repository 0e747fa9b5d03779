#include "FileAdder.h"

#include "GuiThread.h"
#include "MakerTexts.h"
#include "media/MediaDetector.h"
#include "runs/JobBuilder.h"

#include <QFile>

#include <algorithm>
#include <filesystem>
#include <system_error>

extern "C" {
#include <libavutil/error.h>
}

namespace kiv {

namespace {

// Why a file that can be judged without reading it is not added: not found,
// a folder, empty, or not readable; empty when it must be read to know.
QString QuickNotAddedLine(const QString& path) {
    namespace fs = std::filesystem;
    const fs::path file(QFile::encodeName(path).toStdString());
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (!fs::exists(status))
        return path + FileAdder::tr(": not found");
    if (fs::is_directory(status))
        return path + FileAdder::tr(": a folder, not a file");
    if (fs::is_regular_file(status) && fs::file_size(file, error) == 0 && !error)
        return path + FileAdder::tr(": an empty file");
    QFile readable(path);
    if (!readable.open(QIODevice::ReadOnly))
        return path + FileAdder::tr(": cannot be read (%1)").arg(readable.errorString());
    return {};
}

} // namespace

QString NotAddedLine(const QString& path) {
    if (QString quick = QuickNotAddedLine(path); !quick.isEmpty())
        return quick;
    MediaFacts facts;
    const int read = DetectMedia(QFile::encodeName(path).toStdString(), facts);
    if (read < 0) {
        char reason[AV_ERROR_MAX_STRING_SIZE] = {};
        av_strerror(read, reason, sizeof reason);
        return path + FileAdder::tr(": not a media file this program can read (%1)")
                          .arg(QString::fromLocal8Bit(reason));
    }
    return path + FileAdder::tr(" include unsupport codec,Please report it to ") +
           QString::fromLatin1(kSupportAddress) + QLatin1Char('.');
}

FileAdder::FileAdder(CEncoderCntl& controller, QObject* parent)
    : QObject(parent), controller_(controller) {}

FileAdder::~FileAdder() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
        waiting_.clear();
    }
    wake_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
}

void FileAdder::Read(std::uint64_t id, const QString& path) {
    {
        std::lock_guard lock(mutex_);
        waiting_.push_back({id, path});
    }
    ++outstanding_;
    if (workers_.empty()) {
        for (int i = 0; i < kProbesAtOnce; ++i)
            workers_.emplace_back(&FileAdder::Work, this);
    }
    wake_.notify_one();
}

template <typename Match> int FileAdder::DropWaiting(Match match) {
    std::lock_guard lock(mutex_);
    const auto dropped = std::remove_if(waiting_.begin(), waiting_.end(), match);
    const int count = static_cast<int>(waiting_.end() - dropped);
    waiting_.erase(dropped, waiting_.end());
    return count;
}

void FileAdder::Forget(std::uint64_t id) {
    if (DropWaiting([id](const Request& r) { return r.id == id; }) > 0) {
        --outstanding_;
        if (outstanding_ == 0)
            emit idle();
    }
}

void FileAdder::ForgetAll() {
    const int dropped = DropWaiting([](const Request&) { return true; });
    outstanding_ -= dropped;
    if (dropped > 0 && outstanding_ == 0)
        emit idle();
}

void FileAdder::Answered() {
    if (--outstanding_ == 0)
        emit idle();
}

void FileAdder::Work() {
    while (true) {
        Request request;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return ending_ || !waiting_.empty(); });
            if (ending_)
                return;
            request = std::move(waiting_.front());
            waiting_.pop_front();
        }
        ConversionJob job;
        int result = 0;
        QString line;
        try {
            result = ProbeIntoJob(controller_, QFile::encodeName(request.path).toStdString(), job);
            if (result != 1)
                line = NotAddedLine(request.path);
        } catch (...) {
            result = -1;
        }
        // The answer belongs to the queued call alone; a reader going away
        // drops it with its queue.
        PostToGui(this, [this, id = request.id, result, job, line] {
            if (result == 1)
                emit fileRead(id, job);
            else if (result == -1)
                emit failed(id);
            else
                emit notAdded(id, line);
            Answered();
        });
    }
}

} // namespace kiv
