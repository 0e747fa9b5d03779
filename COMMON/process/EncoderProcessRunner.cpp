#include "process/EncoderProcessRunner.h"

#include "CommandLine.h"
#include "Log.h"
#include "process/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kiv {

namespace {

std::int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

std::vector<std::string> OutputLineSplitter::Feed(std::string_view block) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t feed = block.find('\n'); feed != std::string_view::npos;
         feed = block.find('\n', start)) {
        std::size_t end = feed;
        if (end > start && block[end - 1] == '\r')
            --end;
        pending_.append(block.substr(start, end - start));
        lines.push_back(std::move(pending_));
        pending_.clear();
        start = feed + 1;
    }
    pending_.append(block.substr(start));
    return lines;
}

std::string OutputLineSplitter::TakePending() {
    std::string text = std::move(pending_);
    pending_.clear();
    return text;
}

EncoderProcessRunner& EncoderProcessRunner::Instance() {
    static EncoderProcessRunner runner;
    return runner;
}

void EncoderProcessRunner::Init(std::string commandLine, ProcessSink* sink, int jobId) {
    commandLine_ = std::move(commandLine);
    sink_ = sink;
    jobId_ = jobId;
    stopRequestedAtMs_ = 0;
    killedAtMs_ = 0;
    child_ = 0;
    std::lock_guard lock(endMutex_);
    lastEnd_ = ChildEnd{};
}

void EncoderProcessRunner::ClearStop() {
    std::lock_guard lock(childMutex_);
    stopFlag_ = 0;
    if (paused_.exchange(false))
        SignalGroupLocked(SIGCONT);
}

ChildEnd EncoderProcessRunner::LastChildEnd() const {
    std::lock_guard lock(endMutex_);
    return lastEnd_;
}

int EncoderProcessRunner::Start() {
    if (stopFlag_.exchange(0) == 1) { // stopped before anything started: start nothing
        std::lock_guard lock(endMutex_);
        lastEnd_.stopRequested = true;
        return 1;
    }
    ChildPipes pipes;
    if (!pipes.Create(true))
        return 0;
    std::vector<std::string> arguments = SplitCommandLine(commandLine_);
    int spawnError = 0;
    pid_t child = SpawnChild(arguments, pipes, spawnError);
    if (child <= 0) {
        pipes.CloseAll();
        sink_->OnProcessNotify(NotifyEnded, reinterpret_cast<void*>(std::intptr_t{spawnError}),
                               jobId_);
        errno = spawnError;
        return 0;
    }
    {
        std::lock_guard lock(childMutex_);
        child_ = child;
        inputWriteFd_ = pipes.TakeInputWrite();
        // A stop or a pause that came while the child was being started is
        // passed on now.
        if (stopFlag_ == 1) {
            WriteQuit();
            stopRequestedAtMs_ = NowMs();
        } else if (paused_) {
            SignalGroupLocked(SIGSTOP);
        }
    }
    sink_->OnProcessNotify(NotifyStarted, &child, jobId_);
    // The child holds the other ends now; closing ours lets the output
    // pipe break when the child exits.
    int outputRead = pipes.TakeOutputRead();
    pipes.CloseAll();
    Pump(outputRead, child);
    return 1;
}

