#include "SubtitleTiming.h"

#include "ChildRun.h"
#include "Containers.h"
#include "FfmpegRunner.h"
#include "NumberText.h"
#include "Repairs.h"
#include "StreamFit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace kiv::enc {

namespace {

// A cue that began this long before the trim's start is still read.
constexpr double kLongestCueSeconds = 30;
constexpr std::chrono::seconds kReadLimit{120};
// Prepared inputs live above the descriptors FFmpeg is given (3 to 4 and
// kFirstPreparedDescriptor on), so that dup2 in the child never meets them.
constexpr int kLowestDescriptor = 100;
constexpr std::size_t kMostPrepared = 32;

// "H:MM:SS.cc" of an ASS time; negative when the text is none.
double AssSeconds(std::string_view text) {
    int hours = 0, minutes = 0;
    double seconds = 0;
    std::string copy(text);
    if (std::sscanf(copy.c_str(), "%d:%d:%lf", &hours, &minutes, &seconds) != 3)
        return -1;
    return hours * 3600.0 + minutes * 60.0 + seconds;
}

std::string AssTime(double seconds) {
    long long centiseconds = std::llround(std::max(seconds, 0.0) * 100);
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld.%02lld", centiseconds / 360000,
                  centiseconds / 6000 % 60, centiseconds / 100 % 60, centiseconds % 100);
    return text;
}

// The dialogue line cut to the window, or nothing when none of it is in.
std::optional<std::string> CutDialogue(const std::string& line, double start, double end) {
    // "Dialogue: Layer,Start,End,Style,..."
    std::size_t first = line.find(',');
    std::size_t second = first == std::string::npos ? first : line.find(',', first + 1);
    std::size_t third = second == std::string::npos ? second : line.find(',', second + 1);
    if (third == std::string::npos)
        return line;
    double cueStart = AssSeconds(line.substr(first + 1, second - first - 1));
    double cueEnd = AssSeconds(line.substr(second + 1, third - second - 1));
    if (cueStart < 0 || cueEnd < 0)
        return line;
    if (cueEnd <= start || cueStart >= end)
        return std::nullopt;
    return line.substr(0, first + 1) + AssTime(std::max(cueStart, start) - start) + "," +
           AssTime(std::min(cueEnd, end) - start) + line.substr(third);
}

int MakeMemoryFile() {
    int raw = ::memfd_create("kiv-subtitles", MFD_CLOEXEC);
    if (raw < 0)
        return -1;
    int moved = ::fcntl(raw, F_DUPFD_CLOEXEC, kLowestDescriptor);
    ::close(raw);
    return moved;
}

