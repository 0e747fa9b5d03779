#include "FfmpegRunner.h"

#include "ErrorLine.h"
#include "FfmpegPlan.h"
#include "LineSplitter.h"
#include "ProgressReport.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kiv::enc {

namespace {

std::atomic<pid_t> gChild{0};
volatile std::sig_atomic_t gStopSignal = 0;
volatile std::sig_atomic_t gAbandoned = 0;

void PassSignalOn(int signalNumber) {
    gStopSignal = signalNumber;
    pid_t child = gChild.load();
    if (child > 0)
        ::kill(child, signalNumber);
}

// SIGHUP: the program that started enc has gone (the parent-death signal)
// or wants the conversion abandoned. FFmpeg is ended at once; its
// unfinished file is deleted afterwards.
void Abandon(int) {
    gAbandoned = 1;
    pid_t child = gChild.load();
    if (child > 0)
        ::kill(child, SIGKILL);
}

void InstallSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = PassSignalOn;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    action.sa_handler = Abandon;
    ::sigaction(SIGHUP, &action, nullptr);
    // A reader that went away must not end enc while FFmpeg still runs.
    ::signal(SIGPIPE, SIG_IGN);
}

// A pipe whose ends lie above the descriptors the child is given, so that
// dup2 in the child always makes a fresh, inheritable copy.
bool MakePipe(int ends[2]) {
    int raw[2];
    if (::pipe2(raw, O_CLOEXEC) != 0)
        return false;
    for (int i = 0; i < 2; ++i) {
        ends[i] = ::fcntl(raw[i], F_DUPFD_CLOEXEC, 10);
        ::close(raw[i]);
    }
    return ends[0] >= 0 && ends[1] >= 0;
}

struct Pipes {
    int progress[2] = {-1, -1};
    int messages[2] = {-1, -1};

    ~Pipes() {
        for (int descriptor : {progress[0], progress[1], messages[0], messages[1]}) {
            if (descriptor >= 0)
                ::close(descriptor);
        }
    }
    void CloseWriteEnds() {
        ::close(progress[1]);
        ::close(messages[1]);
        progress[1] = messages[1] = -1;
    }
};

bool Spawn(const std::vector<std::string>& argv, const Pipes& pipes, int inputDescriptor,
           const std::vector<int>& prepared, pid_t& child, std::string& error) {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_adddup2(&actions, pipes.messages[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipes.messages[1], STDERR_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipes.progress[1], kProgressDescriptor);
    if (inputDescriptor >= 0)
        posix_spawn_file_actions_adddup2(&actions, inputDescriptor, kVideoInputDescriptor);
    for (std::size_t i = 0; i < prepared.size(); ++i)
        posix_spawn_file_actions_adddup2(&actions, prepared[i],
                                         kFirstPreparedDescriptor + static_cast<int>(i));
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    std::vector<char*> pointers;
    for (const std::string& argument : argv)
        pointers.push_back(const_cast<char*>(argument.c_str()));
    pointers.push_back(nullptr);
    int result =
        ::posix_spawnp(&child, pointers[0], &actions, &attributes, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (result != 0) {
        error = "cannot start " + argv[0] + ": " + std::strerror(result);
        return false;
    }
    return true;
}

// Reads both pipes until FFmpeg has closed them.
void Pump(const Pipes& pipes, RunResult& result) {
    ProgressBlockReader progress;
    LineSplitter progressLines(false, [&progress](std::string_view line) {
        if (std::optional<ProgressValues> values = progress.Feed(line))
            WriteAll(STDOUT_FILENO, FormatStatusLine(*values));
    });
    ErrorLineChooser errors;
    LineSplitter messageLines(true, [&errors, &result](std::string_view view) {
        std::string line(view);
        if (line.empty() || IsFfmpegStatusLine(line))
            return;
        if (line.find("[q] command received") != std::string::npos)
            result.quitByKey = true;
        errors.Feed(line);
        WriteAll(STDERR_FILENO, line + "\n");
    });
    pollfd descriptors[2] = {{pipes.progress[0], POLLIN, 0}, {pipes.messages[0], POLLIN, 0}};
    LineSplitter* splitters[2] = {&progressLines, &messageLines};
    int open = 2;
    char buffer[4096];
    while (open > 0) {
        if (::poll(descriptors, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (descriptors[i].fd < 0 || descriptors[i].revents == 0)
                continue;
            ssize_t count = ::read(descriptors[i].fd, buffer, sizeof buffer);
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0) {
                splitters[i]->Finish();
                descriptors[i].fd = -1;
                --open;
                continue;
            }
            splitters[i]->Feed(std::string_view(buffer, static_cast<std::size_t>(count)));
        }
    }
    result.errorLine = errors.Reason();
}

int WaitForExit(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

} // namespace

void InstallStopHandlers() {
    InstallSignalHandlers();
}

bool StopSignalled() {
    return gStopSignal != 0 || gAbandoned != 0;
}

std::string FfmpegExecutable() {
    const char* configured = std::getenv("KIV_FFMPEG");
    return configured && *configured ? configured : "ffmpeg";
}

bool IsFfmpegStatusLine(const std::string& line) {
    bool statusStart = line.starts_with("frame=") || line.starts_with("size=");
    return statusStart && line.find(" time=") != std::string::npos;
}

void WriteAll(int descriptor, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        ssize_t count = ::write(descriptor, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return;
        written += static_cast<std::size_t>(count);
    }
}

RunResult RunFfmpeg(const std::vector<std::string>& argv, int inputDescriptor,
                    const std::vector<int>& prepared) {
    struct Input {
        int fd;
        ~Input() {
            if (fd >= 0)
                ::close(fd);
        }
    } input{inputDescriptor};
    RunResult result;
    InstallSignalHandlers();
    Pipes pipes;
    if (!MakePipe(pipes.progress) || !MakePipe(pipes.messages)) {
        result.startError = std::string("cannot create pipes: ") + std::strerror(errno);
        return result;
    }
    pid_t child = 0;
    if (gStopSignal != 0 || gAbandoned != 0) {
        result.startError = "stopped before FFmpeg started";
        result.abandoned = gAbandoned != 0;
        return result;
    }
    if (!Spawn(argv, pipes, inputDescriptor, prepared, child, result.startError))
        return result;
    ::close(input.fd); // FFmpeg holds it now
    input.fd = -1;
    result.started = true;
    gChild.store(child);
    if (gAbandoned != 0) // arrived while FFmpeg was being started
        ::kill(child, SIGKILL);
    else if (gStopSignal != 0)
        ::kill(child, gStopSignal);
    pipes.CloseWriteEnds();
    Pump(pipes, result);
    result.exitCode = WaitForExit(child);
    gChild.store(0);
    result.signalled = gStopSignal != 0;
    result.abandoned = gAbandoned != 0;
    return result;
}

} // namespace kiv::enc
