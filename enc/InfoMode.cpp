#include "InfoMode.h"

#include "FfmpegRunner.h"
#include "MediaLibrary.h"

#include <algorithm>
#include <cmath>
#include <unistd.h>

namespace kiv::enc {

namespace {

int WholeSeconds(double seconds) {
    if (!std::isfinite(seconds) || seconds <= 0)
        return 0;
    return seconds >= 2e9 ? 2000000000 : static_cast<int>(seconds);
}

} // namespace

InfoAnswer AnswerFor(const MediaFacts& facts) {
    bool video = facts.hasVideo != 0;
    return {WholeSeconds(facts.duration), video ? std::max(facts.width, 0) : 0,
            video ? std::max(facts.height, 0) : 0, video ? 1 : 0, facts.hasAudio != 0 ? 1 : 0};
}

int RunInfo(const std::string& path) {
    // The detector keeps libav quiet: nothing may come before the line.
    MediaFacts facts;
    bool read = DetectMediaOnDemand(path, facts) == 0;
    if (!read)
        facts = MediaFacts{};
    WriteAll(STDOUT_FILENO, FormatInfoAnswer(AnswerFor(facts)));
    return read ? 0 : 1;
}

} // namespace kiv::enc
