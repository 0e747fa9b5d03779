#include "runs/JobBuilder.h"

#include "CEncoderCntl.h"
#include "FixedText.h"
#include "Paths.h"
#include "Vocabularies.h"
#include "commandline/CommandLineBuilder.h"

#include <charconv>
#include <cmath>
#include <filesystem>

namespace kiv {

namespace {

// Reads a leading decimal number the way the profile texts are meant:
// independent of the process locale; unreadable text gives 0.
template <typename Number> Number ReadNumber(std::string_view text) {
    Number value{};
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

template <std::size_t N>
bool SetChecked(char (&field)[N], const std::string& text, const char* what, std::string* reason) {
    if (!FitsField(field, text)) {
        if (reason)
            *reason = std::string(what) + " is longer than " + std::to_string(N - 1) +
                      " characters: " + text;
        return false;
    }
    SetText(field, text);
    return true;
}

} // namespace

std::string OutputBaseName(std::string_view sourcePath) {
    std::string name = std::filesystem::path(std::string(sourcePath)).filename().string();
    std::size_t firstDot = name.find('.');
    if (firstDot == std::string::npos)
        return name;
    if (firstDot > 0)
        return name.substr(0, firstDot);
    std::size_t lastDot = name.rfind('.');
    return lastDot > 0 ? name.substr(0, lastDot) : name;
}

void FillJobTarget(ConversionJob& job, const MediaProfile& profile, int targetKind) {
    MediaDescription& target = job.target;
    std::string_view frameSize = GetText(profile.FrameSize);
    if (frameSize == "Original") {
        // Today's formats read no size as "the source's own", whatever the
        // probe saw (a phone video's upright size shows only when decoded).
        bool keep = IsModernKind(targetKind);
        target.width = keep ? 0 : job.source.width;
        target.height = keep ? 0 : job.source.height;
    } else {
        std::size_t x = frameSize.find('x');
        target.width = ReadNumber<int>(frameSize.substr(0, x));
        target.height = x == std::string_view::npos ? 0 : ReadNumber<int>(frameSize.substr(x + 1));
    }
    SetText(target.videoCodec, ToEncoderCodecName(CodecStream::Video, GetText(profile.VideoCodec)));
    target.videoBitrate = ReadNumber<int>(GetText(profile.VideoBitrate));
    target.frameRate = ReadNumber<double>(GetText(profile.FrameRate));
    if (GetText(profile.Aspect) != "Original")
        SetText(target.aspect, GetText(profile.Aspect));
    SetText(target.audioCodec, ToEncoderCodecName(CodecStream::Audio, GetText(profile.AudioCodec)));
    target.audioBitrate = ReadNumber<double>(GetText(profile.AudioBitrate));
    target.sampleRate = ReadNumber<double>(GetText(profile.SampleRate));
    target.channels = ChannelCountOf(profile.ChannelIndex);
    target.volume = profile.Volume;
    target.variant = profile.Variant;
    job.targetKind = targetKind;
}

bool CheckTrimRange(std::string_view start, std::string_view end, std::string* reason) {
    if (end.empty() || TrimSeconds(end) > TrimSeconds(start))
        return true;
    if (reason)
        *reason = "the end time " + std::string(end) + " is not after the start time " +
                  std::string(start.empty() ? "00:00:00" : start);
    return false;
}

bool PrepareJobForConversion(ConversionJob& job, const MediaProfile& profile, int targetKind,
                             const JobPlan& plan, std::string* reason) {
    if (!CheckTrimRange(plan.trimStart, plan.trimEnd, reason))
        return false;
    std::string outputBase = JoinPath(plan.outputFolder, OutputBaseName(GetText(job.sourcePath)));
    if (!SetChecked(job.outputPath, outputBase, "The output path", reason) ||
        !SetChecked(job.trimStart, plan.trimStart, "The start time", reason) ||
        !SetChecked(job.trimEnd, plan.trimEnd, "The end time", reason) ||
        !SetChecked(job.inputScriptPath, plan.inputScriptPath, "The input script path", reason))
        return false;
    FillJobTarget(job, profile, targetKind);
    job.choices.rule = plan.choices;
    return true;
}

int ProbeIntoJob(CEncoderCntl& controller, const std::string& path, ConversionJob& job) {
    job = ConversionJob{};
    if (controller.bGetMediaFileContent(path.c_str(), &job) != 1)
        return 0;
    SetText(job.sourcePath, path);
    if (job.hasVideo == 1 || job.scriptInput == 1)
        job.source.audioDuration = job.source.videoDuration;
    return 1;
}

int WholeFileEndSeconds(const ConversionJob& job) {
    return static_cast<int>(job.source.audioDuration);
}

int DisplayedDurationSeconds(const ConversionJob& job) {
    const double measured = job.source.audioDuration - 1.0;
    return measured > 0 ? static_cast<int>(std::lround(measured)) : 0;
}

} // namespace kiv