std::string ReadAll(int descriptor) {
    std::string text;
    ::lseek(descriptor, 0, SEEK_SET);
    char buffer[65536];
    ssize_t count = 0;
    while ((count = ::read(descriptor, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(count));
    return text;
}

bool Rewrite(int descriptor, const std::string& text) {
    if (::ftruncate(descriptor, 0) != 0 || ::lseek(descriptor, 0, SEEK_SET) != 0)
        return false;
    WriteAll(descriptor, text);
    return ::lseek(descriptor, 0, SEEK_SET) == 0;
}

} // namespace

int PrepareAssScript(const std::string& path, int streamIndex, double start, double length) {
    int descriptor = MakeMemoryFile();
    if (descriptor < 0)
        return -1;
    bool whole = length <= 0;
    double from = whole ? 0 : std::max(0.0, start - kLongestCueSeconds);
    // Times as the conversion counts them: from the file's start.
    std::vector<std::string> arguments = {
        FfmpegExecutable(), "-hide_banner", "-nostdin", "-v", "error", "-copyts", "-start_at_zero"};
    if (!whole)
        arguments.insert(arguments.end(),
                         {"-ss", NumberText(from), "-t", NumberText(start - from + length)});
    arguments.insert(arguments.end(), {"-i", path, "-map", "0:" + std::to_string(streamIndex),
                                       "-c:s", "ass", "-f", "ass", "-"});
    ChildOutcome run = RunChild(arguments, descriptor, kReadLimit);
    std::string script = run.exitCode == 0 ? ReadAll(descriptor) : std::string();
    if (script.empty() || (!whole && !Rewrite(descriptor, CutAssScript(script, start, length)))) {
        ::close(descriptor);
        return -1;
    }
    ::lseek(descriptor, 0, SEEK_SET);
    return descriptor;
}

namespace {

// The codec a re-timed stream is written with: the line's, or for a copy
// the source's own kind of text.
std::string CodecFor(const std::string& lineCodec, const StreamFacts& source,
                     const std::string& format) {
    if (lineCodec != "copy")
        return lineCodec;
    std::string_view codec = source.codec;
    if (codec == "subrip")
        return "srt";
    if (codec == "ass" || codec == "ssa")
        return "ass";
    return TextSubtitleCodec(format);
}

std::string Disposition(const StreamFacts& source) {
    if (source.defaultTrack && source.forcedTrack)
        return "default+forced";
    if (source.defaultTrack)
        return "default";
    return source.forcedTrack ? "forced" : "0";
}

} // namespace

std::string CutAssScript(const std::string& script, double startSeconds, double lengthSeconds) {
    std::string result;
    double end = startSeconds + lengthSeconds;
    std::size_t from = 0;
    while (from < script.size()) {
        std::size_t newline = script.find('\n', from);
        std::size_t next = newline == std::string::npos ? script.size() : newline + 1;
        std::string line = script.substr(from, next - from);
        from = next;
        if (!line.starts_with("Dialogue:")) {
            result += line;
            continue;
        }
        if (std::optional<std::string> cut = CutDialogue(line, startSeconds, end))
            result += *cut;
    }
    return result;
}

void CutSubtitlesToTrim(FfmpegPlan& plan, const std::vector<StreamFacts>& streams,
                        double startSeconds, double lengthSeconds) {
    if (plan.inputs.empty() || lengthSeconds <= 0)
        return;
    std::string format = ReadOutputFacts(plan).format;
    // The line's maps, in output order: where each stands and which source
    // stream it takes.
    std::vector<std::pair<std::size_t, const StreamFacts*>> maps;
    for (std::size_t at = 0; at < plan.options.size(); ++at) {
        const PlanOption& option = plan.options[at];
        std::optional<int> number =
            option.name == "-map" ? MappedStreamNumber(option.value) : std::nullopt;
        if (!number)
            continue;
        int index = *number;
        auto source = std::find_if(streams.begin(), streams.end(),
                                   [index](const StreamFacts& s) { return s.index == index; });
        maps.emplace_back(at, source == streams.end() ? nullptr : &*source);
    }
    std::vector<PlanOption> added;
    int subtitle = 0;
    bool prepared = false;
    for (std::size_t output = 0; output < maps.size(); ++output) {
        auto [at, source] = maps[output];
        if (!source)
            continue;
        added.push_back({"-map_metadata:s:" + std::to_string(output),
                         "0:s:" + std::to_string(source->index), true});
        if (static_cast<StreamType>(source->type) != StreamType::Subtitle)
            continue;
        std::string which = std::to_string(subtitle++);
        const std::string* lineCodec = plan.Find("-c:s:" + which);
        std::string codec = lineCodec ? *lineCodec : "copy";
        int descriptor =
            source->textSubtitle && plan.preparedInputs.size() < kMostPrepared
                ? PrepareAssScript(plan.inputs.front(), source->index, startSeconds, lengthSeconds)
                : -1;
        if (descriptor < 0) {
            if (codec == "copy")
                added.push_back({"-copypriorss:s:" + which, "0", true});
            continue;
        }
        plan.options[at].value =
            std::to_string(plan.inputs.size() + plan.preparedInputs.size()) + ":0";
        plan.preparedInputs.push_back({"ass", descriptor});
        added.push_back({"-c:s:" + which, CodecFor(codec, *source, format), true});
        added.push_back({"-disposition:s:" + which, Disposition(*source), true});
        prepared = true;
    }
    // A stream from a prepared input takes the source stream's tags only
    // when asked to, and asking for one stream's stops FFmpeg copying any
    // other's by itself: then every stream asks.
    if (!prepared)
        std::erase_if(added,
                      [](const PlanOption& o) { return o.name.starts_with("-map_metadata"); });
    plan.options.insert(plan.options.end(), added.begin(), added.end());
}

} // namespace kiv::enc
