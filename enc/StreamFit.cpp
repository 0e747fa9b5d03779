#include "StreamFit.h"

#include "CodecTable.h"
#include "Containers.h"
#include "Repairs.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace kiv::enc {

namespace {

// One -map of the line: input 0, a stream type ('V' is video that is not
// cover art) or any, the n-th stream of it or all, or one stream by its
// number ("0:3", as the user's picked tracks are written); optional with '?'.
struct MapOption {
    char type = 0;
    int position = -1;
    int stream = -1;
    bool optional = false;
};

std::optional<MapOption> ParseMap(std::string text) {
    MapOption map;
    if (!text.empty() && text.back() == '?') {
        map.optional = true;
        text.pop_back();
    }
    if (text == "0")
        return map;
    if (text.size() >= 3 && text.compare(0, 2, "0:") == 0 &&
        text.find_first_not_of("0123456789", 2) == std::string::npos) {
        map.stream = std::atoi(text.c_str() + 2);
        return map;
    }
    if (text.size() < 3 || text.compare(0, 2, "0:") != 0 ||
        std::string("vVasdt").find(text[2]) == std::string::npos)
        return std::nullopt;
    map.type = text[2];
    if (text.size() == 3)
        return map;
    if (text[3] != ':' || text.size() == 4 ||
        text.find_first_not_of("0123456789", 4) != std::string::npos)
        return std::nullopt;
    map.position = std::atoi(text.c_str() + 4);
    return map;
}

StreamType TypeOf(const StreamFacts& stream) {
    return static_cast<StreamType>(stream.type);
}

bool Matches(char type, const StreamFacts& stream) {
    switch (type) {
    case 0:
        return true;
    case 'v':
        return TypeOf(stream) == StreamType::Video;
    case 'V':
        return TypeOf(stream) == StreamType::Video && !stream.attachedPicture;
    case 'a':
        return TypeOf(stream) == StreamType::Audio;
    case 's':
        return TypeOf(stream) == StreamType::Subtitle;
    case 'd':
        return TypeOf(stream) == StreamType::Data;
    case 't':
        return TypeOf(stream) == StreamType::Attachment;
    default:
        return false;
    }
}

const char* TypeName(const StreamFacts& stream) {
    static const char* const kNames[] = {"video", "audio",      "subtitle",
                                         "data",  "attachment", "other"};
    int type = std::clamp(stream.type, 0, 5);
    return stream.attachedPicture ? "cover art" : kNames[type];
}

std::string Describe(const StreamFacts& stream) {
    return "stream #0:" + std::to_string(stream.index) + " (" + TypeName(stream) + " " +
           stream.codec + ")";
}

// What becomes of one selected stream.
struct Decision {
    bool keep = false;
    std::string subtitleCodec; // for a kept subtitle: copy or the codec it becomes
    std::string reason;        // why it is left out
    std::string error;         // why the line cannot be converted
};

struct LineFacts {
    std::string format;
    std::string name; // the container as people call it
    std::string videoCodec;
    std::string audioCodec;
    std::string subtitleCodec;
};

std::string CodecOption(const FfmpegPlan& plan, const char* name) {
    const std::string* value = plan.Find(name);
    if (!value)
        value = plan.Find("-c");
    return value ? *value : std::string("copy");
}

Decision Copied(const LineFacts& line, const StreamFacts& stream, const HoldsFunction& holds,
                const char* what) {
    Decision decision;
    if (holds(line.format, stream.codec) == 0) {
        decision.error = line.name + " cannot hold the " + what + " codec " + stream.codec +
                         " of stream #0:" + std::to_string(stream.index) +
                         " without re-encoding: choose a profile that converts it";
        return decision;
    }
    decision.keep = true;
    return decision;
}

Decision Decide(const LineFacts& line, const StreamFacts& stream, const HoldsFunction& holds) {
    Decision decision;
    switch (TypeOf(stream)) {
    case StreamType::Video:
        if (line.videoCodec != "copy") {
            decision.keep = true;
            return decision;
        }
        // Matroska has no place for a display matrix: a copied phone video
        // would play on its side.
        if (stream.rotation != 0 && !stream.attachedPicture &&
            (line.format == "matroska" || line.format == "webm")) {
            decision.error = "the video of stream #0:" + std::to_string(stream.index) +
                             " is shown turned by " + std::to_string(stream.rotation) +
                             " degrees, and " + line.name +
                             " cannot keep the turn when the streams are copied: choose \"MP4, "
                             "same streams\" or a profile that converts the video";
            return decision;
        }
        return Copied(line, stream, holds, "video");
    case StreamType::Audio:
        if (line.audioCodec != "copy") {
            decision.keep = true;
            return decision;
        }
        return Copied(line, stream, holds, "audio");
    case StreamType::Subtitle: {
        std::string text = TextSubtitleCodec(line.format);
        if (line.subtitleCodec == "copy" && holds(line.format, stream.codec) != 0) {
            decision.keep = true;
            decision.subtitleCodec = "copy";
        } else if (stream.textSubtitle && (line.subtitleCodec != "copy" || !text.empty())) {
            decision.keep = true;
            decision.subtitleCodec = line.subtitleCodec != "copy" ? line.subtitleCodec : text;
        } else {
            decision.reason = line.name + " holds text subtitles only, and these are pictures";
        }
        return decision;
    }
    case StreamType::Attachment:
        if (const ContainerRow* container = FindContainerByFormat(line.format);
            container && container->holdsAttachments) {
            decision.keep = true;
            return decision;
        }
        decision.reason = line.name + " holds no attachments";
        return decision;
    default:
        decision.reason = line.name + " keeps no data streams";
        return decision;
    }
}

std::string NotSelectedReason(const StreamFacts& stream, const std::vector<MapOption>& maps) {
    if (stream.emptyTrack)
        return "the track holds no sound";
    bool typeMapped = std::any_of(maps.begin(), maps.end(), [&](const MapOption& map) {
        return map.type != 0 && map.type != 'V' && Matches(map.type, stream);
    });
    bool videoMapped =
        std::any_of(maps.begin(), maps.end(), [](const MapOption& map) { return map.type == 'V'; });
    bool picked =
        std::any_of(maps.begin(), maps.end(), [](const MapOption& map) { return map.stream >= 0; });
    if (picked && (TypeOf(stream) == StreamType::Audio || TypeOf(stream) == StreamType::Subtitle))
        return "not among the tracks chosen";
    switch (TypeOf(stream)) {
    case StreamType::Video:
        if (stream.attachedPicture && videoMapped)
            return "cover art is not converted";
        return videoMapped ? "only the first video stream is converted"
                           : "the profile makes sound only";
    case StreamType::Audio:
        return typeMapped ? "only the first audio track is kept" : "the profile takes no sound";
    case StreamType::Subtitle:
        return "the profile takes no subtitles";
    case StreamType::Attachment:
        return "the profile keeps no attachments (fonts and the like)";
    default:
        return "the profile keeps no data streams";
    }
}

// HDR pictures squeezed into 8 bits without a tone map look washed out: map
// them to SDR first (zimg's linear light, Hable's curve, BT.709).
constexpr const char* kToneMap = "zscale=t=linear:npl=100,format=gbrpf32le,zscale=p=bt709,"
                                 "tonemap=tonemap=hable:desat=0,zscale=t=bt709:m=bt709:r=tv,"
                                 "format=yuv420p";

// Encoders that keep a 10-bit source's depth (H.265 Main 10, AV1 Main).
bool KeepsTenBits(const std::string& encoder) {
    const CodecRow* row = FindEncoder(CodecMedia::Video, encoder);
    return row && row->keepsTenBits;
}

void FitPixels(FfmpegPlan& plan, const LineFacts& line, const StreamFacts& video) {
    if (line.videoCodec == "copy") {
        // Apple's players take H.265 in MP4 only under the hvc1 tag.
        if (video.codec == std::string("hevc") && line.format == "mp4")
            plan.Set("-tag:v", "hvc1");
        return;
    }
    if (!plan.Has("-pix_fmt") && KeepsTenBits(line.videoCodec))
        plan.Set("-pix_fmt", video.bitsPerSample > 8 ? "yuv420p10le" : "yuv420p");
    const std::string* pixels = plan.Find("-pix_fmt");
    if (!video.hdr || !pixels || *pixels != "yuv420p")
        return;
    const std::string* filters = plan.Find("-vf");
    plan.Set("-vf", filters ? std::string(kToneMap) + "," + *filters : std::string(kToneMap));
    plan.Set("-color_primaries", "bt709");
    plan.Set("-color_trc", "bt709");
    plan.Set("-colorspace", "bt709");
}

// The sound alone keeps the source's cover picture where the container
// holds one (MP3, M4A, FLAC): the first JPEG or PNG, as it is. (FFmpeg's
// answer whether M4A holds PNG is no, yet its muxer writes the cover.)
std::optional<std::size_t> KeptCover(const LineFacts& line, const std::vector<StreamFacts>& streams,
                                     const std::vector<bool>& selected,
                                     const std::vector<MapOption>& maps) {
    const ContainerRow* container = FindContainerByFormat(line.format);
    bool soundAlone =
        std::all_of(maps.begin(), maps.end(), [](const MapOption& map) { return map.type == 'a'; });
    if (!container || !container->holdsCover || !soundAlone)
        return std::nullopt;
    for (std::size_t i = 0; i < streams.size(); ++i) {
        std::string_view codec = streams[i].codec;
        if (!selected[i] && streams[i].attachedPicture && (codec == "mjpeg" || codec == "png"))
            return i;
    }
    return std::nullopt;
}

} // namespace