void EncoderProcessRunner::Pump(int outputReadFd, pid_t child) {
    OutputLineSplitter splitter;
    char block[kBlockSize + 1];
    int resultCode = 0;
    int escalation = 0; // 1 terminated, 2 killed
    for (;;) {
        if (GivenUp()) {
            WriteLog("Module:CFFMPEGENCODER,Error Info :the encoder's output stayed open after it "
                     "was killed; it is no longer read");
            break;
        }
        pollfd wait{outputReadFd, POLLIN, 0};
        int ready = poll(&wait, 1, 200);
        if (ready == 0 || (ready < 0 && errno == EINTR)) {
            EscalateStop(child, escalation);
            continue;
        }
        ssize_t count = read(outputReadFd, block, kBlockSize);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            if (count < 0) {
                resultCode = errno;
                if (!splitter.Pending().empty())
                    WriteLogFormat("Module:%s,Line:%s,Error Info :%.1024s", "CFFMPEGENCODER",
                                   "PostMessage", splitter.Pending().c_str());
            }
            break;
        }
        block[count] = '\0';
        for (std::string& line : splitter.Feed(std::string_view(block, std::size_t(count)))) {
            WriteLog(line);
            sink_->OnProcessNotify(NotifyOutputLine, new std::string(std::move(line)), jobId_);
        }
        EscalateStop(child, escalation);
    }
    // The encoder closes its output only when it leaves, its file done: a
    // stop that comes after this belongs to the next run.
    const bool stopBeforeEnd = stopFlag_ == 1;
    std::string rest = splitter.TakePending();
    if (!rest.empty())
        sink_->OnProcessNotify(NotifyOutputLine, new std::string(std::move(rest)), jobId_);

    const bool ended = AwaitEnd(child, escalation);
    bool stopped = false;
    {
        std::lock_guard lock(childMutex_);
        CloseInputLocked();
        child_ = 0;
        stopped = stopBeforeEnd && stopFlag_.exchange(0) == 1;
    }
    // Reaped only now that no pause or stop can signal its group any more;
    // one that cannot die yet by a thread of its own, which needs nothing
    // else.
    int status = 0;
    pid_t waited = 0;
    if (ended) {
        while ((waited = waitpid(child, &status, 0)) < 0 && errno == EINTR) {
        }
    } else {
        std::thread([child] {
            int ignored = 0;
            while (waitpid(child, &ignored, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    }
    close(outputReadFd);
    {
        std::lock_guard lock(endMutex_);
        lastEnd_.started = true;
        lastEnd_.stopRequested = stopped;
        lastEnd_.exited = waited == child && WIFEXITED(status);
        lastEnd_.exitCode = lastEnd_.exited ? WEXITSTATUS(status) : -1;
        lastEnd_.signal = waited == child && WIFSIGNALED(status) ? WTERMSIG(status) : 0;
        if (!ended)
            lastEnd_.signal = SIGKILL; // sent, and it will end by it
    }
    if (!stopped)
        sink_->OnProcessNotify(NotifyEnded, reinterpret_cast<void*>(std::intptr_t{resultCode}),
                               jobId_);
}

// The output has ended, so the child is leaving; each wait is short, and a
// stopped child that lingers is still ended by the escalation.
bool EncoderProcessRunner::AwaitEnd(pid_t child, int& escalation) {
    for (;;) {
        siginfo_t info{};
        int result = waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT);
        if (result == 0 && info.si_pid == child)
            return true;
        if (result < 0 && errno != EINTR)
            return true; // not ours to wait for: nothing left to do
        if (GivenUp())
            return false;
        EscalateStop(child, escalation);
        usleep(20 * 1000);
    }
}

bool EncoderProcessRunner::GivenUp() const {
    const std::int64_t killed = killedAtMs_;
    return killed != 0 &&
           NowMs() - killed >=
               std::chrono::duration_cast<std::chrono::milliseconds>(kGiveUpAfterKill).count();
}

// Each step is taken once, and SIGTERM goes to the child alone: enc passes
// it on to FFmpeg, and FFmpeg counts the signals it receives. From the
// second on it can no longer write, so its file would lose its index (an
// MP4 its moov), and from the fourth on it leaves at once.
void EncoderProcessRunner::EscalateStop(pid_t child, int& escalation) {
    std::int64_t since = stopRequestedAtMs_;
    if (since == 0)
        return;
    std::int64_t elapsed = NowMs() - since;
    std::lock_guard lock(childMutex_);
    if (child_ != child)
        return;
    if (elapsed >= stopBounds_.killAfter.count() && escalation < 2) {
        SignalGroupLocked(SIGKILL);
        escalation = 2;
    } else if (escalation < 1 && elapsed >= stopBounds_.terminateAfter.count()) {
        WriteLogFormat("Module:CFFMPEGENCODER,Error Info :the encoder did not finish within %lld "
                       "ms of the stop request; it is sent SIGTERM",
                       static_cast<long long>(elapsed));
        kill(child, SIGTERM);
        escalation = 1;
    }
}

void EncoderProcessRunner::SignalGroupLocked(int signal) {
    pid_t child = child_;
    if (child <= 0)
        return;
    kill(-child, signal);
    if (signal == SIGKILL && killedAtMs_ == 0)
        killedAtMs_ = NowMs();
}

void EncoderProcessRunner::CloseInputLocked() {
    if (inputWriteFd_ >= 0)
        close(inputWriteFd_);
    inputWriteFd_ = -1;
}

void EncoderProcessRunner::Pause() {
    std::lock_guard lock(childMutex_);
    // A child that was asked to stop is finishing its file: it is not held.
    if (paused_ || stopFlag_ == 1)
        return;
    paused_ = true;
    SignalGroupLocked(SIGSTOP);
}

void EncoderProcessRunner::Resume() {
    std::lock_guard lock(childMutex_);
    if (paused_.exchange(false))
        SignalGroupLocked(SIGCONT);
}

void EncoderProcessRunner::Abort() {
    pid_t child = 0;
    {
        std::lock_guard lock(childMutex_);
        child = child_;
        if (child <= 0)
            return;
        // A suspended encoder could not hear the request.
        paused_ = false;
        SignalGroupLocked(SIGCONT);
        // The encoder answers SIGHUP by ending what it started and deleting
        // its unfinished output; killing its group outright would leave that
        // file.
        kill(child, SIGHUP);
    }
    auto deadline = std::chrono::steady_clock::now() + kAbandonWait;
    while (child_ == child && std::chrono::steady_clock::now() < deadline)
        usleep(20 * 1000);
    std::lock_guard lock(childMutex_);
    if (child_ == child)
        SignalGroupLocked(SIGKILL);
}

void EncoderProcessRunner::WriteQuit() {
    if (inputWriteFd_ < 0)
        return;
    static const char kQuit[10] = {'q'};
    ssize_t written = write(inputWriteFd_, kQuit, sizeof kQuit);
    (void)written; // a child that already left cannot be asked
}

void EncoderProcessRunner::Stop(ProcessSink* requester) {
    try {
        {
            std::lock_guard lock(childMutex_);
            stopFlag_ = 1;
            // A suspended encoder must run to read the request and finish.
            if (paused_.exchange(false))
                SignalGroupLocked(SIGCONT);
            WriteQuit();
            if (child_ != 0)
                stopRequestedAtMs_ = NowMs();
        }
        if (requester)
            requester->OnProcessNotify(NotifyStopped, nullptr, 0);
    } catch (...) {
        WriteLog("Module:CFFMPEGENCODER,Error Info :the stop request raised an exception");
    }
}

} // namespace kiv
