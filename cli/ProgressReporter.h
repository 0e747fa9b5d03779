#pragma once
// Shows conversion progress: a bar on standard error (redrawn in place only
// on a terminal, one line per change otherwise), or JSON lines on standard
// output for scripts.

#include <mutex>
#include <string>

namespace kiv {

enum class ProgressStyle { Bar, Lines, Json, Quiet };

class ProgressReporter {
public:
    explicit ProgressReporter(ProgressStyle style);

    void Begin(const std::string& file);
    // An engine progress value: 1 to 99 percent, 0 no position, 100 ended.
    void Update(int value);
    // state: "done", "failed" or "stopped".
    void Finish(const std::string& state);

    static void Callback(int value, void* reporter);

private:
    ProgressStyle style_;
    std::mutex mutex_;
    std::string file_;
    int percent_ = -1;

    void Show(const std::string& state);
};

std::string JsonString(const std::string& text);

} // namespace kiv
