#include "ChoiceFit.h"

#include "EncChoiceOptions.h"
#include "Repairs.h"
#include "StreamFit.h"
#include "SubtitleTiming.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace kiv::enc {

namespace {

// Where the subtitle goes in the picture filters until it is drawn.
constexpr const char* kPictureMark = "kivburnpictures";
constexpr const char* kTextMark = "kivburntext";

std::optional<int> Number(std::string_view text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

struct Box {
    int width = 0, height = 0, x = 0, y = 0;
};

std::optional<Box> ReadBox(const std::string& text) {
    Box box;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d:%d:%d:%d%c", &box.width, &box.height, &box.x, &box.y,
                    &tail) != 4 ||
        box.width <= 0 || box.height <= 0 || box.x < 0 || box.y < 0)
        return std::nullopt;
    return box;
}

const StreamFacts* Find(const std::vector<StreamFacts>& streams, int index) {
    auto found = std::find_if(streams.begin(), streams.end(),
                              [index](const StreamFacts& s) { return s.index == index; });
    return found == streams.end() ? nullptr : &*found;
}

StreamType TypeOf(const StreamFacts& stream) {
    return static_cast<StreamType>(stream.type);
}

std::string Named(const StreamFacts& stream) {
    std::string text = "stream #0:" + std::to_string(stream.index) + " (" + stream.codec;
    if (stream.language[0] != '\0')
        text += std::string(", ") + stream.language;
    return text + ")";
}

// The picture as shown, after a phone's turn.
void ShownSize(const StreamFacts& video, int& width, int& height) {
    bool turned = video.rotation == 90 || video.rotation == 270;
    width = turned ? video.height : video.width;
    height = turned ? video.width : video.height;
}

bool ConvertsPicture(const FfmpegPlan& plan) {
    OutputFacts output = ReadOutputFacts(plan);
    return !plan.Has("-vn") && !output.videoCodec.empty() && output.videoCodec != "copy";
}

std::string TurnFilter(int degrees) {
    switch (degrees) {
    case 90:
        return "transpose=clock";
    case 180:
        return "hflip,vflip";
    case 270:
        return "transpose=cclock";
    default:
        return {};
    }
}

// The -vf text around a mark: what comes before it and after it.
void SplitAt(const std::string& filters, const std::string& mark, std::string& before,
             std::string& after) {
    std::size_t at = filters.find(mark);
    before = filters.substr(0, at);
    after = filters.substr(at + mark.size());
    if (!before.empty() && before.back() == ',')
        before.pop_back();
    if (!after.empty() && after.front() == ',')
        after.erase(0, 1);
}

// A picture subtitle laid over the picture in a filter graph: the canvas
// FFmpeg makes of it is the source picture's size; cropped bars move its
// halves inwards so nothing lands outside the picture.
bool LayPicturesOver(FfmpegPlan& plan, const LineChoices& choices, const StreamFacts& subtitle,
                     const StreamFacts& video, const std::vector<const StreamFacts*>& audio) {
    const std::string* filters = plan.Find("-vf");
    if (!filters || filters->find(kPictureMark) == std::string::npos)
        return false;
    std::string before, after;
    SplitAt(*filters, kPictureMark, before, after);
    int width = video.width, height = video.height;
    std::string in = "[0:" + std::to_string(video.index) + "]";
    std::string graph = in + (before.empty() ? "null" : before) + "[kivpicture];";
    graph += "[0:" + std::to_string(subtitle.index) + "]scale=" + std::to_string(width) + ":" +
             std::to_string(height);
    std::optional<Box> crop = choices.crop ? ReadBox(*choices.crop) : std::nullopt;
    if (crop) {
        int top = height / 2;
        std::string w = std::to_string(width);
        graph += ",split[kivupper][kivlower];[kivupper]crop=" + w + ":" + std::to_string(top) +
                 ":0:0[kivtop];[kivlower]crop=" + w + ":" + std::to_string(height - top) +
                 ":0:" + std::to_string(top) + "[kivbottom];";
        std::string x = std::to_string(-crop->x);
        graph += "[kivpicture][kivtop]overlay=x=" + x +
                 ":y=0:eof_action=pass[kivhalf];[kivhalf][kivbottom]overlay=x=" + x +
                 ":y=main_h-overlay_h:eof_action=pass";
    } else {
        graph += "[kivsubtitles];[kivpicture][kivsubtitles]overlay=eof_action=pass";
    }
    if (!after.empty())
        graph += "," + after;
    graph += "[kivvideo]";
    plan.Remove("-vf");
    plan.Set("-filter_complex", graph);
    std::string videoMap = "0:" + std::to_string(video.index);
    auto map = std::find_if(plan.options.begin(), plan.options.end(), [&](const PlanOption& o) {
        return o.name == "-map" && o.value == videoMap;
    });
    if (map != plan.options.end()) {
        map->value = "[kivvideo]";
        return true;
    }
    // A line that leaves the choice of streams to FFmpeg names them now.
    plan.options.push_back({"-map", "[kivvideo]", true});
    if (!plan.Has("-an"))
        for (const StreamFacts* sound : audio)
            plan.options.push_back({"-map", "0:" + std::to_string(sound->index), true});
    return true;
}

} // namespace

