#include "TestProcess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kivtest {

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

void MakeMedia(const std::filesystem::path& output, const std::vector<std::string>& arguments) {
    std::vector<std::string> command = {"ffmpeg", "-v", "error", "-y"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    command.push_back(output.string());
    ProgramResult result = RunProgram(command);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
}

void MakeClip(const std::filesystem::path& output, int seconds, const std::string& size) {
    std::string length = std::to_string(seconds);
    MakeMedia(output,
              {"-f", "lavfi", "-i", "testsrc2=size=" + size + ":rate=25:duration=" + length, "-f",
               "lavfi", "-i", "sine=frequency=440:sample_rate=48000:duration=" + length, "-c:v",
               "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-c:a", "aac", "-ac", "2",
               "-shortest"});
}

std::string BinDirectory() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/";
}

} // namespace kivtest
