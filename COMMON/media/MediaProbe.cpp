#include "media/MediaProbe.h"

#include "CommandLine.h"
#include "EncoderProtocol.h"
#include "InfoAnswer.h"
#include "Log.h"
#include "RunFolder.h"
#include "files/PlainPaths.h"
#include "process/ChildProcess.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kiv {

namespace {

constexpr std::size_t kInfoBlock = 100;

std::int64_t MsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

// Reaps the probe child; one that is still running is ended first.
void Reap(pid_t child) {
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child)
        return;
    kill(-child, SIGKILL);
    waitpid(child, &status, 0);
}

// Runs `enc -info` on a path the command line can carry and reads its answer.
void AskEncoder(const std::string& appFolder, const std::string& path, int* duration, int* width,
                int* height, int* hasVideo, int* hasAudio, std::chrono::milliseconds timeLimit) {
    ChildPipes pipes;
    int error = 0;
    pid_t child = 0;
    if (pipes.Create(false))
        child = SpawnChild(SplitCommandLine(EncoderInfoCommand(appFolder, path)), pipes, error);
    int output = pipes.TakeOutputRead();
    pipes.CloseAll();
    auto start = std::chrono::steady_clock::now();
    while (child > 0 && output >= 0) {
        std::int64_t left = timeLimit.count() - MsSince(start);
        pollfd wait{output, POLLIN, 0};
        if (left <= 0 || poll(&wait, 1, static_cast<int>(left)) <= 0)
            break;
        char block[kInfoBlock + 1] = {};
        ssize_t count = read(output, block, kInfoBlock);
        if (count <= 0)
            break;
        block[count] = '\0';
        InfoAnswer answer{*duration, *width, *height, *hasVideo, *hasAudio};
        ReadInfoAnswer(block, answer);
        *duration = answer.duration;
        *width = answer.width;
        *height = answer.height;
        *hasVideo = answer.video;
        *hasAudio = answer.audio;
        if (*hasAudio > 0 || *hasVideo > 0)
            break;
    }
    if (output >= 0)
        close(output);
    if (child > 0)
        Reap(child);
}

} // namespace

std::string EncoderInfoCommand(const std::string& appFolder, const std::string& path) {
    // The executable is quoted too: a program folder may contain blanks.
    return "\"" + appFolder + kEncoderExecutable + "\" " + kEncoderToken + " -info \"" + path +
           "\"";
}

int RunEncoderInfo(const std::string& appFolder, const std::string& path, int* duration, int* width,
                   int* height, int* hasVideo, int* hasAudio, std::chrono::milliseconds timeLimit) {
    if (!duration || !width || !height || !hasVideo || !hasAudio)
        return 0;
    if (NeedsPlainName(path)) {
        // The command line cannot carry the name: enc reads it through a link.
        std::string error;
        std::string link = MakePlainLink(RunFolderPath(), path, "probe", error);
        if (link.empty()) {
            WriteLogFormat("Module:COMMON/CFFmpegEncode,Error Info :%s\r\n", error.c_str());
            return 0;
        }
        int result =
            RunEncoderInfo(appFolder, link, duration, width, height, hasVideo, hasAudio, timeLimit);
        ::unlink(link.c_str());
        return result;
    }
    AskEncoder(appFolder, path, duration, width, height, hasVideo, hasAudio, timeLimit);
    if (*duration == 0 && *hasVideo == 1 && *width > 0 && *height > 0) {
        *duration = 300;
        return 1;
    }
    return *duration > 0 ? 1 : 0;
}

} // namespace kiv
