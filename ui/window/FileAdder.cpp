#include "FileAdder.h"

#include "GuiThread.h"
#include "MakerTexts.h"
#include "media/MediaDetector.h"
#include "runs/JobBuilder.h"

#include <QFile>

#include <filesystem>
#include <system_error>
#include <utility>

extern "C" {
#include <libavutil/error.h>
}

namespace kiv {

QString NotAddedLine(const QString& path) {
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
    readable.close();
    MediaFacts facts;
    const int read = DetectMedia(file.string(), facts);
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
    PostToGui(this, [this, report = std::move(report)] {
        if (!cancel_)
            report();
    });
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
            // Every other file of the add still goes in.
            Post([this, line = NotAddedLine(path)] { emit notAdded(line); });
            continue;
        }
        Post([this, path, job] { emit fileRead(path, job); });
        ++rows;
    }
    PostToGui(this, [this] { Finish(); });
}

void FileAdder::Finish() {
    // The thread posted this as its last act; it ends at once.
    if (thread_.joinable())
        thread_.join();
    running_ = false;
    emit finished();
}

} // namespace kiv
