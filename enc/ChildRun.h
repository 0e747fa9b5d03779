#pragma once
// FFmpeg runs beside the main one: the producers that draw a slideshow's
// frames into a pipe, and the run that measures the music. They take no
// keys (standard input is /dev/null, so a "q" meant for the main FFmpeg
// never reaches them), their standard output goes where the caller says,
// and their messages are kept for the caller instead of being relayed.

#include <atomic>
#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kiv::enc {

struct ChildOutcome {
    bool started = false;
    int exitCode = -1;      // 128 + signal when killed
    std::string messages;   // the end of what it wrote to standard error
    std::string lastLine;   // its last message line
    std::string startError; // why it could not be started
};

// Runs argv (argv[0] looked up in PATH) with standard output on `output`
// (-1: /dev/null) and waits for its end, at most `limit`; a child still
// running then is killed. While it runs, `running` holds its pid.
ChildOutcome RunChild(const std::vector<std::string>& argv, int output, std::chrono::seconds limit,
                      std::atomic<pid_t>* running = nullptr);

} // namespace kiv::enc
