#include "ErrorLine.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace kiv::enc {

namespace {

// FFmpeg 5.1's own error texts (libavutil's error table) that name a cause.
constexpr const char* kFfmpegErrors[] = {
    "Invalid data found when processing input",
    "Decoder not found",
    "Encoder not found",
    "Demuxer not found",
    "Muxer not found",
    "Protocol not found",
    "Stream not found",
    "Filter not found",
    "Option not found",
    "Bitstream filter not found",
    "Not yet implemented in FFmpeg, patches welcome",
    "Experimental feature",
    "Generic error in an external library",
    "Internal bug, should not have happened",
    "Bug detected, please report the issue",
    "End of file",
};

// How an encoder library or FFmpeg's own set-up says it could not go on:
// SVT-AV1's log ("Svt[error]: Instance 1: Source Width must be at least
// 64"), FFmpeg's "Error initializing output stream ...". Such a line comes
// before the lines other streams print while the run winds down.
bool IsEncoderError(std::string_view line) {
    return line.find("[error]") != std::string_view::npos || line.starts_with("Error ");
}

// Closing lines that only say that the run failed.
constexpr const char* kSummaries[] = {"Conversion failed!"};

// The system's error texts, read once ("Operation not permitted", ...).
const std::vector<std::string>& SystemErrorTexts() {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> all;
        for (int number = 1; number < 134; ++number) {
            std::string text = std::strerror(number);
            if (!text.starts_with("Unknown error"))
                all.push_back(text);
        }
        return all;
    }();
    return texts;
}

} // namespace

bool NamesAnError(std::string_view line) {
    const auto named = [line](std::string_view text) {
        return line.find(text) != std::string_view::npos;
    };
    return std::any_of(std::begin(kFfmpegErrors), std::end(kFfmpegErrors), named) ||
           std::any_of(SystemErrorTexts().begin(), SystemErrorTexts().end(),
                       [&named](const std::string& text) { return named(text); });
}

void ErrorLineChooser::Feed(std::string_view line) {
    if (line.empty())
        return;
    last_ = line;
    if (std::none_of(std::begin(kSummaries), std::end(kSummaries),
                     [line](const char* summary) { return line == summary; }))
        lastPlain_ = line;
    if (first_.empty() && NamesAnError(line))
        first_ = line;
    if (firstEncoder_.empty() && IsEncoderError(line))
        firstEncoder_ = line;
}

std::string ErrorLineChooser::Reason() const {
    if (!first_.empty())
        return first_;
    if (!firstEncoder_.empty())
        return firstEncoder_;
    return lastPlain_.empty() ? last_ : lastPlain_;
}

} // namespace kiv::enc
