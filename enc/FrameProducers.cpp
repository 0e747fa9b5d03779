#include "FrameProducers.h"

#include "ChildRun.h"
#include "FfmpegRunner.h"

#include <csignal>
#include <poll.h>
#include <unistd.h>

namespace kiv::enc {

namespace {

// A pipe whose reader has closed its end reports an error to the writer.
bool ReaderGone(int writeEnd) {
    pollfd wait{writeEnd, POLLOUT, 0};
    return ::poll(&wait, 1, 0) == 1 && (wait.revents & POLLERR) != 0;
}

} // namespace

FrameProducers::FrameProducers(std::vector<ProducerRun> runs, int output)
    : runs_(std::move(runs)), output_(output) {
    thread_ = std::thread([this] { RunAll(); });
}

FrameProducers::~FrameProducers() {
    Stop();
    if (thread_.joinable())
        thread_.join();
}

void FrameProducers::Stop() {
    stopped_ = true;
    pid_t running = running_.load();
    if (running > 0)
        ::kill(running, SIGKILL);
}

bool FrameProducers::Finish(std::string& reason, bool& readerLeft) {
    if (thread_.joinable())
        thread_.join();
    std::lock_guard lock(mutex_);
    reason = failure_;
    readerLeft = readerLeft_;
    return !failed_;
}

void FrameProducers::RunAll() {
    for (std::size_t i = 0; i < runs_.size() && !stopped_ && !StopSignalled(); ++i) {
        ChildOutcome outcome = RunChild(runs_[i].argv, output_, runs_[i].limit, &running_);
        if (outcome.started && outcome.exitCode == 0)
            continue;
        std::lock_guard lock(mutex_);
        failed_ = true;
        readerLeft_ = ReaderGone(output_);
        failure_ = outcome.started ? "drawing the slideshow's frames failed (FFmpeg exit status " +
                                         std::to_string(outcome.exitCode) + ")" +
                                         (outcome.lastLine.empty() ? "" : ": " + outcome.lastLine)
                                   : outcome.startError;
        break;
    }
    if (!failed_ && (stopped_ || StopSignalled())) {
        std::lock_guard lock(mutex_);
        failed_ = true;
        failure_ = "the slideshow was stopped";
    }
    ::close(output_); // the reader sees the end of the frames
}

} // namespace kiv::enc
