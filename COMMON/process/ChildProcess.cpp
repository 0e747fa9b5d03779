#include "process/ChildProcess.h"

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <deque>
#include <fcntl.h>
#include <future>
#include <mutex>
#include <spawn.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kiv {

namespace {

void CloseFd(int& fd) {
    if (fd >= 0)
        close(fd);
    fd = -1;
}

int Take(int& fd) {
    int taken = fd;
    fd = -1;
    return taken;
}

// Writing to a child that has gone must fail with an error, not end us.
void IgnoreBrokenPipes() {
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGPIPE, SIG_IGN); });
}

} // namespace

bool ChildPipes::Create(bool withInput) {
    IgnoreBrokenPipes();
    int output[2];
    if (pipe2(output, O_CLOEXEC) != 0)
        return false;
    outputRead = output[0];
    outputWrite = output[1];
    if (withInput) {
        int input[2];
        if (pipe2(input, O_CLOEXEC) != 0) {
            int saved = errno;
            CloseAll();
            errno = saved;
            return false;
        }
        inputRead = input[0];
        inputWrite = input[1];
    }
    return true;
}

int ChildPipes::TakeOutputRead() {
    return Take(outputRead);
}
int ChildPipes::TakeInputWrite() {
    return Take(inputWrite);
}

void ChildPipes::CloseAll() {
    CloseFd(outputRead);
    CloseFd(outputWrite);
    CloseFd(inputRead);
    CloseFd(inputWrite);
}

namespace {

pid_t SpawnHere(const std::vector<std::string>& arguments, const ChildPipes& pipes, int& error);

// Runs spawn requests one after another on its own thread.
class Spawner {
public:
    Spawner() {
        // The thread takes no signals: a Ctrl-C must reach the thread that
        // waits for it, never end the program from here. (The children get
        // their own signal mask.)
        sigset_t all, previous;
        sigfillset(&all);
        pthread_sigmask(SIG_SETMASK, &all, &previous);
        std::thread([this] { Serve(); }).detach();
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    }

    pid_t Spawn(const std::vector<std::string>& arguments, const ChildPipes& pipes, int& error) {
        std::packaged_task<pid_t()> task([&] { return SpawnHere(arguments, pipes, error); });
        std::future<pid_t> child = task.get_future();
        {
            std::lock_guard lock(mutex_);
            tasks_.push_back(std::move(task));
        }
        wake_.notify_one();
        return child.get();
    }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::packaged_task<pid_t()>> tasks_;

    void Serve() {
        for (;;) {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return !tasks_.empty(); });
            std::packaged_task<pid_t()> task = std::move(tasks_.front());
            tasks_.pop_front();
            lock.unlock();
            task();
        }
    }
};

// Made once and never destroyed: its thread serves until the process ends.
std::atomic<Spawner*> spawner{nullptr};

} // namespace

void StartSpawnerThread() {
    static std::once_flag once;
    std::call_once(once, [] { spawner = new Spawner; });
}

pid_t SpawnChild(const std::vector<std::string>& arguments, const ChildPipes& pipes, int& error) {
    if (Spawner* running = spawner.load())
        return running->Spawn(arguments, pipes, error);
    return SpawnHere(arguments, pipes, error);
}

namespace {

pid_t SpawnHere(const std::vector<std::string>& arguments, const ChildPipes& pipes, int& error) {
    error = 0;
    if (arguments.empty() || arguments[0].empty()) {
        error = ENOENT;
        return 0;
    }
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (pipes.inputRead >= 0)
        posix_spawn_file_actions_adddup2(&actions, pipes.inputRead, STDIN_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipes.outputWrite, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipes.outputWrite, STDERR_FILENO);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults, empty;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGTERM);
    sigemptyset(&empty);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &empty);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF |
                                              POSIX_SPAWN_SETSIGMASK);

    pid_t child = 0;
    bool searchPath = arguments[0].find('/') == std::string::npos;
    int result = searchPath
                     ? posix_spawnp(&child, argv[0], &actions, &attributes, argv.data(), environ)
                     : posix_spawn(&child, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (result != 0) {
        error = result;
        return 0;
    }
    return child;
}

} // namespace

} // namespace kiv
