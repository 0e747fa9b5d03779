#pragma once
// Reads the files a user adds to the list, one at a time and in the order
// given, on a thread of its own: a probe can take many seconds on a slow or
// broken file, and the window must go on repainting meanwhile. What each
// probe learnt comes back as a signal on the GUI thread, where the window
// adds the row.
//
// The rules are those of adding files: before each file, a list that holds
// the most rows ends the reading (limitReached); an exception ends it
// (failed). A file that cannot be probed is not added and the reading goes
// on with the next (notAdded, with why: the user is told about all of them
// at once). finished comes last, always.

#include "CEncoderCntl.h"
#include "ConversionJob.h"
#include "FileTable.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <thread>

namespace kiv {

// Why a file the probe could not read is not added, as a line naming it:
// not found, a folder, empty, not media libavformat can read (with its
// reason), or else a codec we do not support (with the address to report
// it to).
QString NotAddedLine(const QString& path);

class FileAdder : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxRows = FileTable::kMaxRows;

    // The controller probes; it must outlive the adder.
    explicit FileAdder(CEncoderCntl& controller, QObject* parent = nullptr);
    // Cancels and waits for the probe that is running (a probe's time is
    // bounded by the engine).
    ~FileAdder() override;
    FileAdder(const FileAdder&) = delete;
    FileAdder& operator=(const FileAdder&) = delete;

    // Starts reading the files for a list of rowsBefore rows. False when a
    // reading is still running. GUI thread.
    bool Start(const QStringList& paths, int rowsBefore);
    // Reads no further file and reports nothing more but finished. GUI thread.
    void Cancel();
    // From Start until finished has been emitted.
    bool IsRunning() const { return running_; }

signals:
    void fileRead(const QString& path, const kiv::ConversionJob& job);
    void limitReached();
    // One line for the user: the path and why it was not added.
    void notAdded(const QString& line);
    void failed();
    void finished();

private:
    void Run(QStringList paths, int rows);
    // Runs report on the GUI thread, unless the reading was cancelled.
    template <typename Report> void Post(Report report);
    void Finish();

    CEncoderCntl& controller_;
    std::thread thread_;
    std::atomic<bool> cancel_{false};
    bool running_ = false;
};

} // namespace kiv
