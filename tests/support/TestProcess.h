#pragma once
// Running real programs from tests (never through a shell): our own
// executables, ffmpeg and enc, with their output captured.

#include <chrono>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kiv::test {

struct ProgramResult {
    int exitStatus = -1; // 128 + signal when killed by a signal
    std::string out;
    std::string err;
};

// Runs a program with extra environment entries "NAME=value", waiting at
// most timeLimit; a program still running then is killed.
ProgramResult RunProgram(const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment = {},
                         std::chrono::seconds timeLimit = std::chrono::seconds(120));

// Starts a program in the background with its output in the given files.
pid_t StartProgram(const std::vector<std::string>& arguments,
                   const std::vector<std::string>& environment, const std::string& outPath,
                   const std::string& errPath);
// Waits for a started program; returns its exit status as RunProgram does.
int WaitProgram(pid_t child, std::chrono::seconds timeLimit);

// A program whose standard output and error arrive together through one
// pipe, as the engine reads enc, with a pipe on its standard input.
struct ProcessResult {
    int exitCode = -1; // 128 + signal when killed
    std::string output;
    bool timedOut = false;
};
struct ProcessControl {
    pid_t pid;
    int input; // write end of the child's standard input
};
// Called after each block of output with everything read so far.
using OutputWatcher = std::function<void(const std::string& output, const ProcessControl&)>;
ProcessResult RunProcess(const std::vector<std::string>& argv, const OutputWatcher& watcher = {},
                         int timeoutSeconds = 120);

// The state letter of a process as /proc/PID/stat gives it ('R' running,
// 'S' sleeping, 'T' stopped, ...), or 0 when there is no such process.
char ProcessState(pid_t pid);
// The processes (other than this one) whose command line mentions the text.
std::vector<pid_t> PidsMentioning(const std::string& text);

// Directory of the running test executable (where our programs are built),
// ending in "/".
std::string BinDirectory();

} // namespace kiv::test
