#include "ProgressReporter.h"

#include "Json.h"
#include "runs/BatchSummary.h"

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

void ProgressReporter::Begin(const std::string& file) {
    std::lock_guard lock(mutex_);
    file_ = file;
    percent_ = 0;
    figures_ = {};
    Show(paused_ ? "paused" : "converting");
}

void ProgressReporter::Update(int value) {
    std::lock_guard lock(mutex_);
    // 0 means "no position" and 100 only "the encoder has ended": the result
    // of the file is told by Finish.
    if (value < 1 || value > 99 || value == percent_)
        return;
    percent_ = value;
    Show("converting");
}

void ProgressReporter::Progress(const ProgressFigures& figures) {
    std::lock_guard lock(mutex_);
    figures_ = figures;
    int value = figures.percent;
    if (value < 1 || value > 99 || value == percent_)
        return;
    percent_ = value;
    Show(paused_ ? "paused" : "converting");
}

void ProgressReporter::Paused(bool paused) {
    std::lock_guard lock(mutex_);
    if (paused == paused_)
        return;
    paused_ = paused;
    if (!file_.empty())
        Show(paused ? "paused" : "converting");
}

void ProgressReporter::Finish(const std::string& state) {
    std::lock_guard lock(mutex_);
    if (state == "done")
        percent_ = 100;
    Show(state);
    if (style_ == ProgressStyle::Bar)
        std::fputc('\n', stderr);
}

void ProgressReporter::FinishFile(const std::string& result, const std::string& output,
                                  const std::string& reason, const std::string& warning) {
    std::lock_guard lock(mutex_);
    if (result == "done") {
        percent_ = 100;
        figures_.secondsLeft = 0;
    }
    std::string ending = "," + (output.empty() ? "\"output\":null" : JsonField("output", output)) +
                         ",\"result\":" + JsonString(result);
    if (result == "failed")
        ending += ",\"reason\":" + JsonString(reason);
    if (!warning.empty())
        ending += ",\"warning\":" + JsonString(warning);
    Show(result, ending);
    if (style_ == ProgressStyle::Bar)
        std::fputc('\n', stderr);
    file_.clear();
}

void ProgressReporter::PrintOutput(const std::string& output) {
    if (style_ == ProgressStyle::Json || output.empty())
        return;
    std::printf("%s\n", output.c_str());
    std::fflush(stdout);
}

// "2.4x, 61 fps, 1:12 left", or "estimating time left" at first.
std::string ProgressReporter::FiguresText() const {
    if (!figures_.secondsLeft)
        return "estimating time left";
    char speed[64] = "";
    if (figures_.framesPerSecond > 0)
        std::snprintf(speed, sizeof speed, "%.1fx, %.0f fps, ", figures_.speed,
                      figures_.framesPerSecond);
    else
        std::snprintf(speed, sizeof speed, "%.1fx, ", figures_.speed);
    return speed + ShortClock(*figures_.secondsLeft) + " left";
}

void ProgressReporter::Show(const std::string& state, const std::string& ending) {
    const bool running = state == "converting" || state == "paused";
    switch (style_) {
    case ProgressStyle::Quiet:
        return;
    case ProgressStyle::Json: {
        const bool known = figures_.secondsLeft.has_value();
        std::printf("{%s,\"percent\":%d,\"state\":%s,\"speed\":%s,\"eta_seconds\":%s,"
                    "\"elapsed_seconds\":%s%s}\n",
                    JsonField("file", file_).c_str(), percent_, JsonString(state).c_str(),
                    figures_.speed > 0 ? JsonNumber(figures_.speed).c_str() : "null",
                    known ? JsonNumber(*figures_.secondsLeft).c_str() : "null",
                    JsonNumber(figures_.elapsedSeconds).c_str(), ending.c_str());
        std::fflush(stdout);
        return;
    }
    case ProgressStyle::Lines:
        if (running && percent_ > 0)
            std::fprintf(stderr, "%3d%% %s %s (%s)\n", percent_, state.c_str(), file_.c_str(),
                         FiguresText().c_str());
        else
            std::fprintf(stderr, "%3d%% %s %s\n", percent_, state.c_str(), file_.c_str());
        return;
    case ProgressStyle::Bar: {
        int filled = percent_ * kBarWidth / 100;
        std::string bar(static_cast<std::size_t>(filled), '#');
        bar.append(static_cast<std::size_t>(kBarWidth - filled), '.');
        std::string figures = running && percent_ > 0 ? " (" + FiguresText() + ")" : "";
        std::fprintf(stderr, "\r[%s] %3d%% %s %s%s\x1b[K", bar.c_str(), percent_, state.c_str(),
                     file_.c_str(), figures.c_str());
        std::fflush(stderr);
        return;
    }
    }
}

} // namespace kiv
