#include "commandline/TrackChoice.h"

#include "FixedText.h"
#include "Languages.h"

#include <algorithm>

namespace kiv {

namespace {

std::vector<const StreamFacts*> OfType(const std::vector<StreamFacts>& streams, StreamType type) {
    std::vector<const StreamFacts*> found;
    for (const StreamFacts& stream : streams)
        if (stream.type == static_cast<int>(type))
            found.push_back(&stream);
    return found;
}

std::vector<std::string> Languages(const char (&text)[64],
                                   const std::vector<std::string>& desktop) {
    std::vector<std::string> codes = ReadLanguageList(GetText(text));
    return codes.empty() ? desktop : codes;
}

std::string Names(const std::vector<std::string>& codes) {
    std::string text;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (i > 0)
            text += i + 1 == codes.size() ? " or " : ", ";
        text += LanguageName(codes[i]);
    }
    return text;
}

// The tracks in the languages, by language, then in the file's order.
std::vector<const StreamFacts*> InLanguages(const std::vector<const StreamFacts*>& tracks,
                                            const std::vector<std::string>& codes) {
    std::vector<const StreamFacts*> found;
    for (const std::string& code : codes)
        for (const StreamFacts* track : tracks)
            if (SameLanguage(track->language, code))
                found.push_back(track);
    return found;
}

template <std::size_t N>
void Fill(std::int32_t (&list)[N], std::int32_t& count,
          const std::vector<const StreamFacts*>& from) {
    count = 0;
    for (const StreamFacts* track : from)
        if (count < static_cast<std::int32_t>(N))
            list[count++] = track->index;
}

} // namespace

TrackPicks ResolveTrackRule(const ProfileChoices& rule, const std::vector<StreamFacts>& streams,
                            const std::vector<std::string>& desktopLanguages,
                            std::vector<std::string>& notes) {
    TrackPicks picks{};
    auto audioRule = static_cast<AudioRule>(rule.audioRule);
    auto subtitleRule = static_cast<SubtitleRule>(rule.subtitleRule);
    if (audioRule == AudioRule::All && subtitleRule == SubtitleRule::All)
        return picks;
    picks.chosen = 1;
    std::vector<const StreamFacts*> audio = OfType(streams, StreamType::Audio);
    std::vector<const StreamFacts*> subtitles = OfType(streams, StreamType::Subtitle);

    std::vector<const StreamFacts*> keptAudio = audio;
    if (audioRule == AudioRule::FirstOnly && !audio.empty()) {
        keptAudio.assign(1, audio.front());
    } else if (audioRule == AudioRule::MyLanguages && !audio.empty()) {
        std::vector<std::string> codes = Languages(rule.audioLanguages, desktopLanguages);
        keptAudio = InLanguages(audio, codes);
        if (keptAudio.empty()) {
            keptAudio.assign(1, audio.front());
            notes.push_back("no audio track in " + Names(codes) + ": the first one is kept");
        }
        picks.defaultAudio = keptAudio.front()->index + 1;
    }
    Fill(picks.audio, picks.audioCount, keptAudio);

    std::vector<const StreamFacts*> keptSubtitles = subtitles;
    std::vector<std::string> codes = Languages(rule.subtitleLanguages, desktopLanguages);
    switch (subtitleRule) {
    case SubtitleRule::All:
        break;
    case SubtitleRule::None:
        keptSubtitles.clear();
        break;
    case SubtitleRule::MyLanguages:
        keptSubtitles = InLanguages(subtitles, codes);
        break;
    case SubtitleRule::BurnForcedOrMine: {
        keptSubtitles.clear();
        std::vector<const StreamFacts*> mine = InLanguages(subtitles, codes);
        auto forced = std::find_if(mine.begin(), mine.end(),
                                   [](const StreamFacts* track) { return track->forcedTrack; });
        if (forced != mine.end())
            picks.burn = (*forced)->index + 1;
        else if (!mine.empty())
            picks.burn = mine.front()->index + 1;
        else if (!subtitles.empty())
            notes.push_back("no subtitle in " + Names(codes) + ": none is burned in");
        break;
    }
    case SubtitleRule::BurnTrack:
        keptSubtitles.clear();
        if (rule.burnTrack >= 1 && rule.burnTrack <= static_cast<int>(subtitles.size()))
            picks.burn = subtitles[std::size_t(rule.burnTrack - 1)]->index + 1;
        else
            notes.push_back("the file has no subtitle track " + std::to_string(rule.burnTrack) +
                            " (it has " + std::to_string(subtitles.size()) +
                            "): none is burned in");
        break;
    }
    Fill(picks.subtitles, picks.subtitleCount, keptSubtitles);
    return picks;
}

std::string PickProblem(const TrackPicks& picks, const std::vector<StreamFacts>& streams) {
    auto check = [&streams](int index, StreamType type) -> std::string {
        auto found = std::find_if(streams.begin(), streams.end(),
                                  [index](const StreamFacts& s) { return s.index == index; });
        if (found == streams.end())
            return "the source has no stream #0:" + std::to_string(index);
        if (found->type != static_cast<int>(type))
            return "stream #0:" + std::to_string(index) + " of the source is not " +
                   (type == StreamType::Audio ? "an audio track" : "a subtitle");
        return {};
    };
    for (int i = 0; i < picks.audioCount && i < kMostPickedTracks; ++i)
        if (std::string problem = check(picks.audio[i], StreamType::Audio); !problem.empty())
            return problem;
    for (int i = 0; i < picks.subtitleCount && i < kMostPickedTracks; ++i)
        if (std::string problem = check(picks.subtitles[i], StreamType::Subtitle); !problem.empty())
            return problem;
    if (picks.burn > 0)
        return check(picks.burn - 1, StreamType::Subtitle);
    return {};
}

int FirstPickedAudio(const TrackPicks& picks) {
    return picks.audioCount > 0 ? picks.audio[0] : -1;
}

} // namespace kiv
