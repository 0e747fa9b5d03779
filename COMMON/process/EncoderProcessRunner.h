#pragma once
// Runs one encoder process: its standard output and error flow into one
// pipe that is read on the calling thread and split into lines; its
// standard input is a pipe through which a stop request reaches it.

#include "process/ConvertResult.h"
#include "process/ProcessSink.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace kiv {

// Splits blocks of output into lines: a line feed ends a line; a carriage
// return is dropped only directly before a line feed in the same block.
// Unfinished text waits in the pending text for the next block.
class OutputLineSplitter {
public:
    std::vector<std::string> Feed(std::string_view block);
    // The unfinished text at the end of the output; empties it.
    std::string TakePending();
    const std::string& Pending() const { return pending_; }

private:
    std::string pending_;
};

class EncoderProcessRunner {
public:
    // The one runner of the program: one encoder process at a time.
    static EncoderProcessRunner& Instance();

    // Takes the command line, the sink and the job id. A stop asked for
    // before this run started stays pending: the run then starts nothing.
    void Init(std::string commandLine, ProcessSink* sink, int jobId);
    // Starts the child and pumps its output until it has ended. Returns 0
    // (with errno set) when the pipes or the process could not be created.
    int Start();
    // Asks the running child to finish: "q" and nine zero bytes on its input
    // (a paused child is resumed first, so that it can read them). The
    // requester hears NotifyStopped. Callable from any thread. A child that
    // has not ended terminateAfter later is sent SIGTERM once, itself alone
    // (enc passes it on, and FFmpeg then still finishes its file), and
    // killed with its group at killAfter.
    void Stop(ProcessSink* requester);
    // Suspends the running child and everything it started (its process
    // group) until Resume; a child started while paused is suspended at once.
    // Callable from any thread.
    void Pause();
    void Resume();
    bool Paused() const { return paused_; }
    // Forgets a pending stop and a pause; a batch calls it when it starts.
    void ClearStop();
    // True while a stop asked for has not been taken by a run.
    bool StopPending() const { return stopFlag_ != 0; }
    // Ends the running child at once: it is asked to abandon its work (it
    // stops what it started and deletes its unfinished output); a child that
    // has not ended within kAbandonWait is killed with its whole group.
    void Abort();
    // Once the group has been sent SIGKILL (by Abort or a stop's last step),
    // the run ends at most kGiveUpAfterKill later even if the output pipe
    // stays open (a helper the child started outside its group holds it) or
    // the child cannot die yet (stuck in a file system that does not
    // answer): its output is no longer read and it is reaped when it goes.
    // How the child of the last Start ended; read after Start returns.
    ChildEnd LastChildEnd() const;

    // How long a stopped child may take to finish its file before it is
    // sent SIGTERM, and before it is killed. FFmpeg can need many seconds to
    // flush its encoders on a loaded machine.
    struct StopBounds {
        std::chrono::milliseconds terminateAfter{std::chrono::seconds(20)};
        std::chrono::milliseconds killAfter{std::chrono::seconds(40)};
    };
    void SetStopBounds(StopBounds bounds) { stopBounds_ = bounds; }
    StopBounds GetStopBounds() const { return stopBounds_; }

    static constexpr std::size_t kBlockSize = 3024;
    static constexpr auto kAbandonWait = std::chrono::seconds(3);
    static constexpr auto kGiveUpAfterKill = std::chrono::seconds(2);

private:
    std::string commandLine_;
    ProcessSink* sink_ = nullptr;
    int jobId_ = 0;
    std::atomic<int> stopFlag_{0};
    // The running child, the pause and the input are guarded by childMutex_.
    // The child is reaped only after child_ is cleared under it, so a signal
    // to its group never reaches a group that a later process took over.
    std::mutex childMutex_;
    std::atomic<pid_t> child_{0};
    std::atomic<bool> paused_{false};
    int inputWriteFd_ = -1;
    std::atomic<std::int64_t> stopRequestedAtMs_{0};
    std::atomic<std::int64_t> killedAtMs_{0}; // when the group was sent SIGKILL
    StopBounds stopBounds_;
    mutable std::mutex endMutex_;
    ChildEnd lastEnd_;

    void Pump(int outputReadFd, pid_t child);
    // Waits until the child has ended, without reaping it; false when it had
    // not ended kGiveUpAfterKill after the kill.
    bool AwaitEnd(pid_t child, int& escalation);
    // True kGiveUpAfterKill after the group was sent SIGKILL.
    bool GivenUp() const;
    void EscalateStop(pid_t child, int& escalation); // 1 terminated, 2 killed
    void SignalGroupLocked(int signal);              // with childMutex_ held
    void CloseInputLocked();                         // with childMutex_ held
    void WriteQuit();                                // with childMutex_ held
};

} // namespace kiv
