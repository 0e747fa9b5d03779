#include "ProgressReporter.h"

#include "Json.h"
#include "runs/BatchSummary.h"

#include <algorithm>
#include <cstdio>

namespace kiv {

namespace {

constexpr int kBarWidth = 30;

} // namespace

ProgressReporter::ProgressReporter(ProgressStyle style) : style_(style) {}

void ProgressReporter::Callback(int value, void* reporter) {
    if (reporter)
        static_cast<ProgressReporter*>(reporter)->Update(value);
}

void ProgressReporter::Begin(const std::string& file, int id) {
    std::lock_guard lock(mutex_);
    Running& entry = running_[id];
    entry = {file, 0, {}};
    Show(entry, StateNow());
}

void ProgressReporter::Update(int value) {
    std::lock_guard lock(mutex_);
    // 0 means "no position" and 100 only "the encoder has ended": the result
    // of the file is told by Finish.
    auto entry = running_.find(0);
    if (entry == running_.end() || value < 1 || value > 99 || value == entry->second.percent)
        return;
    entry->second.percent = value;
    Show(entry->second, "converting");
}

void ProgressReporter::Progress(const ProgressFigures& figures, int id) {
    std::lock_guard lock(mutex_);
    Running& entry = running_[id];
    entry.figures = figures;
    int value = figures.percent;
    if (value < 1 || value > 99 || value == entry.percent)
        return;
    entry.percent = value;
    Show(entry, StateNow());
}

void ProgressReporter::Paused(bool paused) {
    std::lock_guard lock(mutex_);
    if (paused == paused_)
        return;
    paused_ = paused;
    if (style_ == ProgressStyle::Bar && running_.size() > 1)
        return ShowAll();
    for (const auto& [id, entry] : running_)
        if (!entry.file.empty())
            Show(entry, StateNow());
}

void ProgressReporter::Finish(const std::string& state) {
    std::lock_guard lock(mutex_);
    Running& entry = running_[0];
    if (state == "done")
        entry.percent = 100;
    Show(entry, state);
    if (style_ == ProgressStyle::Bar)
        std::fputc('\n', stderr);
}

void ProgressReporter::FinishFile(const std::string& result, const std::string& output,
                                  const std::string& reason, const std::string& warning, int id) {
    std::lock_guard lock(mutex_);
    Running entry = running_[id];
    running_.erase(id);
    if (result == "done") {
        entry.percent = 100;
        entry.figures.secondsLeft = 0;
    }
    std::string ending = "," + (output.empty() ? "\"output\":null" : JsonField("output", output)) +
                         ",\"result\":" + JsonString(result);
    if (result == "failed")
        ending += ",\"reason\":" + JsonString(reason);
    if (!warning.empty())
        ending += ",\"warning\":" + JsonString(warning);
    Show(entry, result, ending);
    if (style_ == ProgressStyle::Bar)
        std::fputc('\n', stderr);
}

void ProgressReporter::PrintOutput(const std::string& output) {
    if (style_ == ProgressStyle::Json || output.empty())
        return;
    std::printf("%s\n", output.c_str());
    std::fflush(stdout);
}

// "2.4x, 61 fps, 1:12 left", or "estimating time left" at first.
std::string ProgressReporter::FiguresText(const ProgressFigures& figures) {
    if (!figures.secondsLeft)
        return "estimating time left";
    char speed[64] = "";
    if (figures.framesPerSecond > 0)
        std::snprintf(speed, sizeof speed, "%.1fx, %.0f fps, ", figures.speed,
                      figures.framesPerSecond);
    else
        std::snprintf(speed, sizeof speed, "%.1fx, ", figures.speed);
    return speed + ShortClock(*figures.secondsLeft) + " left";
}

// One line for all: "[#####.........] 2 converting: a.mp4 37% (1:12 left),
// b.mp4 12% (estimating time left)", the bar at their mean.
void ProgressReporter::ShowAll() {
    int sum = 0;
    std::string files;
    for (const auto& [id, entry] : running_) {
        sum += std::max(0, entry.percent);
        files += (files.empty() ? "" : ", ") + entry.file + " " +
                 std::to_string(std::max(0, entry.percent)) + "%";
        if (!paused_ && entry.percent > 0)
            files += " (" + FiguresText(entry.figures) + ")";
    }
    const int mean = running_.empty() ? 0 : sum / static_cast<int>(running_.size());
    const int filled = mean * kBarWidth / 100;
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kBarWidth - filled), '.');
    std::fprintf(stderr, "\r[%s] %zu %s: %s\x1b[K", bar.c_str(), running_.size(),
                 StateNow().c_str(), files.c_str());
    std::fflush(stderr);
}

void ProgressReporter::Show(const Running& entry, const std::string& state,
                            const std::string& ending) {
    const bool running = state == "converting" || state == "paused";
    const int percent = entry.percent;
    const ProgressFigures& figures = entry.figures;
    switch (style_) {
    case ProgressStyle::Quiet:
        return;
    case ProgressStyle::Json: {
        const bool known = figures.secondsLeft.has_value();
        std::printf("{%s,\"percent\":%d,\"state\":%s,\"speed\":%s,\"eta_seconds\":%s,"
                    "\"elapsed_seconds\":%s%s}\n",
                    JsonField("file", entry.file).c_str(), percent, JsonString(state).c_str(),
                    figures.speed > 0 ? JsonNumber(figures.speed).c_str() : "null",
                    known ? JsonNumber(*figures.secondsLeft).c_str() : "null",
                    JsonNumber(figures.elapsedSeconds).c_str(), ending.c_str());
        std::fflush(stdout);
        return;
    }
    case ProgressStyle::Lines:
        if (running && percent > 0)
            std::fprintf(stderr, "%3d%% %s %s (%s)\n", percent, state.c_str(), entry.file.c_str(),
                         FiguresText(figures).c_str());
        else
            std::fprintf(stderr, "%3d%% %s %s\n", percent, state.c_str(), entry.file.c_str());
        return;
    case ProgressStyle::Bar: {
        if (running && running_.size() > 1)
            return ShowAll();
        int filled = percent * kBarWidth / 100;
        std::string bar(static_cast<std::size_t>(filled), '#');
        bar.append(static_cast<std::size_t>(kBarWidth - filled), '.');
        std::string shown = running && percent > 0 ? " (" + FiguresText(figures) + ")" : "";
        std::fprintf(stderr, "\r[%s] %3d%% %s %s%s\x1b[K", bar.c_str(), percent, state.c_str(),
                     entry.file.c_str(), shown.c_str());
        std::fflush(stderr);
        return;
    }
    }
}

} // namespace kiv
