#pragma once
// The frames of a slideshow come from a row of short FFmpeg runs, the
// producers, each drawing a stretch of the show from a few pictures into
// one pipe that the encoding FFmpeg reads as raw video. So the show needs
// memory for a few pictures at a time however many it has, and any number
// of pictures fits (no graph or argument list grows with the show).

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace kiv::enc {

struct ProducerRun {
    std::vector<std::string> argv; // writes raw frames to its standard output
    std::chrono::seconds limit{0}; // the longest it may take
};

class FrameProducers {
public:
    // Starts the runs one after another on a thread of their own, each
    // writing to `output` (the pipe's write end, which this object owns and
    // closes after the last run, so that the reader sees the end).
    FrameProducers(std::vector<ProducerRun> runs, int output);
    ~FrameProducers();
    FrameProducers(const FrameProducers&) = delete;
    FrameProducers& operator=(const FrameProducers&) = delete;

    // Ends the running producer at once and starts no more.
    void Stop();
    // Waits for the thread. True when every run ended normally; false with
    // the reason otherwise. readerLeft tells that the pipe's reader had gone
    // when a run failed: the run failed because the encoding ended first.
    bool Finish(std::string& reason, bool& readerLeft);

private:
    std::vector<ProducerRun> runs_;
    int output_;
    std::atomic<bool> stopped_{false};
    std::atomic<pid_t> running_{0};
    std::mutex mutex_;
    std::string failure_;
    bool readerLeft_ = false;
    bool failed_ = false;
    std::thread thread_;

    void RunAll();
};

} // namespace kiv::enc
