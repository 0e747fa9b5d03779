#include "TestProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kiv::test {

namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& extra) {
    std::vector<std::string> merged;
    for (char** entry = environ; *entry; ++entry) {
        std::string text = *entry;
        std::string name = text.substr(0, text.find('='));
        bool replaced = false;
        for (const std::string& e : extra)
            replaced = replaced || e.substr(0, e.find('=')) == name;
        if (!replaced)
            merged.push_back(text);
    }
    merged.insert(merged.end(), extra.begin(), extra.end());
    return merged;
}

} // namespace

pid_t StartProgram(const std::vector<std::string>& arguments,
                   const std::vector<std::string>& environment, const std::string& outPath,
                   const std::string& errPath) {
    std::vector<char*> argv;
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<std::string> envText = MergedEnvironment(environment);
    std::vector<char*> envp;
    for (std::string& e : envText)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t child = 0;
    int result = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return result == 0 ? child : 0;
}

int WaitProgram(pid_t child, std::chrono::seconds timeLimit) {
    auto end = std::chrono::steady_clock::now() + timeLimit;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

ProgramResult RunProgram(const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment,
                         std::chrono::seconds timeLimit) {
    char outTemplate[] = "/tmp/kivtest-outXXXXXX";
    char errTemplate[] = "/tmp/kivtest-errXXXXXX";
    close(mkstemp(outTemplate));
    close(mkstemp(errTemplate));
    ProgramResult result;
    pid_t child = StartProgram(arguments, environment, outTemplate, errTemplate);
    if (child > 0)
        result.exitStatus = WaitProgram(child, timeLimit);
    result.out = Slurp(outTemplate);
    result.err = Slurp(errTemplate);
    unlink(outTemplate);
    unlink(errTemplate);
    return result;
}

ProcessResult RunProcess(const std::vector<std::string>& argv, const OutputWatcher& watcher,
                         int timeoutSeconds) {
    ProcessResult result;
    int output[2];
    int input[2];
    if (pipe2(output, O_CLOEXEC) != 0 || pipe2(input, O_CLOEXEC) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDERR_FILENO);
    std::vector<char*> pointers;
    for (const std::string& argument : argv)
        pointers.push_back(const_cast<char*>(argument.c_str()));
    pointers.push_back(nullptr);
    pid_t pid = 0;
    int spawned = posix_spawnp(&pid, pointers[0], &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    close(input[0]);
    if (spawned != 0) {
        close(output[0]);
        close(input[1]);
        return result;
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    char buffer[4096];
    for (;;) {
        pollfd descriptor = {output[0], POLLIN, 0};
        int ready = poll(&descriptor, 1, 200);
        if (std::chrono::steady_clock::now() > deadline) {
            result.timedOut = true;
            kill(pid, SIGKILL);
            break;
        }
        if (ready <= 0)
            continue;
        ssize_t count = read(output[0], buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        result.output.append(buffer, static_cast<std::size_t>(count));
        if (watcher)
            watcher(result.output, ProcessControl{pid, input[1]});
    }
    close(output[0]);
    close(input[1]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

char ProcessState(pid_t pid) {
    std::string stat = Slurp("/proc/" + std::to_string(pid) + "/stat");
    // "pid (name) S ...": the name may hold blanks and parentheses.
    std::size_t close = stat.rfind(')');
    return close != std::string::npos && close + 2 < stat.size() ? stat[close + 2] : 0;
}

std::vector<pid_t> PidsMentioning(const std::string& text) {
    std::vector<pid_t> pids;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos ||
            name == std::to_string(getpid()))
            continue;
        if (Slurp(entry.path() / "cmdline").find(text) != std::string::npos)
            pids.push_back(static_cast<pid_t>(std::stol(name)));
    }
    return pids;
}

std::string BinDirectory() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/";
}

} // namespace kiv::test
