#include "ChildRun.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kiv::enc {

namespace {

constexpr std::size_t kKeptMessages = 16384;

std::string LastLine(const std::string& text) {
    std::size_t end = text.find_last_not_of("\r\n");
    if (end == std::string::npos)
        return {};
    std::size_t start = text.find_last_of("\r\n", end);
    std::size_t from = start == std::string::npos ? 0 : start + 1;
    return text.substr(from, end - from + 1);
}

} // namespace

ChildOutcome RunChild(const std::vector<std::string>& argv, int output, std::chrono::seconds limit,
                      std::atomic<pid_t>* running) {
    ChildOutcome outcome;
    int messages[2];
    if (::pipe2(messages, O_CLOEXEC) != 0) {
        outcome.startError = std::string("cannot create a pipe: ") + std::strerror(errno);
        return outcome;
    }
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (output >= 0)
        posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, messages[1], STDERR_FILENO);
    sigset_t defaults, none;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    std::vector<char*> pointers;
    for (const std::string& argument : argv)
        pointers.push_back(const_cast<char*>(argument.c_str()));
    pointers.push_back(nullptr);
    pid_t child = 0;
    int result =
        ::posix_spawnp(&child, pointers[0], &actions, &attributes, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(messages[1]);
    if (result != 0) {
        ::close(messages[0]);
        outcome.startError = "cannot start " + argv[0] + ": " + std::strerror(result);
        return outcome;
    }
    outcome.started = true;
    if (running)
        running->store(child);

    auto deadline = std::chrono::steady_clock::now() + limit;
    char buffer[4096];
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            ::kill(child, SIGKILL);
            break;
        }
        pollfd wait{messages[0], POLLIN, 0};
        int ready = ::poll(&wait, 1, static_cast<int>(std::min<long long>(left.count(), 1000)));
        if (ready < 0 && errno != EINTR)
            break;
        if (ready <= 0)
            continue;
        ssize_t count = ::read(messages[0], buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        outcome.messages.append(buffer, static_cast<std::size_t>(count));
        if (outcome.messages.size() > kKeptMessages)
            outcome.messages.erase(0, outcome.messages.size() - kKeptMessages);
    }
    ::close(messages[0]);
    // Forgotten before it is reaped: its pid may be reused afterwards, and
    // killing a child that has already ended does no harm.
    if (running)
        running->store(0);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    outcome.lastLine = LastLine(outcome.messages);
    return outcome;
}

} // namespace kiv::enc
