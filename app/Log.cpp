#include "Log.h"

#include "Paths.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <vector>

namespace kiv {

namespace {

std::mutex logMutex;
std::FILE* logFile = nullptr;
std::string logPath;
bool openFailed = false;

bool OpenLocked(const std::string& path) {
    if (logFile)
        std::fclose(logFile);
    logFile = std::fopen(path.c_str(), "wb");
    logPath = logFile ? path : std::string();
    openFailed = logFile == nullptr;
    return logFile != nullptr;
}

} // namespace

bool OpenLog(const std::string& path) {
    std::lock_guard lock(logMutex);
    bool opened = OpenLocked(path);
    if (!opened)
        std::fprintf(stderr, "kiv: cannot create the log %s; diagnostics go to standard error\n",
                     path.c_str());
    return opened;
}

void CloseLog() {
    std::lock_guard lock(logMutex);
    if (logFile)
        std::fclose(logFile);
    logFile = nullptr;
    logPath.clear();
}

std::string OpenLogPath() {
    std::lock_guard lock(logMutex);
    return logPath;
}

void WriteLog(std::string_view text) {
    std::lock_guard lock(logMutex);
    // A log that is not open is opened as at start-up, once.
    if (!logFile && !openFailed)
        OpenLocked(LogFilePath());
    std::FILE* target = logFile ? logFile : stderr;
    std::fwrite(text.data(), 1, text.size(), target);
    if (text.empty() || text.back() != '\n')
        std::fputc('\n', target);
    std::fflush(target);
}

void WriteLogFormat(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length > 0) {
        std::vector<char> text(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, args);
        WriteLog(std::string_view(text.data(), static_cast<std::size_t>(length)));
    }
    va_end(args);
}

} // namespace kiv
