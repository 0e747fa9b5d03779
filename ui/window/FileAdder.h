#pragma once
// Reads the files a user adds to the list in the background, so that the
// list shows every name at once and the window never waits: a probe takes
// about a tenth of a second of one core for a camera's 1080p file, and many
// seconds for a slow or broken one. At most kProbesAtOnce files are read at
// a time, in the order asked for, on threads of the reader's own.
//
//     FileAdder adder(controller);
//     connect(&adder, &FileAdder::fileRead, ...);  // (id, job) on the GUI thread
//     adder.Read(row.id, "/videos/a.mp4");
//     adder.Forget(row.id);                         // the row went: no answer wanted
//
// Every Read is answered exactly once on the GUI thread, also when the
// file's row went meanwhile (the caller then ignores it): fileRead with
// what the probe learnt, or notAdded with why the file cannot be converted
// (or failed, for an exception, after which the caller empties the list).
// idle comes when no read is waiting or running. Forget takes back a read
// that has not started (idle may follow at once).

#include "CEncoderCntl.h"
#include "ConversionJob.h"

#include <QObject>
#include <QString>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace kiv {

// Why a file the probe could not read is not added, as a line naming it:
// not found, a folder, empty, not readable, not media libavformat can read (with its reason), or
// else a codec we do not support (with the address to report it to).
QString NotAddedLine(const QString& path);

class FileAdder : public QObject {
    Q_OBJECT
public:
    // Two files at once keep a 2-core machine busy without starving the
    // window, and the disk reads in a sensible order.
    static constexpr int kProbesAtOnce = 2;

    // The controller probes; it must outlive the adder.
    explicit FileAdder(CEncoderCntl& controller, QObject* parent = nullptr);
    // Drops the reads that wait and waits for those that run (a probe's
    // time is bounded by the engine).
    ~FileAdder() override;
    FileAdder(const FileAdder&) = delete;
    FileAdder& operator=(const FileAdder&) = delete;

    // Reads the file at path for the row with this id. GUI thread.
    void Read(std::uint64_t id, const QString& path);
    // The row went: a read that has not started is dropped (and answered by
    // nothing), one that runs is answered as usual. GUI thread.
    void Forget(std::uint64_t id);
    void ForgetAll();
    // A read waits or runs. GUI thread.
    bool IsReading() const { return outstanding_ > 0; }

signals:
    void fileRead(quint64 id, const kiv::ConversionJob& job);
    // One line for the user: the path and why it was not added.
    void notAdded(quint64 id, const QString& line);
    void failed(quint64 id);
    void idle();

private:
    struct Request {
        std::uint64_t id;
        QString path;
    };

    void Work();
    void Answered();
    // Drops waiting reads that match; returns how many. GUI thread.
    template <typename Match> int DropWaiting(Match match);

    CEncoderCntl& controller_;
    std::vector<std::thread> workers_; // started with the first read
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Request> waiting_; // under mutex_
    bool ending_ = false;         // under mutex_
    int outstanding_ = 0;         // reads asked for and not yet answered; GUI thread
};

} // namespace kiv
