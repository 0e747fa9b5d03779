#pragma once
// Runs one encoder process: its standard output and error flow into one
// pipe that is read on the calling thread and split into lines; its
// standard input is a pipe through which a stop request reaches it.

#include "ConvertResult.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace kiv {

class CEncoderBase;

enum ProcessNotify {
    NotifyStopped = 96,
    NotifyStarted = 97,    // data: pointer to the child's pid_t
    NotifyOutputLine = 98, // data: a std::string* the receiver owns and deletes
    NotifyEnded = 99,      // data: the result code, cast to intptr_t
};

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
    void Init(std::string commandLine, CEncoderBase* sink, int jobId);
    // Forgets a pending stop; a batch calls it when it starts.
    void ClearStop();
    // True while a stop asked for has not been taken by a run.
    bool StopPending() const { return stopFlag_ != 0; }
    // Starts the child and pumps its output until it has ended. Returns 0
    // (with errno set) when the pipes or the process could not be created.
    int Start();
    // Asks the running child to finish: "q" and nine zero bytes on its input.
    // The requester hears NotifyStopped. Callable from any thread; a child that has not ended a few
    // seconds later is terminated, then killed.
    void Stop(CEncoderBase* requester);
    // Ends the running child at once: it is asked to abandon its work (it
    // stops what it started and deletes its unfinished output); a child that
    // has not ended within kAbandonWait is killed with its whole group.
    void Abort();
    // How the child of the last Start ended; read after Start returns.
    ChildEnd LastChildEnd() const;

    static constexpr std::size_t kBlockSize = 3024;
    static constexpr auto kTerminateAfter = std::chrono::seconds(5);
    static constexpr auto kKillAfter = std::chrono::seconds(8);
    static constexpr auto kAbandonWait = std::chrono::seconds(3);

private:
    std::string commandLine_;
    CEncoderBase* sink_ = nullptr;
    int jobId_ = 0;
    std::atomic<int> stopFlag_{0};
    std::atomic<pid_t> child_{0};
    std::mutex inputMutex_; // guards inputWriteFd_ between Stop and the pump
    int inputWriteFd_ = -1;
    std::atomic<std::int64_t> stopRequestedAtMs_{0};
    int escalation_ = 0; // the pump's: 1 terminated, 2 killed
    mutable std::mutex endMutex_;
    ChildEnd lastEnd_;

    void Pump(int outputReadFd, pid_t child);
    void EscalateStop(pid_t child);
    void CloseInputLocked(); // with inputMutex_ held
    void WriteQuit();        // with inputMutex_ held
};

} // namespace kiv
