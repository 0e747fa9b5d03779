// The user's choices worked out for one source before its line is built:
// the track rule against the file's streams, the ticked tracks checked
// against them, and an automatic crop looked for in samples of the file.

#include "CFFmpegEncoder.h"

#include "FixedText.h"
#include "Languages.h"
#include "Log.h"
#include "commandline/ChoiceOptions.h"
#include "commandline/TrackChoice.h"
#include "media/CropDetection.h"
#include "media/MediaStreams.h"

#include <algorithm>
#include <vector>

namespace kiv {

namespace {

constexpr const char* kModule = "COMMON/CFFmpegEncode";

bool NeedsStreams(const JobChoices& choices) {
    return choices.picks.chosen == 1 || choices.rule.audioRule != 0 ||
           choices.rule.subtitleRule != 0;
}

bool NeedsCropSearch(const ConversionJob& job) {
    const JobChoices& choices = job.choices;
    return job.hasVideo == 1 && KindReshapesPicture(job.targetKind) &&
           choices.rule.cropRule == static_cast<std::int32_t>(CropRule::Auto) &&
           choices.cropState == static_cast<std::int32_t>(CropState::Unknown);
}

void WorkOutCrop(ConversionJob& job, std::vector<std::string>& notes) {
    std::string source(GetText(job.sourcePath));
    BlackBars bars = FindBlackBars(source);
    if (!bars.readable) {
        notes.push_back("crop: the picture could not be read, so it is kept whole");
        return;
    }
    std::string looked = std::to_string(bars.samples) + " pictures looked at, " +
                         std::to_string(bars.lit) + " with something lit";
    if (!bars.keep) {
        job.choices.cropState = static_cast<std::int32_t>(CropState::NoBars);
        notes.push_back("crop: no black bars (" + looked + ")");
        return;
    }
    job.choices.cropState = static_cast<std::int32_t>(CropState::Crop);
    job.choices.crop = *bars.keep;
    notes.push_back("crop: black bars found (" + looked + "): " + CropBoxText(*bars.keep) + " of " +
                    std::to_string(bars.width) + "x" + std::to_string(bars.height) + " kept");
}

} // namespace

std::string CFFmpegEncoder::WorkOutChoices(ConversionJob& job) {
    std::vector<std::string> notes;
    if (NeedsStreams(job.choices)) {
        std::vector<StreamFacts> streams(kMostStreams);
        int count = ListStreams(std::string(GetText(job.sourcePath)), streams.data(), kMostStreams);
        if (count < 0)
            return "the tracks of " + std::string(GetText(job.sourcePath)) +
                   " cannot be read to choose among them";
        streams.resize(static_cast<std::size_t>(std::min(count, kMostStreams)));
        if (job.choices.picks.chosen == 1) {
            if (std::string problem = PickProblem(job.choices.picks, streams); !problem.empty())
                return "the tracks chosen for this file no longer fit it: " + problem;
        } else {
            job.choices.picks =
                ResolveTrackRule(job.choices.rule, streams, DesktopTrackLanguages(), notes);
        }
    }
    if (NeedsCropSearch(job))
        WorkOutCrop(job, notes);
    for (const std::string& note : ChoiceNotes(job))
        notes.push_back(note);
    for (const std::string& note : notes)
        WriteLogFormat("Module:%s,Choices: %s\r\n", kModule, note.c_str());
    return {};
}

} // namespace kiv
