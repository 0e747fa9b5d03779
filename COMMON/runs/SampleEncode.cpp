#include "runs/SampleEncode.h"

#include "FixedText.h"
#include "Vocabularies.h"
#include "media/MediaDetector.h"
#include "runs/JobBuilder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace kiv {

SampleResult EncodeSample(CEncoderCntl& controller, const ConversionJob& probed,
                          const SampleRequest& request) {
    SampleResult sample;
    ConversionJob job = probed;
    job.done = 0;
    const int start = std::max(request.startSeconds, 0);
    const JobPlan plan{request.folder, FormatDuration(start),
                       FormatDuration(start + std::max(request.lengthSeconds, 1)),
                       request.inputScriptPath, request.choices};
    std::string reason;
    if (!PrepareJobForConversion(job, request.profile, request.targetKind, plan, &reason)) {
        sample.result = {ConvertOutcome::Failed, reason};
        return sample;
    }
    controller.SetOutputsToKeep({});
    controller.bDoConvert(&job);
    sample.result = controller.LastResult();
    sample.outputPath = GetText(job.outputPath);
    if (sample.result.outcome != ConvertOutcome::Done)
        return sample;
    std::error_code error;
    sample.bytes = std::filesystem::file_size(sample.outputPath, error);
    if (error)
        sample.bytes = 0;
    // The written file's own length (its longest stream's, to the
    // millisecond) and picture.
    MediaFacts written;
    if (DetectMedia(sample.outputPath, written) == 0) {
        sample.hasVideo = written.hasVideo == 1;
        sample.seconds = written.duration;
        sample.width = written.width;
        sample.height = written.height;
    }
    if (!(sample.seconds > 0))
        sample.seconds = request.lengthSeconds;
    return sample;
}

std::vector<SampleSpan> PlanSamples(int startSeconds, int endSeconds, int lengthSeconds,
                                    int count) {
    const int range = endSeconds - startSeconds;
    if (range <= 0 || lengthSeconds <= 0 || count <= 0)
        return {};
    if (range <= lengthSeconds * count)
        return {{startSeconds, range}};
    std::vector<SampleSpan> spans;
    for (int i = 0; i < count; ++i) {
        // The middle of the i-th of count equal shares.
        const double middle = startSeconds + range * (2.0 * i + 1) / (2.0 * count);
        const int start = static_cast<int>(std::floor(middle - lengthSeconds / 2.0));
        spans.push_back(
            {std::clamp(start, startSeconds, endSeconds - lengthSeconds), lengthSeconds});
    }
    return spans;
}

std::vector<SampleSpan> PlanEstimateSamples(int startSeconds, int endSeconds) {
    constexpr int kShortest = 2;
    const int range = endSeconds - startSeconds;
    const int share = range / 4;
    if (share < kShortest)
        return PlanSamples(startSeconds, endSeconds, kShortest, 1);
    const int count = std::min(kEstimateSamples, share / kShortest);
    return PlanSamples(startSeconds, endSeconds, std::min(kEstimateSampleSeconds, share / count),
                       count);
}

std::uintmax_t ExpectedBytes(const std::vector<SampleResult>& samples, double outputSeconds) {
    double bytes = 0, seconds = 0;
    for (const SampleResult& sample : samples) {
        if (!sample.Made())
            continue;
        bytes += static_cast<double>(sample.bytes);
        seconds += sample.seconds;
    }
    if (seconds <= 0 || !(outputSeconds > 0))
        return 0;
    return static_cast<std::uintmax_t>(std::llround(bytes / seconds * outputSeconds));
}

SizeEstimate EstimateOutputSize(CEncoderCntl& controller, const ConversionJob& probed,
                                const SampleRequest& request, int startSeconds, double endSeconds) {
    SizeEstimate estimate;
    // The probe's duration is the length shown; the file's own is exact.
    MediaFacts facts;
    if (DetectMedia(std::string(GetText(probed.sourcePath)), facts) == 0 && facts.duration > 0)
        endSeconds = std::min(endSeconds, facts.duration);
    estimate.outputSeconds = std::max(endSeconds - std::max(startSeconds, 0), 0.0);
    const std::vector<SampleSpan> spans =
        PlanEstimateSamples(startSeconds, static_cast<int>(std::ceil(endSeconds)));
    if (spans.empty()) {
        estimate.result = {ConvertOutcome::Failed, "there is nothing to convert"};
        return estimate;
    }
    for (const SampleSpan& span : spans) {
        SampleRequest part = request;
        part.startSeconds = span.startSeconds;
        part.lengthSeconds = span.lengthSeconds;
        SampleResult sample = EncodeSample(controller, probed, part);
        std::error_code ignored;
        if (!sample.outputPath.empty())
            std::filesystem::remove(sample.outputPath, ignored);
        if (!sample.Made()) {
            estimate.result = sample.result;
            if (estimate.result.outcome == ConvertOutcome::Done)
                estimate.result = {ConvertOutcome::Failed, "a sample came out empty"};
            return estimate;
        }
        estimate.samples.push_back(std::move(sample));
    }
    estimate.bytes = ExpectedBytes(estimate.samples, estimate.outputSeconds);
    estimate.result = {ConvertOutcome::Done, {}, true};
    return estimate;
}

std::string SizeText(std::uintmax_t bytes) {
    struct Unit {
        double size;
        const char* name;
    };
    static constexpr Unit kUnits[] = {{1e9, "GB"}, {1e6, "MB"}, {1e3, "kB"}};
    char text[32] = {};
    for (const Unit& unit : kUnits) {
        const double value = static_cast<double>(bytes) / unit.size;
        if (value < 1)
            continue;
        // Two figures at least; whole numbers from ten on.
        if (value < 9.95)
            std::snprintf(text, sizeof text, "%.1f %s", value, unit.name);
        else
            std::snprintf(text, sizeof text, "%.0f %s", value, unit.name);
        return text;
    }
    std::snprintf(text, sizeof text, "%ju bytes", bytes);
    return text;
}

std::string RateText(const SampleResult& sample) {
    if (!sample.Made())
        return {};
    const double kilobits = static_cast<double>(sample.bytes) * 8 / sample.seconds / 1000;
    char text[32] = {};
    if (kilobits < 999.5)
        std::snprintf(text, sizeof text, "%.0f kb/s", kilobits);
    else
        std::snprintf(text, sizeof text, "%.1f Mb/s", kilobits / 1000);
    return text;
}

} // namespace kiv
