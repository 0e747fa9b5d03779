#include "Repairs.h"

#include "NumberText.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <span>
#include <string_view>

namespace kiv::enc {

namespace {

using Names = std::initializer_list<std::string_view>;

bool Contains(Names names, std::string_view name) {
    for (std::string_view entry : names) {
        if (entry == name)
            return true;
    }
    return false;
}

// A name ending in no extension and no -f: FFmpeg finds no muxer.
constexpr std::string_view kFallbackFormat = "avi";

// Containers that refuse a codec: the line's codec is switched to another
// container of the same family.
struct FormatSwitch {
    std::string_view format;
    bool video;
    Names codecs;
    std::string_view newFormat;
};

const std::array<FormatSwitch, 2> kFormatSwitches = {{
    {"mp4", true, {"h263"}, "3gp"},
    {"mp4", false, {"libopencore_amrnb", "libvo_amrwbenc"}, "3gp"},
}};

// Containers that take only some codecs: anything else becomes the
// replacement. MPEG-PS writes H.263 without error but unreadably.
struct CodecSubstitution {
    Names formats;
    bool video;
    Names allowed;
    std::string_view replacement;
};

const std::array<CodecSubstitution, 6> kSubstitutions = {{
    {{"3gp", "3g2"}, false, {"aac", "libopencore_amrnb", "libvo_amrwbenc"}, "aac"},
    {{"mpeg", "vob", "dvd", "vcd", "svcd"},
     false,
     {"mp2", "libmp3lame", "ac3", "pcm_s16be", "mp1", "dca"},
     "mp2"},
    {{"mpeg", "vob", "dvd", "vcd", "svcd"},
     true,
     {"mpeg1video", "mpeg2video", "mpeg4", "libx264"},
     "mpeg1video"},
    {{"flv"}, true, {"flv", "libx264"}, "flv"},
    // WebM takes VP8, VP9 and AV1 with Vorbis or Opus only.
    {{"webm"}, true, {"libvpx-vp9", "libvpx", "libsvtav1", "libaom-av1", "copy"}, "libvpx-vp9"},
    {{"webm"}, false, {"libopus", "libvorbis", "copy"}, "libopus"},
}};

// Values an encoder or muxer accepts only one of (0: no constraint).
struct ForcedAudio {
    std::string_view format; // empty: any
    std::string_view codec;  // empty: any
    int sampleRate;
    int channels;
};

const std::array<ForcedAudio, 3> kForcedAudio = {{
    {"", "libopencore_amrnb", 8000, 1},
    {"", "libvo_amrwbenc", 16000, 1},
    {"mmf", "", 0, 1}, // SMAF stereo is experimental in FFmpeg
}};

constexpr std::array<int, 6> kMp2Rates = {16000, 22050, 24000, 32000, 44100, 48000};
constexpr std::array<int, 3> kAc3Rates = {32000, 44100, 48000};
constexpr std::array<int, 5> kSmafRates = {4000, 8000, 11025, 22050, 44100};
constexpr std::array<int, 3> kFlashMp3Rates = {11025, 22050, 44100};
constexpr std::array<int, 5> kOpusRates = {8000, 12000, 16000, 24000, 48000};

struct RateLimit {
    std::string_view format;
    std::string_view codec;
    std::span<const int> rates;
};

const std::array<RateLimit, 6> kRateLimits = {{
    {"", "mp2", kMp2Rates},
    {"", "ac3", kAc3Rates},
    {"mmf", "", kSmafRates},
    {"flv", "libmp3lame", kFlashMp3Rates},
    {"swf", "libmp3lame", kFlashMp3Rates},
    {"", "libopus", kOpusRates},
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
        const std::string& codec = rule.video ? facts.videoCodec : facts.audioCodec;
        if (facts.format == rule.format && Contains(rule.codecs, codec)) {
            plan.Set("-f", rule.newFormat);
            return;
        }
    }
}

void SubstituteCodecs(FfmpegPlan& plan) {
    for (const CodecSubstitution& rule : kSubstitutions) {
        OutputFacts facts = ReadOutputFacts(plan);
        const std::string& codec = rule.video ? facts.videoCodec : facts.audioCodec;
        if (Contains(rule.formats, facts.format) && !codec.empty() &&
            !Contains(rule.allowed, codec))
            plan.Set(rule.video ? "-c:v" : "-c:a", rule.replacement);
    }
}

void ForceAudioValues(FfmpegPlan& plan) {
    OutputFacts facts = ReadOutputFacts(plan);
    for (const ForcedAudio& rule : kForcedAudio) {
        if (!Matches(rule.format, facts.format) || !Matches(rule.codec, facts.audioCodec))
            continue;
        if (rule.sampleRate > 0)
            plan.Set("-ar", std::to_string(rule.sampleRate));
        if (rule.channels > 0)
            plan.Set("-ac", std::to_string(rule.channels));
    }
}

void SnapSampleRates(FfmpegPlan& plan) {
    OutputFacts facts = ReadOutputFacts(plan);
    const std::string* rateText = plan.Find("-ar");
    std::optional<double> rate = rateText ? ParseNumber(*rateText) : std::nullopt;
    if (facts.preset || !rate)
        return;
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
