#include "ShowMusic.h"

#include "ChildRun.h"
#include "FfmpegRunner.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace kiv::enc {

namespace {

constexpr double kLoopFadeOutSeconds = 1;
constexpr double kLoopFadeInSeconds = 0.5;
constexpr double kSilenceSeconds = 0.5;
// How close to the end a silence must reach to count as the music's end.
constexpr double kEndTolerance = 0.1;
constexpr auto kMeasureLimit = std::chrono::minutes(10);

std::string Number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

// The value after the last occurrence of key in text, as seconds.
double LastValue(std::string_view text, std::string_view key, bool clock) {
    std::size_t at = text.rfind(key);
    if (at == std::string_view::npos)
        return -1;
    std::string value(text.substr(at + key.size(), 32));
    if (clock) {
        int hours = 0, minutes = 0;
        double seconds = 0;
        if (std::sscanf(value.c_str(), "%d:%d:%lf", &hours, &minutes, &seconds) != 3)
            return -1;
        return hours * 3600.0 + minutes * 60.0 + seconds;
    }
    return std::strtod(value.c_str(), nullptr);
}

} // namespace

MusicFacts ReadMusicMeasure(const std::string& messages) {
    MusicFacts facts;
    double seconds = LastValue(messages, "time=", true);
    if (seconds <= 0)
        return facts;
    facts.seconds = seconds;
    double silenceStart = LastValue(messages, "silence_start: ", false);
    double silenceEnd = LastValue(messages, "silence_end: ", false);
    // At the end of the stream the detector ends an open silence there.
    facts.endsInSilence = silenceStart >= 0 && silenceEnd >= seconds - kEndTolerance &&
                          messages.rfind("silence_start: ") < messages.rfind("silence_end: ");
    return facts;
}

MusicFacts MeasureMusic(const std::string& path) {
    std::string filter = "silencedetect=n=-50dB:d=" + Number(kSilenceSeconds);
    ChildOutcome run =
        RunChild({FfmpegExecutable(), "-hide_banner", "-nostdin", "-i", path, "-map", "0:a:0",
                  "-af", filter, "-f", "null", "-"},
                 -1, std::chrono::duration_cast<std::chrono::seconds>(kMeasureLimit));
    if (run.exitCode != 0)
        return MusicFacts{};
    return ReadMusicMeasure(run.messages);
}

double EndFadeSeconds(double showSeconds) {
    return showSeconds >= 10 ? 2.0 : showSeconds / 5;
}

std::string MusicGainExpression(const MusicFacts& music, double showSeconds) {
    std::string s = Number(showSeconds);
    std::string fade = Number(EndFadeSeconds(showSeconds));
    // The end: down to silence over the last seconds.
    std::string gain = "if(gt(t," + s + "-" + fade + "),max(0,(" + s + "-t)/" + fade + "),1)";
    if (music.seconds <= 0 || music.seconds >= showSeconds || music.endsInSilence)
        return gain;
    std::string d = Number(music.seconds);
    std::string position = "mod(t," + d + ")";
    std::string out = Number(kLoopFadeOutSeconds);
    std::string in = Number(kLoopFadeInSeconds);
    // Before a restart that comes within the show: down over the last second
    // of the play; after a restart: up over the first half second.
    gain += "*if(lt(t-" + position + "+" + d + "," + s + ")*gt(" + position + "," + d + "-" + out +
            "),max(0,(" + d + "-" + position + ")/" + out + "),1)";
    gain += "*if(gte(t," + d + ")*lt(" + position + "," + in + ")," + position + "/" + in + ",1)";
    return gain;
}

} // namespace kiv::enc
