#include "SoundFit.h"

#include "CodecTable.h"
#include "NumberText.h"
#include "Repairs.h"

#include <algorithm>
#include <cctype>

namespace kiv::enc {

namespace {

std::string CountText(int channels) {
    switch (channels) {
    case 1:
        return "mono";
    case 2:
        return "stereo";
    default:
        return std::to_string(channels) + " channels";
    }
}

std::string Describe(const StreamFacts& stream) {
    std::string text = "stream #0:" + std::to_string(stream.index);
    if (stream.layout[0] != '\0')
        text += " (" + std::string(stream.layout) + ")";
    return text;
}

std::string Capitals(std::string_view name) {
    std::string text(name);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// The layouts that every codec keeping surround takes (AAC and Opus refuse
// or mislabel the "side" variants a DVD's AC-3 comes in).
const char* StandardLayout(int channels) {
    return channels == 6 ? "5.1" : (channels == 8 ? "7.1" : nullptr);
}

// A profile's bit rate is meant for two channels; the channels beyond carry
// as much again each, the low-frequency one nothing (5.1: 2.5 times).
double BitrateFor(double stereoKilobits, int channels) {
    int fullRange = channels >= 6 ? channels - 1 : channels;
    return stereoKilobits * fullRange / 2;
}

int NamedChannels(const FfmpegPlan& plan) {
    const std::string* text = plan.Find("-ac");
    std::optional<double> value = text ? ParseNumber(*text) : std::nullopt;
    return value ? static_cast<int>(*value) : 0;
}

// The older kinds' single stream: a named count is the most it gets, and a
// mono source stays mono, but for the disc formats, whose players expect
// what the format names.
void FitOneStream(FfmpegPlan& plan, const OutputFacts& output, const StreamFacts& source, int named,
                  std::vector<std::string>& notes) {
    if (named <= 0 || source.channels <= 0)
        return;
    if (source.channels > named) {
        notes.push_back("audio: " + Describe(source) + " down-mixed to " + CountText(named) +
                        ": the profile names " + std::to_string(named) +
                        (named == 1 ? " channel" : " channels"));
    } else if (source.channels < named && !output.preset) {
        plan.Set("-ac", std::to_string(source.channels));
        notes.push_back("audio: " + Describe(source) + " stays " + CountText(source.channels));
    }
}

} // namespace

void FitSound(FfmpegPlan& plan, const std::vector<const StreamFacts*>& audio, bool perStream,
              std::vector<std::string>& notes) {
    OutputFacts output = ReadOutputFacts(plan);
    if (plan.Has("-an") || audio.empty() || output.audioCodec.empty() ||
        output.audioCodec == "copy")
        return;
    int named = NamedChannels(plan);
    if (!perStream) {
        FitOneStream(plan, output, *audio.front(), named, notes);
        return;
    }
    const CodecRow* codec = FindEncoder(CodecMedia::Audio, output.audioCodec);
    int most = codec ? codec->mostChannels : 0;
    const std::string* bitrateText = plan.Find("-b:a");
    std::optional<double> kilobits = bitrateText ? ParseKilobits(*bitrateText) : std::nullopt;
    const std::string* filters = plan.Find("-af");
    // Per-stream options come after the line's own: FFmpeg takes the last
    // that fits a stream.
    std::vector<PlanOption> perStreamOptions;
    for (std::size_t k = 0; k < audio.size(); ++k) {
        const StreamFacts& source = *audio[k];
        if (source.channels <= 0)
            continue;
        std::string which = ":a:" + std::to_string(k);
        int channels = source.channels;
        if (named > 0 && channels > named) {
            channels = named;
            notes.push_back("audio: " + Describe(source) + " down-mixed to " + CountText(named) +
                            ": the profile names " + std::to_string(named) +
                            (named == 1 ? " channel" : " channels"));
        } else if (most > 0 && channels > most) {
            channels = most;
            notes.push_back("audio: " + Describe(source) + " down-mixed to " + CountText(most) +
                            ": " + Capitals(codec->name) + " carries at most " +
                            std::to_string(most) + " channels");
        }
        if (channels != (named > 0 ? named : source.channels))
            perStreamOptions.push_back({"-ac" + which, std::to_string(channels), true});
        if (channels <= 2)
            continue;
        if (codec && codec->takesBitrate && kilobits) {
            std::string raised = NumberText(BitrateFor(*kilobits, channels)) + "k";
            perStreamOptions.push_back({"-b" + which, raised, true});
            notes.push_back("audio: " + Describe(source) + " keeps its " +
                            std::to_string(channels) + " channels at " + raised + "b/s");
        }
        if (const char* layout = StandardLayout(channels);
            layout && codec && codec->standardLayouts) {
            std::string chain = std::string("aformat=channel_layouts=") + layout;
            perStreamOptions.push_back(
                {"-filter" + which, filters ? chain + "," + *filters : chain, true});
        }
    }
    plan.options.insert(plan.options.end(), perStreamOptions.begin(), perStreamOptions.end());
}

void KeepTitles(FfmpegPlan& plan, const StreamFacts& audio) {
    if (audio.title[0] != '\0')
        plan.options.push_back({"-metadata", std::string("title=") + audio.title, true});
    if (audio.artist[0] != '\0')
        plan.options.push_back({"-metadata", std::string("artist=") + audio.artist, true});
}

} // namespace kiv::enc