bool ReadLineChoices(const FfmpegPlan& plan, LineChoices& choices, std::string& error) {
    choices = LineChoices{};
    auto bad = [&error](const char* option, const std::string& value) {
        error = std::string("enc does not know the value \"") + value + "\" of " + option;
        return false;
    };
    if (const std::string* value = plan.Choice(kAudioTrackOption)) {
        if (!(choices.audioTrack = Number(*value)))
            return bad(kAudioTrackOption, *value);
    }
    if (const std::string* value = plan.Choice(kDefaultTracksOption)) {
        std::string_view rest = *value;
        while (!rest.empty()) {
            std::size_t comma = rest.find(',');
            std::optional<int> number = Number(rest.substr(0, comma));
            if (!number)
                return bad(kDefaultTracksOption, *value);
            choices.defaultTracks.push_back(*number);
            rest.remove_prefix(comma == std::string_view::npos ? rest.size() : comma + 1);
        }
    }
    if (const std::string* value = plan.Choice(kBurnSubtitlesOption)) {
        if (!(choices.burn = Number(*value)))
            return bad(kBurnSubtitlesOption, *value);
    }
    if (const std::string* value = plan.Choice(kCropBoxOption)) {
        if (!ReadBox(*value))
            return bad(kCropBoxOption, *value);
        choices.crop = *value;
    }
    if (const std::string* value = plan.Choice(kDenoiseOption)) {
        if (DenoiseFilter(*value).empty())
            return bad(kDenoiseOption, *value);
        choices.denoise = *value;
    }
    choices.deblock = plan.Choice(kDeblockOption) != nullptr;
    choices.grayscale = plan.Choice(kGrayscaleOption) != nullptr;
    if (const std::string* value = plan.Choice(kTurnOption)) {
        std::optional<int> degrees = Number(*value);
        if (!degrees || TurnFilter(*degrees).empty())
            return bad(kTurnOption, *value);
        choices.turn = *degrees;
    }
    if (const std::string* value = plan.Choice(kFlipOption)) {
        if (*value != "horizontal" && *value != "vertical")
            return bad(kFlipOption, *value);
        choices.flip = *value;
    }
    if (const std::string* value = plan.Choice(kDeinterlaceOption)) {
        if (*value != "on" && *value != "off")
            return bad(kDeinterlaceOption, *value);
        choices.deinterlace = *value == "on" ? DeinterlaceChoice::Always : DeinterlaceChoice::Never;
    }
    return true;
}

std::string DenoiseFilter(const std::string& strength) {
    if (strength == "light")
        return "hqdn3d=2:1.5:3:2.25";
    if (strength == "medium")
        return "hqdn3d=4:3:6:4.5";
    if (strength == "strong")
        return "hqdn3d=7:7:7:5";
    return {};
}

bool CheckChoices(const LineChoices& choices, const std::vector<StreamFacts>& streams,
                  const StreamFacts* video, std::string& error) {
    auto check = [&](int index, std::initializer_list<StreamType> types, const char* what) {
        const StreamFacts* stream = Find(streams, index);
        if (stream && std::find(types.begin(), types.end(), TypeOf(*stream)) != types.end())
            return true;
        error = "the source has no " + std::string(what) + " stream #0:" + std::to_string(index);
        return false;
    };
    if (choices.audioTrack && !check(*choices.audioTrack, {StreamType::Audio}, "audio"))
        return false;
    for (int index : choices.defaultTracks)
        if (!check(index, {StreamType::Audio, StreamType::Subtitle}, "audio or subtitle"))
            return false;
    if (choices.burn && !check(*choices.burn, {StreamType::Subtitle}, "subtitle"))
        return false;
    if (choices.crop && video) {
        Box box = *ReadBox(*choices.crop);
        int width = 0, height = 0;
        ShownSize(*video, width, height);
        if (box.x + box.width > width || box.y + box.height > height) {
            error = "the crop box " + *choices.crop + " does not fit the picture of " +
                    std::to_string(width) + "x" + std::to_string(height);
            return false;
        }
    }
    return true;
}

void PlaceChoiceFilters(FfmpegPlan& plan, const LineChoices& choices,
                        const std::vector<StreamFacts>& streams, std::vector<std::string>& notes) {
    if (!ConvertsPicture(plan))
        return;
    std::vector<std::string> chain;
    if (choices.crop) {
        chain.push_back("crop=" + *choices.crop);
        notes.push_back("video: cropped to " + *choices.crop + " (width:height:x:y)");
    }
    if (!choices.denoise.empty()) {
        chain.push_back(DenoiseFilter(choices.denoise));
        notes.push_back("video: noise taken out (" + choices.denoise + ")");
    }
    if (choices.deblock) {
        chain.push_back("deblock=filter=strong:block=8");
        notes.push_back("video: blocks softened");
    }
    if (choices.grayscale) {
        chain.push_back("hue=s=0");
        notes.push_back("video: black and white");
    }
    const StreamFacts* subtitle = choices.burn ? Find(streams, *choices.burn) : nullptr;
    if (subtitle && !subtitle->textSubtitle)
        chain.push_back(kPictureMark);
    if (choices.turn != 0) {
        chain.push_back(TurnFilter(choices.turn));
        notes.push_back("video: turned " + std::to_string(choices.turn) + " degrees clockwise");
    }
    if (!choices.flip.empty()) {
        chain.push_back(choices.flip == "horizontal" ? "hflip" : "vflip");
        notes.push_back("video: mirrored (" + choices.flip + ")");
    }
    if (subtitle && subtitle->textSubtitle)
        chain.push_back(kTextMark);
    if (chain.empty())
        return;
    std::string text;
    for (const std::string& filter : chain)
        text += (text.empty() ? "" : ",") + filter;
    const std::string* filters = plan.Find("-vf");
    plan.Set("-vf", filters ? text + "," + *filters : text);
}

