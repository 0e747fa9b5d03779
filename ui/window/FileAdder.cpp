#include "FileAdder.h"

#include "JobBuilder.h"

#include <QFile>

#include <utility>

namespace kiv {

FileAdder::FileAdder(CEncoderCntl& controller, QObject* parent)
    : QObject(parent), controller_(controller) {}

FileAdder::~FileAdder() {
    cancel_ = true;
    if (thread_.joinable())
        thread_.join();
}

bool FileAdder::Start(const QStringList& paths, int rowsBefore) {
    if (running_)
        return false;
    if (thread_.joinable())
        thread_.join();
    running_ = true;
    cancel_ = false;
    thread_ = std::thread(&FileAdder::Run, this, paths, rowsBefore);
    return true;
}

void FileAdder::Cancel() {
    cancel_ = true;
}

template <typename Report> void FileAdder::Post(Report report) {
    // The report, and what it carries, belongs to the queued call alone.
    QMetaObject::invokeMethod(
        this,
        [this, report = std::move(report)] {
            if (!cancel_)
                report();
        },
        Qt::QueuedConnection);
}

void FileAdder::Run(QStringList paths, int rows) {
    for (const QString& path : paths) {
        if (cancel_)
            break;
        if (rows >= kMaxRows) {
            Post([this] { emit limitReached(); });
            break;
        }
        ConversionJob job;
        int result = 0;
        try {
            result = ProbeIntoJob(controller_, QFile::encodeName(path).toStdString(), job);
        } catch (...) {
            Post([this] { emit failed(); });
            break;
        }
        if (result != 1) {
            Post([this, path] { emit unreadable(path); });
            break;
        }
        Post([this, path, job] { emit fileRead(path, job); });
        ++rows;
    }
    QMetaObject::invokeMethod(this, &FileAdder::Finish, Qt::QueuedConnection);
}

void FileAdder::Finish() {
    // The thread posted this as its last act; it ends at once.
    if (thread_.joinable())
        thread_.join();
    running_ = false;
    emit finished();
}

} // namespace kiv
