#include "Repairs.h"

#include "CodecTable.h"
#include "NumberText.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <span>
#include <string_view>

namespace kiv::enc {

namespace {

// A name ending in no extension and no -f: FFmpeg finds no muxer.
constexpr std::string_view kFallbackFormat = "avi";

// A container that refuses a codec its sibling takes: the line switches to
// the sibling (MP4 takes no H.263 or AMR; 3GP, of the same family, does).
struct FormatSwitch {
    Container from;
    Container to;
};

constexpr std::array<FormatSwitch, 1> kFormatSwitches = {{{Container::Mp4, Container::ThreeGp}}};

constexpr std::array<int, 5> kSmafRates = {4000, 8000, 11025, 22050, 44100};
constexpr std::array<int, 3> kFlashMp3Rates = {11025, 22050, 44100};

// Rates a container takes of a codec, beside the rates a codec takes
// anywhere (the formats table's rows).
struct RateLimit {
    std::string_view format;
    std::string_view codec;
    std::span<const int> rates;
};

const std::array<RateLimit, 3> kRateLimits = {{
    {"mmf", "", kSmafRates},
    {"flv", "libmp3lame", kFlashMp3Rates},
    {"swf", "libmp3lame", kFlashMp3Rates},
}};

constexpr std::array<int, 14> kMp2HighBitrates = {32,  48,  56,  64,  80,  96,  112,
                                                  128, 160, 192, 224, 256, 320, 384};
constexpr std::array<int, 14> kMp2LowBitrates = {8,  16, 24, 32,  40,  48,  56,
                                                 64, 80, 96, 112, 128, 144, 160};

// Audio bit rates (kbit/s) an encoder accepts at a range of sample rates:
// the nearest allowed entry, or at least the minimum.
struct BitrateLimit {
    std::string_view codec;
    int lowestRate;
    int highestRate;
    std::span<const int> allowed;
    int minimum;
};

constexpr int kAnyRate = 1000000; // a row for every sample rate, known or not

const std::array<BitrateLimit, 4> kBitrateLimits = {{
    {"mp2", 32000, 48000, kMp2HighBitrates, 0},
    {"mp2", 1, 31999, kMp2LowBitrates, 0},
    {"wmav1", 0, kAnyRate, {}, 24},
    {"wmav2", 0, kAnyRate, {}, 24},
}};

bool RateFits(const BitrateLimit& rule, int rate) {
    if (rate <= 0)
        return rule.lowestRate == 0 && rule.highestRate >= kAnyRate;
    return rate >= rule.lowestRate && rate <= rule.highestRate;
}

// libvorbis refuses many rate and bit-rate pairs; a quality always works.
constexpr std::string_view kVorbisQuality = "4";

// H.263 takes five frame sizes only.
constexpr std::array<std::string_view, 5> kH263Sizes = {"128x96", "176x144", "352x288", "704x576",
                                                        "1408x1152"};
constexpr std::string_view kH263FallbackSize = "176x144";

// MPEG-1 video refuses these rates unless unofficial rates are allowed.
constexpr std::array<double, 3> kMpeg1UnofficialRates = {10, 12, 15};

// H.264 device profiles: PSP/PS3 play Main; the iPod/iPhone/Apple TV
// option sets (the only mp4/mov lines that carry -qmin) were written for
// CAVLC without B-frames, that is Baseline.
struct ProfileRule {
    std::string_view format;
    std::string_view requiredOption; // empty: none
    std::string_view profile;
};

constexpr std::array<ProfileRule, 3> kProfileRules = {{
    {"psp", "", "main"},
    {"mp4", "-qmin", "baseline"},
    {"mov", "-qmin", "baseline"},
}};

bool Matches(std::string_view wanted, std::string_view actual) {
    return wanted.empty() || wanted == actual;
}

template <typename Table> int Nearest(const Table& values, double target) {
    int best = 0;
    double bestDistance = 0;
    bool first = true;
    for (int value : values) {
        double distance = std::fabs(value - target);
        if (first || distance < bestDistance) {
            best = value;
            bestDistance = distance;
            first = false;
        }
    }
    return best;
}

int EffectiveSampleRate(const FfmpegPlan& plan, const OutputFacts& facts) {
    if (facts.preset)
        return facts.preset->sampleRate;
    const std::string* rate = plan.Find("-ar");
    std::optional<double> value = rate ? ParseNumber(*rate) : std::nullopt;
    return value ? static_cast<int>(*value) : 0;
}

void RepairMissingFormat(FfmpegPlan& plan) {
    if (!plan.Has("-f") && !plan.Has("-target") && FormatOfFileName(plan.outputPath).empty())
        plan.Set("-f", kFallbackFormat);
}

void SwitchFormats(FfmpegPlan& plan) {
    OutputFacts facts = ReadOutputFacts(plan);
    for (const FormatSwitch& rule : kFormatSwitches) {
        const ContainerRow& from = *FindContainer(rule.from);
        const ContainerRow& to = *FindContainer(rule.to);
        if (facts.format != from.format)
            continue;
        for (auto [media, codec] : {std::pair(CodecMedia::Video, facts.videoCodec),
                                    std::pair(CodecMedia::Audio, facts.audioCodec)}) {
            if (!codec.empty() && !ContainerTakes(from, media, codec) &&
                ContainerTakes(to, media, codec)) {
                plan.Set("-f", to.format);
                return;
            }
        }
    }
}

// A container that takes only some codecs gets its own codec instead of
// any other (MPEG-PS writes H.263 without error, but unreadably).
void SubstituteCodecs(FfmpegPlan& plan) {
    OutputFacts facts = ReadOutputFacts(plan);
    const ContainerRow* container = FindContainerByFormat(facts.format);
    if (!container)
        return;
    if (!container->onlyVideo.empty() && !facts.videoCodec.empty() &&
        !ContainerTakes(*container, CodecMedia::Video, facts.videoCodec))
        plan.Set("-c:v", container->onlyVideo);
    if (!container->onlyAudio.empty() && !facts.audioCodec.empty() &&
        !ContainerTakes(*container, CodecMedia::Audio, facts.audioCodec))
        plan.Set("-c:a", container->onlyAudio);
}

// Encoders that take a single sample rate take a single channel too (AMR).
void ForceAudioValues(FfmpegPlan& plan) {
    const CodecRow* codec = FindEncoder(CodecMedia::Audio, ReadOutputFacts(plan).audioCodec);
    if (!codec)
        return;
    if (codec->sampleRates.size() == 1)
        plan.Set("-ar", std::to_string(codec->sampleRates.front()));
    if (codec->mostChannels == 1)
        plan.Set("-ac", "1");
}

void SnapSampleRates(FfmpegPlan& plan) {
    OutputFacts facts = ReadOutputFacts(plan);
    const std::string* rateText = plan.Find("-ar");
    std::optional<double> rate = rateText ? ParseNumber(*rateText) : std::nullopt;
    if (facts.preset || !rate)
        return;
    const CodecRow* codec = FindEncoder(CodecMedia::Audio, facts.audioCodec);
    if (codec && !codec->sampleRates.empty()) {
        plan.Set("-ar", std::to_string(Nearest(codec->sampleRates, *rate)));
        return;
    }
    for (const RateLimit& rule : kRateLimits) {
        if (Matches(rule.format, facts.format) && Matches(rule.codec, facts.audioCodec)) {
            plan.Set("-ar", std::to_string(Nearest(rule.rates, *rate)));
            return;
        }
    }
}

void LimitAudioBitrates(FfmpegPlan& plan) {
    OutputFacts facts = ReadOutputFacts(plan);
    const std::string* bitrateText = plan.Find("-b:a");
    if (facts.audioCodec == "libvorbis") {
        if (bitrateText) {
            plan.Remove("-b:a");
            plan.Set("-q:a", kVorbisQuality);
        }
        return;
    }
    std::optional<double> parsed = bitrateText ? ParseKilobits(*bitrateText) : std::nullopt;
    if (!parsed)
        return;
    const double kilobits = *parsed;
    int rate = EffectiveSampleRate(plan, facts);
    for (const BitrateLimit& rule : kBitrateLimits) {
        if (rule.codec != facts.audioCodec || !RateFits(rule, rate))
            continue;
        double limited = kilobits;
        if (!rule.allowed.empty())
            limited = Nearest(rule.allowed, limited);
        if (limited < rule.minimum)
            limited = rule.minimum;
        if (limited != kilobits)
            plan.Set("-b:a", NumberText(limited) + "k");
        return;
    }
}

void RepairFrameSize(FfmpegPlan& plan) {
    const std::string* size = plan.Find("-s");
    int width = 0;
    int height = 0;
    char tail = 0;
    if (!size || std::sscanf(size->c_str(), "%dx%d%c", &width, &height, &tail) != 2)
        return;
    OutputFacts facts = ReadOutputFacts(plan);
    if (facts.videoCodec == "h263") {
        for (std::string_view allowed : kH263Sizes) {
            if (allowed == *size)
                return;
        }
        plan.Set("-s", kH263FallbackSize);
        return;
    }
    int evenWidth = std::max(2, width - width % 2);
    int evenHeight = std::max(2, height - height % 2);
    if (evenWidth != width || evenHeight != height)
        plan.Set("-s", std::to_string(evenWidth) + "x" + std::to_string(evenHeight));
}

void RepairFrameRate(FfmpegPlan& plan) {
    const std::string* rateText = plan.Find("-r");
    std::optional<double> rate = rateText ? ParseNumber(*rateText) : std::nullopt;
    if (!rate || ReadOutputFacts(plan).videoCodec != "mpeg1video")
        return;
    for (double unofficial : kMpeg1UnofficialRates) {
        if (std::fabs(*rate - unofficial) < 0.01)
            plan.Set("-strict", "unofficial");
    }
}

void CapTargetBitrate(FfmpegPlan& plan) {
    OutputFacts facts = ReadOutputFacts(plan);
    const std::string* bitrate = plan.Find("-b:v");
    std::optional<double> kilobits = bitrate ? ParseKilobits(*bitrate) : std::nullopt;
    if (facts.preset && kilobits && *kilobits > facts.preset->maxVideoKilobits)
        plan.Remove("-b:v");
}

void ForceH264Profile(FfmpegPlan& plan) {
    OutputFacts facts = ReadOutputFacts(plan);
    if (facts.videoCodec != "libx264")
        return;
    for (const ProfileRule& rule : kProfileRules) {
        if (rule.format == facts.format &&
            (rule.requiredOption.empty() || plan.Has(rule.requiredOption))) {
            plan.Set("-profile:v", rule.profile);
            plan.Set("-pix_fmt", "yuv420p"); // the profiles are 4:2:0 only
            return;
        }
    }
}

} // namespace

OutputFacts ReadOutputFacts(const FfmpegPlan& plan) {
    OutputFacts facts;
    if (const std::string* target = plan.Find("-target"))
        facts.preset = FindTargetPreset(*target);
    if (const std::string* format = plan.Find("-f"))
        facts.format = *format;
    else if (facts.preset)
        facts.format = facts.preset->format;
    else
        facts.format = FormatOfFileName(plan.outputPath);
    const std::string* video = plan.Find("-c:v");
    const std::string* audio = plan.Find("-c:a");
    if (facts.preset)
        facts.videoCodec = facts.preset->videoCodec;
    else
        facts.videoCodec = video ? *video : DefaultVideoCodec(facts.format);
    if (audio)
        facts.audioCodec = *audio;
    else
        facts.audioCodec =
            facts.preset ? std::string(facts.preset->audioCodec) : DefaultAudioCodec(facts.format);
    return facts;
}

void RepairPlan(FfmpegPlan& plan) {
    RepairMissingFormat(plan);
    SwitchFormats(plan);
    SubstituteCodecs(plan);
    ForceAudioValues(plan);
    SnapSampleRates(plan);
    LimitAudioBitrates(plan);
    RepairFrameSize(plan);
    RepairFrameRate(plan);
    CapTargetBitrate(plan);
    ForceH264Profile(plan);
}

} // namespace kiv::enc
