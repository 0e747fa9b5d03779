#include "ProgressReporter.h"

#include <cstdio>

namespace kiv {

namespace {
constexpr int kBarWidth = 30;
}

std::string JsonString(const std::string& text) {
    std::string json = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                json += escaped;
            } else {
                json += static_cast<char>(c);
            }
        }
    }
    return json + "\"";
}

ProgressReporter::ProgressReporter(ProgressStyle style) : style_(style) {}

void ProgressReporter::Callback(int value, void* reporter) {
    if (reporter)
        static_cast<ProgressReporter*>(reporter)->Update(value);
}

void ProgressReporter::Begin(const std::string& file) {
    std::lock_guard lock(mutex_);
    file_ = file;
    percent_ = 0;
    Show("converting");
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

void ProgressReporter::Finish(const std::string& state) {
    std::lock_guard lock(mutex_);
    if (state == "done")
        percent_ = 100;
    Show(state);
    if (style_ == ProgressStyle::Bar)
        std::fputc('\n', stderr);
}

void ProgressReporter::Show(const std::string& state) {
    switch (style_) {
    case ProgressStyle::Quiet:
        return;
    case ProgressStyle::Json:
        std::printf("{\"file\":%s,\"percent\":%d,\"state\":%s}\n", JsonString(file_).c_str(),
                    percent_, JsonString(state).c_str());
        std::fflush(stdout);
        return;
    case ProgressStyle::Lines:
        std::fprintf(stderr, "%3d%% %s %s\n", percent_, state.c_str(), file_.c_str());
        return;
    case ProgressStyle::Bar: {
        int filled = percent_ * kBarWidth / 100;
        std::string bar(static_cast<std::size_t>(filled), '#');
        bar.append(static_cast<std::size_t>(kBarWidth - filled), '.');
        std::fprintf(stderr, "\r[%s] %3d%% %s %s\x1b[K", bar.c_str(), percent_, state.c_str(),
                     file_.c_str());
        std::fflush(stderr);
        return;
    }
    }
}

} // namespace kiv
