#include "SourceFit.h"

#include "ChoiceFit.h"
#include "Containers.h"
#include "FieldDetection.h"
#include "MediaLibrary.h"
#include "PictureFit.h"
#include "Repairs.h"
#include "SoundFit.h"
#include "StreamFit.h"
#include "SubtitleTiming.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace kiv::enc {

namespace {

StreamType TypeOf(const StreamFacts& stream) {
    return static_cast<StreamType>(stream.type);
}

// The source's streams the output takes, in output order.
struct TakenStreams {
    const StreamFacts* video = nullptr; // the converted picture (not cover art)
    std::vector<const StreamFacts*> audio;
    bool mapped = false; // the line names each stream (-map 0:N)
    bool soundAlone = false;
};

// With maps, the streams they name; without, the ones FFmpeg picks: the
// largest picture and the sound with the most channels.
TakenStreams ReadTakenStreams(const FfmpegPlan& plan, const std::vector<StreamFacts>& streams) {
    TakenStreams taken;
    auto byIndex = [&streams](int index) -> const StreamFacts* {
        for (const StreamFacts& stream : streams)
            if (stream.index == index)
                return &stream;
        return nullptr;
    };
    if (MapsStreams(plan)) {
        taken.mapped = true;
        for (const PlanOption& option : plan.options) {
            if (option.name != "-map")
                continue;
            std::optional<int> number = MappedStreamNumber(option.value);
            const StreamFacts* stream = number ? byIndex(*number) : nullptr;
            if (!stream)
                continue;
            if (TypeOf(*stream) == StreamType::Audio)
                taken.audio.push_back(stream);
            else if (TypeOf(*stream) == StreamType::Video && !stream->attachedPicture &&
                     !taken.video)
                taken.video = stream;
        }
        taken.soundAlone = !taken.video && !taken.audio.empty();
        return taken;
    }
    const StreamFacts* loudest = nullptr;
    for (const StreamFacts& stream : streams) {
        if (TypeOf(stream) == StreamType::Video && !stream.attachedPicture &&
            (!taken.video ||
             stream.width * stream.height > taken.video->width * taken.video->height))
            taken.video = &stream;
        if (TypeOf(stream) == StreamType::Audio &&
            (!loudest || stream.channels > loudest->channels))
            loudest = &stream;
    }
    if (plan.Has("-vn"))
        taken.video = nullptr;
    if (loudest && !plan.Has("-an"))
        taken.audio.push_back(loudest);
    return taken;
}

// The picture a line converts: the largest that is not cover art.
const StreamFacts* MainPicture(const std::vector<StreamFacts>& streams) {
    const StreamFacts* main = nullptr;
    for (const StreamFacts& stream : streams)
        if (TypeOf(stream) == StreamType::Video && !stream.attachedPicture &&
            (!main || stream.width * stream.height > main->width * main->height))
            main = &stream;
    return main;
}

double LengthOf(const FfmpegPlan& plan) {
    const std::string* text = plan.Find("-t");
    return text ? ClockSeconds(text) : 0;
}

// Whether the line keeps less than the whole source.
bool Trims(double start, double length, const std::vector<StreamFacts>& streams) {
    double whole = 0;
    for (const StreamFacts& stream : streams)
        whole = std::max(whole, stream.seconds);
    return start > 0 || (length > 0 && whole > start + length + 0.1);
}

const std::string* InputSeek(const FfmpegPlan& plan) {
    for (std::size_t i = 0; i + 1 < plan.inputOptions.size(); ++i)
        if (plan.inputOptions[i] == "-ss")
            return &plan.inputOptions[i + 1];
    return nullptr;
}

} // namespace

double ClockSeconds(const std::string* text) {
    if (!text)
        return 0;
    int hours = 0, minutes = 0;
    double seconds = 0;
    char tail = 0;
    if (std::sscanf(text->c_str(), "%d:%d:%lf%c", &hours, &minutes, &seconds, &tail) == 3)
        return hours * 3600.0 + minutes * 60.0 + seconds;
    return std::strtod(text->c_str(), nullptr);
}

bool FitToSource(FfmpegPlan& plan, std::string& error, std::vector<std::string>& notes) {
    if (plan.inputs.empty())
        return true;
    // SVT-AV1 reports its whole configuration at every start unless told
    // to keep to warnings and errors.
    ::setenv("SVT_LOG", "2", 0);
    std::vector<StreamFacts> streams;
    if (!ListStreamsOnDemand(plan.inputs.front(), streams)) {
        if (!plan.choices.empty()) {
            error = "the source's streams cannot be read to carry out the choices made for it";
            return false;
        }
        return true;
    }
    std::string path = plan.inputs.front();
    return FitToStreams(
        plan, streams, ContainerHoldsOnDemand,
        [&path](int index, double from) { return DetectFieldOrder(path, index, from); }, error,
        notes);
}

bool FitToStreams(FfmpegPlan& plan, const std::vector<StreamFacts>& streams,
                  const HoldsFunction& holds, const FieldProbe& probe, std::string& error,
                  std::vector<std::string>& notes) {
    LineChoices choices;
    if (!ReadLineChoices(plan, choices, error))
        return false;
    bool olderLine = !MapsStreams(plan);
    if (!CheckChoices(choices, streams, MainPicture(streams), error))
        return false;
    PlaceChoiceFilters(plan, choices, streams, notes);
    if (!olderLine) {
        StreamFit fit = FitStreams(plan, streams, holds);
        notes.insert(notes.begin(), fit.notes.begin(), fit.notes.end());
        error = fit.error;
        if (!error.empty())
            return false;
    } else {
        MapSoundTrack(plan, choices, ReadTakenStreams(plan, streams).video);
    }
    std::vector<PlanOption> dispositions = DefaultDispositions(plan, choices, streams);
    double start = ClockSeconds(InputSeek(plan));
    TakenStreams taken = ReadTakenStreams(plan, streams);
    // An older kind's line keeps one sound stream, whichever it is.
    taken.mapped = taken.mapped && !olderLine;
    if (taken.video)
        FitPicture(plan, *taken.video, start, probe, choices.deinterlace, notes);
    FitSound(plan, taken.audio, taken.mapped, notes);
    if (taken.soundAlone)
        KeepTitles(plan, *taken.audio.front());
    double length = LengthOf(plan);
    if (taken.mapped && Trims(start, length, streams))
        CutSubtitlesToTrim(plan, streams, start, length);
    ApplyDispositions(plan, dispositions);
    return BurnSubtitles(plan, choices, streams, taken.video, start, length, taken.audio, error,
                         notes);
}

} // namespace kiv::enc