bool MapsStreams(const FfmpegPlan& plan) {
    return plan.Has("-map");
}

std::optional<int> MappedStreamNumber(const std::string& map) {
    if (map.size() < 3 || !map.starts_with("0:") ||
        map.find_first_not_of("0123456789", 2) != std::string::npos)
        return std::nullopt;
    return std::atoi(map.c_str() + 2);
}

StreamFit FitStreams(FfmpegPlan& plan, const std::vector<StreamFacts>& streams,
                     const HoldsFunction& holds) {
    StreamFit fit;
    std::vector<MapOption> maps;
    for (const PlanOption& option : plan.options) {
        if (option.name != "-map")
            continue;
        std::optional<MapOption> map = ParseMap(option.value);
        if (!map)
            return fit; // a map of another shape: FFmpeg reads it itself
        maps.push_back(*map);
    }
    OutputFacts output = ReadOutputFacts(plan);
    LineFacts line{output.format, ContainerDisplayName(output.format), CodecOption(plan, "-c:v"),
                   CodecOption(plan, "-c:a"), CodecOption(plan, "-c:s")};

    std::vector<bool> selected(streams.size(), false);
    std::vector<std::size_t> kept;
    std::vector<std::string> subtitleCodecs;
    const StreamFacts* video = nullptr;
    for (const MapOption& map : maps) {
        int matched = 0;
        int chosen = 0;
        for (std::size_t i = 0; i < streams.size(); ++i) {
            if (!Matches(map.type, streams[i]) ||
                (map.stream >= 0 && streams[i].index != map.stream))
                continue;
            // "The first audio track" is the first that holds sound.
            if (map.position >= 0 && streams[i].emptyTrack)
                continue;
            if (int n = matched++; map.position >= 0 && n != map.position)
                continue;
            ++chosen;
            if (selected[i])
                continue;
            selected[i] = true;
            Decision decision = Decide(line, streams[i], holds);
            if (!decision.error.empty()) {
                fit.error = decision.error;
                return fit;
            }
            if (!decision.keep) {
                fit.notes.push_back("not kept: " + Describe(streams[i]) + ": " + decision.reason);
                continue;
            }
            kept.push_back(i);
            if (TypeOf(streams[i]) == StreamType::Subtitle)
                subtitleCodecs.push_back(decision.subtitleCodec);
            if (TypeOf(streams[i]) == StreamType::Video && !streams[i].attachedPicture && !video)
                video = &streams[i];
        }
        if (chosen == 0 && !map.optional) {
            fit.error = map.type == 'a' ? "the source has no sound, so there is nothing to write"
                                        : "the source has no stream the profile asks for";
            return fit;
        }
    }
    std::optional<std::size_t> cover = KeptCover(line, streams, selected, maps);
    if (cover) {
        selected[*cover] = true;
        kept.push_back(*cover);
    }
    for (std::size_t i = 0; i < streams.size(); ++i) {
        if (!selected[i])
            fit.notes.push_back("not kept: " + Describe(streams[i]) + ": " +
                                NotSelectedReason(streams[i], maps));
    }
    if (kept.empty()) {
        fit.error = "nothing in the source can go into " + line.name;
        return fit;
    }

    // One map per kept stream where the first map stood, one codec per
    // subtitle (they may differ: a copy beside a text turned into srt).
    // The place counts only the options that stay (a -c:s may come first).
    std::size_t at = 0;
    for (const PlanOption& option : plan.options) {
        if (option.name == "-map")
            break;
        at += option.name != "-c:s";
    }
    plan.Remove("-map");
    plan.Remove("-c:s");
    at = std::min(at, plan.options.size());
    std::vector<PlanOption> explicitMaps;
    for (std::size_t i : kept)
        explicitMaps.push_back({"-map", "0:" + std::to_string(streams[i].index), true});
    for (std::size_t s = 0; s < subtitleCodecs.size(); ++s)
        explicitMaps.push_back({"-c:s:" + std::to_string(s), subtitleCodecs[s], true});
    plan.options.insert(plan.options.begin() + static_cast<std::ptrdiff_t>(at),
                        explicitMaps.begin(), explicitMaps.end());
    if (video)
        FitPixels(plan, line, *video);
    if (cover) {
        plan.Set("-c:v", "copy");
        plan.Set("-disposition:v:0", "attached_pic");
    }
    return fit;
}

} // namespace kiv::enc
