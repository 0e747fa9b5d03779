#include "commandline/ChoiceOptions.h"

#include "CodecTable.h"
#include "EncChoiceOptions.h"
#include "FixedText.h"

namespace kiv {

namespace {

bool SoundAloneKind(int kind) {
    return (kind >= KindNumber(TargetKind::WmaAudio) && kind <= KindNumber(TargetKind::MmfAudio)) ||
           kind == KindNumber(TargetKind::ModernAudio);
}

bool CopiesPicture(const ConversionJob& job) {
    const CodecRow* codec = FindCodec(CodecMedia::Video, GetText(job.target.videoCodec));
    return codec && codec->encoder == "copy";
}

// The picture is converted, so filters and burned subtitles can be applied.
bool ConvertsPicture(const ConversionJob& job) {
    return job.hasVideo == 1 && !SoundAloneKind(job.targetKind) && !CopiesPicture(job);
}

bool AnyPictureChoice(const JobChoices& choices) {
    const ProfileChoices& rule = choices.rule;
    return JobCrop(choices) || rule.denoise != 0 || rule.deblock != 0 || rule.grayscale != 0 ||
           rule.turn != 0 || rule.flip != 0 || rule.deinterlace != 0;
}

std::string Join(const std::int32_t* numbers, int count) {
    std::string text;
    for (int i = 0; i < count && i < kMostPickedTracks; ++i)
        text += " -map 0:" + std::to_string(numbers[i]);
    return text;
}

} // namespace

std::optional<CropBox> JobCrop(const JobChoices& choices) {
    switch (static_cast<CropState>(choices.cropState)) {
    case CropState::Crop:
        return choices.crop;
    case CropState::NoBars:
    case CropState::Keep:
        return std::nullopt;
    case CropState::Unknown:
        break;
    }
    if (choices.rule.cropRule == static_cast<std::int32_t>(CropRule::Box))
        return choices.rule.cropBox;
    return std::nullopt;
}

std::string PickedVideoMaps(const TrackPicks& picks, bool copiesStreams) {
    if (picks.chosen != 1)
        return {};
    std::string text = copiesStreams ? " -map 0:v?" : " -map 0:V:0?";
    text += Join(picks.audio, picks.audioCount);
    text += Join(picks.subtitles, picks.subtitleCount);
    if (copiesStreams)
        text += " -map 0:t?";
    return text;
}

std::string PickedSoundMap(const TrackPicks& picks) {
    if (picks.chosen != 1 || picks.audioCount <= 0)
        return {};
    return " -map 0:" + std::to_string(picks.audio[0]);
}

std::string ChoiceOptionText(const ConversionJob& job) {
    const JobChoices& choices = job.choices;
    const TrackPicks& picks = choices.picks;
    const ProfileChoices& rule = choices.rule;
    const int kind = job.targetKind;
    std::string text;
    if (!IsModernKind(kind) && picks.chosen == 1 && job.hasAudio == 1) {
        if (picks.audioCount > 0)
            text.append(" ")
                .append(kAudioTrackOption)
                .append(" ")
                .append(std::to_string(picks.audio[0]));
        else if (!SoundAloneKind(kind))
            text += " -an";
    }
    if (kind == KindNumber(TargetKind::ModernVideo) && picks.chosen == 1 &&
        (picks.defaultAudio > 0 || picks.defaultSubtitle > 0)) {
        std::string numbers;
        for (int stream : {picks.defaultAudio, picks.defaultSubtitle})
            if (stream > 0) {
                if (!numbers.empty())
                    numbers += ',';
                numbers += std::to_string(stream - 1);
            }
        text.append(" ").append(kDefaultTracksOption).append(" ").append(numbers);
    }
    if (!ConvertsPicture(job))
        return text;
    auto option = [&text](const char* name, const std::string& value) {
        text.append(" ").append(name);
        if (!value.empty())
            text.append(" ").append(value);
    };
    if (picks.chosen == 1 && picks.burn > 0)
        option(kBurnSubtitlesOption, std::to_string(picks.burn - 1));
    bool reshapes = KindReshapesPicture(kind);
    if (std::optional<CropBox> crop = JobCrop(choices); crop && reshapes)
        option(kCropBoxOption, CropBoxText(*crop));
    if (rule.denoise != 0)
        option(kDenoiseOption, std::string(DenoiseWord(rule.denoise)));
    if (rule.deblock != 0)
        option(kDeblockOption, {});
    if (rule.grayscale != 0)
        option(kGrayscaleOption, {});
    if (rule.turn == 180 || ((rule.turn == 90 || rule.turn == 270) && reshapes))
        option(kTurnOption, std::to_string(rule.turn));
    if (rule.flip != 0)
        option(kFlipOption, std::string(FlipWord(rule.flip)));
    if (rule.deinterlace != 0)
        option(kDeinterlaceOption, std::string(DeinterlaceWord(rule.deinterlace)));
    return text;
}

std::vector<std::string> ChoiceNotes(const ConversionJob& job) {
    std::vector<std::string> notes;
    const JobChoices& choices = job.choices;
    bool picture =
        AnyPictureChoice(choices) || (choices.picks.chosen == 1 && choices.picks.burn > 0);
    if (job.hasVideo == 1 && !SoundAloneKind(job.targetKind) && CopiesPicture(job) && picture)
        notes.push_back("the profile copies the picture as it is, so it is not cropped, filtered "
                        "or given burned-in subtitles");
    if (ConvertsPicture(job) && !KindReshapesPicture(job.targetKind) &&
        (JobCrop(choices) || choices.rule.turn == 90 || choices.rule.turn == 270))
        notes.push_back("the profile's frame size is fixed, so the picture is not cropped or "
                        "turned by a quarter (that would stretch it)");
    return notes;
}

} // namespace kiv
