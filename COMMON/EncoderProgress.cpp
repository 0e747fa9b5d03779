// Running a prepared conversion and turning the encoder's status lines into
// progress for the caller's callback.

#include "CFFmpegEncoder.h"
#include "EncoderProcessRunner.h"
#include "Log.h"

#include <cstdint>
#include <cstdio>
#include <memory>

namespace kiv {

namespace {

// Reads the whole seconds of a status line: "time=" is the third field for
// sources without video and the seventh for sources with video.
bool ReadStatusSeconds(const char* line, bool hasVideo, int& seconds) {
    const char* format = hasVideo ? "%*s %*s %*s %*s %*s %*s time=%d %*s" : "%*s %*s time=%d";
    return std::sscanf(line, format, &seconds) == 1;
}

} // namespace

int StatusPercent(const char* line, bool hasVideo, int progressTotal, bool& parsed) {
    int seconds = 0;
    parsed = ReadStatusSeconds(line, hasVideo, seconds);
    if (!parsed || progressTotal <= 0)
        return 0;
    long long percent = static_cast<long long>(seconds) * 100 / progressTotal;
    return percent >= 1 && percent <= 99 ? static_cast<int>(percent) : 0;
}

int CFFmpegEncoder::bRunConvert(const char*, int) {
    EncoderProcessRunner& runner = EncoderProcessRunner::Instance();
    runner.Init(commandLine_, this, 0);
    if (runner.Start() != 1)
        return 0;
    return error_ == 0 ? 1 : 0;
}

int CFFmpegEncoder::bStop() {
    try {
        EncoderProcessRunner::Instance().Stop(this);
    } catch (...) {
    }
    return 1;
}

int CFFmpegEncoder::OnProcessNotify(int code, void* data, int) {
    switch (code) {
    case NotifyStopped:
        finished_ = 1;
        ReportProgress(100);
        return 1;
    case NotifyStarted:
        process_ = data ? *static_cast<pid_t*>(data) : 0;
        return 1;
    case NotifyEnded:
        finished_ = 1;
        ReportProgress(100);
        return error_ == 0 ? 1 : 0;
    default:
        break;
    }
    std::unique_ptr<std::string> owned(static_cast<std::string*>(data));
    char line[512] = {};
    try {
        if (finished_ == 1 || !owned)
            return 1;
        if (slideshowTag_ != 0) {
            ReportProgress(10);
            return 1;
        }
        if (owned->empty())
            return 1;
        owned->copy(line, sizeof line - 1);
        bool parsed = false;
        int percent = StatusPercent(line, job_.hasVideo != 0, progressTotal_, parsed);
        if (parsed)
            ReportProgress(percent);
        else
            WriteLogFormat("Module:%x,Line:%s,Error Info :%s", 0xffff06, "PostMessage", line);
        return error_ == 0 ? 1 : 0;
    } catch (...) {
        error_ = 1;
        finished_ = 1;
        WriteLogFormat("Module:%x,Line:%s,Error Info :%s", 0xffff06, "PostMessage", line);
        return 0;
    }
}

} // namespace kiv
