#include "Log.h"

#include "Paths.h"

#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace kiv {

namespace {

constexpr auto kShareWait = std::chrono::seconds(1);

std::mutex logMutex;
int logDescriptor = -1;
std::string logPath;
bool openFailed = false;

// Every run that writes the log holds a shared lock on it. The one that
// finds nobody else (its exclusive lock is granted) empties it first; the
// others append to what is there.
void EmptyUnlessShared(int descriptor) {
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
        // A log that cannot be emptied is still written to.
        [[maybe_unused]] int emptied = ::ftruncate(descriptor, 0);
        ::flock(descriptor, LOCK_SH);
        return;
    }
    // Another run holds it, or is just emptying it.
    auto deadline = std::chrono::steady_clock::now() + kShareWait;
    while (::flock(descriptor, LOCK_SH | LOCK_NB) != 0 &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

void CloseLocked() {
    if (logDescriptor >= 0)
        ::close(logDescriptor);
    logDescriptor = -1;
    logPath.clear();
}

bool OpenLocked(const std::string& path) {
    CloseLocked();
    logDescriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    openFailed = logDescriptor < 0;
    if (openFailed)
        return false;
    EmptyUnlessShared(logDescriptor);
    logPath = path;
    return true;
}

void WriteRecord(int descriptor, const std::string& record) {
    std::size_t written = 0;
    while (written < record.size()) {
        ssize_t count = ::write(descriptor, record.data() + written, record.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return; // a failing log write is silent
        written += static_cast<std::size_t>(count);
    }
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
    CloseLocked();
}

std::string OpenLogPath() {
    std::lock_guard lock(logMutex);
    return logPath;
}

void WriteLog(std::string_view text) {
    std::string record(text);
    if (record.empty() || record.back() != '\n')
        record += '\n';
    std::lock_guard lock(logMutex);
    // A log that is not open is opened as at start-up, once.
    if (logDescriptor < 0 && !openFailed)
        OpenLocked(LogFilePath());
    WriteRecord(logDescriptor >= 0 ? logDescriptor : STDERR_FILENO, record);
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