bool MapSoundTrack(FfmpegPlan& plan, const LineChoices& choices, const StreamFacts* video) {
    if (!choices.audioTrack || MapsStreams(plan))
        return false;
    if (video && !plan.Has("-vn"))
        plan.options.push_back({"-map", "0:" + std::to_string(video->index), true});
    plan.options.push_back({"-map", "0:" + std::to_string(*choices.audioTrack), true});
    return true;
}

std::vector<PlanOption> DefaultDispositions(const FfmpegPlan& plan, const LineChoices& choices,
                                            const std::vector<StreamFacts>& streams) {
    std::vector<PlanOption> dispositions;
    if (choices.defaultTracks.empty())
        return dispositions;
    auto named = [&choices](int index) {
        return std::find(choices.defaultTracks.begin(), choices.defaultTracks.end(), index) !=
               choices.defaultTracks.end();
    };
    bool audioNamed = false, subtitleNamed = false;
    for (int index : choices.defaultTracks)
        if (const StreamFacts* stream = Find(streams, index))
            (TypeOf(*stream) == StreamType::Audio ? audioNamed : subtitleNamed) = true;
    int audio = 0, subtitles = 0;
    for (const PlanOption& option : plan.options) {
        std::optional<int> number =
            option.name == "-map" ? MappedStreamNumber(option.value) : std::nullopt;
        const StreamFacts* stream = number ? Find(streams, *number) : nullptr;
        if (!stream)
            continue;
        if (TypeOf(*stream) == StreamType::Audio) {
            std::string which = "-disposition:a:" + std::to_string(audio++);
            if (audioNamed)
                dispositions.push_back({which, named(stream->index) ? "default" : "0", true});
        } else if (TypeOf(*stream) == StreamType::Subtitle) {
            std::string which = "-disposition:s:" + std::to_string(subtitles++);
            std::string marks = named(stream->index) ? "default" : "";
            if (stream->forcedTrack)
                marks += marks.empty() ? "forced" : "+forced";
            if (subtitleNamed)
                dispositions.push_back({which, marks.empty() ? "0" : marks, true});
        }
    }
    return dispositions;
}

void ApplyDispositions(FfmpegPlan& plan, const std::vector<PlanOption>& dispositions) {
    for (const PlanOption& disposition : dispositions)
        plan.Set(disposition.name, disposition.value);
}

bool BurnSubtitles(FfmpegPlan& plan, const LineChoices& choices,
                   const std::vector<StreamFacts>& streams, const StreamFacts* video, double start,
                   double length, const std::vector<const StreamFacts*>& audio, std::string& error,
                   std::vector<std::string>& notes) {
    const StreamFacts* subtitle = choices.burn ? Find(streams, *choices.burn) : nullptr;
    const std::string* filters = plan.Find("-vf");
    if (!subtitle || !video || !filters)
        return true;
    if (!subtitle->textSubtitle) {
        if (LayPicturesOver(plan, choices, *subtitle, *video, audio))
            notes.push_back("subtitles: " + Named(*subtitle) + " laid over the picture");
        return true;
    }
    if (filters->find(kTextMark) == std::string::npos)
        return true;
    // The part converted: the cues within it, at the output's time.
    double whole = 0;
    for (const StreamFacts& stream : streams)
        whole = std::max(whole, stream.seconds);
    bool trimmed = start > 0 || length > 0;
    double span = length > 0 ? length : std::max(whole - start, 0.0) + 1;
    int descriptor = PrepareAssScript(plan.inputs.front(), subtitle->index, trimmed ? start : 0,
                                      trimmed ? span : 0);
    if (descriptor < 0) {
        error = "the subtitle " + Named(*subtitle) + " cannot be read to burn it into the picture";
        return false;
    }
    plan.heldFiles.push_back(descriptor);
    int inFfmpeg = kFirstPreparedDescriptor +
                   static_cast<int>(plan.preparedInputs.size() + plan.heldFiles.size() - 1);
    std::string drawn = *filters;
    drawn.replace(drawn.find(kTextMark), std::string_view(kTextMark).size(),
                  "subtitles=filename=/dev/fd/" + std::to_string(inFfmpeg));
    plan.Set("-vf", drawn);
    notes.push_back("subtitles: " + Named(*subtitle) + " drawn into the picture");
    return true;
}

} // namespace kiv::enc
