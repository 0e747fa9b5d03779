#pragma once
// The main window's batch, and the one adapter between the conversion
// engine and the GUI thread.
//
//     WindowBatch batch(table, controller, window);
//     // The controller's progress callback is WindowBatch::ProgressCallback
//     // with &batch as its user data (EncoderInit).
//     connect(&batch, &WindowBatch::rowProgress, view, ...);
//     connect(&batch, &WindowBatch::batchEnded, window, ...);
//     batch.Start(plan);
//
// Start runs the batch loop (RunBatch) on a thread of its own over the
// table's checked rows that are not done. That thread reads rows from the
// table under its lock; it never changes the table and never touches a
// widget. What the engine reports on it (a row begins, progress, a row
// ends, a message the user must see) is posted to the GUI thread, where
// WindowBatch records it in the table and then emits it as a typed signal,
// in the order it happened.
//
// A message the user must see before the batch goes on (a failure) is the
// one blocking question: the batch thread waits while the GUI thread shows
// it, until it is answered or the batch is abandoned.
//
// The thread's last act is its end signal; on the GUI thread batchEnded
// follows. The GUI thread never waits for the batch thread, except in
// Abandon, for the window going away.
//
// Pause holds the encoder (the engine suspends its process group) and lets
// the screen saver and sleep come back until Resume; Stop and the window's
// end work while paused.

#include "FileTable.h"
#include "MessageBoxes.h"
#include "runs/BatchLoop.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace kiv {

class CDisableScreenSave;

class WindowBatch : public QObject {
    Q_OBJECT
public:
    // How long Abandon waits on its event loop for the thread's end. The
    // engine's abort kills the encoder's group within a few seconds and
    // stops reading it soon after (EncoderProcessRunner::Abort), so the
    // thread has ended well before.
    static constexpr std::chrono::seconds kAbandonWait{15};

    // The table and the controller must outlive the batch; messages are
    // shown over window.
    WindowBatch(FileTable& table, CEncoderCntl& controller, QWidget* window);
    // Abandons a running batch.
    ~WindowBatch() override;
    WindowBatch(const WindowBatch&) = delete;
    WindowBatch& operator=(const WindowBatch&) = delete;

    // The encoder's progress for the current row, from any thread: 0 or
    // less shows as 1. Null user data: nothing.
    static void ProgressCallback(int value, void* batch);

    // Starts the batch thread at low priority (it mostly waits for enc) and
    // keeps the screen saver and sleep away until the batch has ended. False
    // while a batch runs. GUI thread.
    bool Start(const BatchPlan& plan);
    // The engine's stop: the running row ends early, keeping what it wrote
    // as a partial file, and the batch ends. GUI thread.
    void Stop();
    // Holds the running conversion, and any that starts, until Resume. GUI
    // thread; nothing while no batch runs or a stop is under way.
    void Pause();
    void Resume();
    bool IsPaused() const { return paused_; }
    // For the window going away: the running conversion is ended at once
    // from a helper thread, no further row starts, nothing more is shown or
    // recorded, and the GUI thread waits on an event loop quit by the
    // thread's end, at most kAbandonWait. Only an engine call held by a file
    // system that does not answer can keep the thread longer; it still uses
    // the window's engine and table then, so Abandon logs that and waits for
    // it. GUI thread.
    void Abandon();

    // From Start until batchEnded has been emitted. GUI thread.
    bool IsRunning() const { return running_; }
    // The row whose conversion runs or ran last.
    int CurrentRow() const { return currentRow_; }
    // The last failure message the last batch showed.
    const QString& LastFailure() const { return lastFailure_; }
    // What the last batch's end should mention: "FILE: no sound", "FILE:
    // the source ends at 0:03 of 0:08", one per row, in order.
    const QStringList& Notes() const { return notes_; }

signals:
    void rowStarted(int row);
    // The row's percentage or its time-left figures changed (the table holds
    // both).
    void rowProgress(int row, int percent);
    // Where the whole batch stands, with each change of the running row.
    void batchProgress(const kiv::BatchPosition& position);
    // The row's conversion ended; the table holds its new state.
    void rowFinished(int row, kiv::RowState state);
    void pausedChanged(bool paused);
    void batchEnded(const kiv::BatchReport& report);
    // Emitted on the batch thread as its last act.
    void threadEnded();

private:
    class Rows;

    // Runs change on the GUI thread, after what was posted before, unless
    // the batch has been abandoned by then.
    void Post(std::function<void()> change);
    // Batch thread: shows message on the GUI thread and waits until it is
    // answered or the batch is abandoned.
    void Ask(const ShownMessage& message);
    // The row ends in state; reason is told in its tooltip, label after its
    // state ("Failed: no sound").
    void Finish(int row, RowState state, const std::string& outputPath = {},
                const std::string& reason = {}, const QString& label = {});
    // Batch thread: the row ends in state, and text says why.
    void Fail(int row, RowState state, const QString& text, MessageIcon icon,
              const std::string& reason);
    // Batch thread: something the end of the batch names about the row.
    void Note(int row, const QString& text);
    void OnThreadEnded();
    void SetPaused(bool paused);

    FileTable& table_;
    CEncoderCntl& controller_;
    QPointer<QWidget> window_;

    std::thread thread_;
    std::atomic<bool> threadDone_{false};
    BatchReport report_; // the batch thread's, read once it has ended
    std::atomic<int> currentRow_{0};
    std::atomic<bool> abandoned_{false};
    bool running_ = false;
    bool paused_ = false;
    QString lastFailure_;
    QStringList notes_;
    std::unique_ptr<CDisableScreenSave> screenSaver_;

    // The blocking question: its answer, and the abandon, wake the asker.
    std::mutex questionMutex_;
    std::condition_variable questionAnswered_;
};

} // namespace kiv
