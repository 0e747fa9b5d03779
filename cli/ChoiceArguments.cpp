#include "ChoiceArguments.h"

#include "FixedText.h"
#include "Languages.h"
#include "Vocabularies.h"

#include <charconv>

namespace kiv {

namespace {

// "de,eng,French" as canonical codes; false with a message for a word that
// names no language.
bool ReadLanguages(const std::string& option, const std::string& text, char (&field)[64],
                   std::string& error) {
    std::vector<std::string> unknown;
    std::vector<std::string> codes = ReadLanguageList(text, &unknown);
    std::string list = LanguageListText(codes);
    if (!unknown.empty() || codes.empty()) {
        error = "'" + (unknown.empty() ? text : unknown.front()) + "' is not a language " + option +
                " knows (ISO 639 codes such as de or ger, or English names such as German)";
        return false;
    }
    if (!FitsField(field, list)) {
        error = "too many languages for " + option;
        return false;
    }
    SetText(field, list);
    return true;
}

bool ReadAudioTracks(const std::string& text, ProfileChoices& choices, std::string& error) {
    if (text == "all" || text == "first") {
        choices.audioRule =
            static_cast<std::int32_t>(text == "all" ? AudioRule::All : AudioRule::FirstOnly);
        SetText(choices.audioLanguages, "");
        return true;
    }
    choices.audioRule = static_cast<std::int32_t>(AudioRule::MyLanguages);
    return ReadLanguages("--audio-tracks", text, choices.audioLanguages, error);
}

bool ReadSubtitles(const std::string& text, ProfileChoices& choices, std::string& error) {
    SetText(choices.subtitleLanguages, "");
    choices.burnTrack = 0;
    if (text == "all" || text == "none") {
        choices.subtitleRule =
            static_cast<std::int32_t>(text == "all" ? SubtitleRule::All : SubtitleRule::None);
        return true;
    }
    if (text.rfind("burn:", 0) != 0) {
        choices.subtitleRule = static_cast<std::int32_t>(SubtitleRule::MyLanguages);
        return ReadLanguages("--subtitles", text, choices.subtitleLanguages, error);
    }
    std::string rest = text.substr(5);
    int track = 0;
    auto [end, failed] = std::from_chars(rest.data(), rest.data() + rest.size(), track);
    if (!rest.empty() && failed == std::errc() && end == rest.data() + rest.size()) {
        if (track < 1 || track > 99) {
            error = "--subtitles burn:N counts the subtitle tracks from 1";
            return false;
        }
        choices.subtitleRule = static_cast<std::int32_t>(SubtitleRule::BurnTrack);
        choices.burnTrack = track;
        return true;
    }
    choices.subtitleRule = static_cast<std::int32_t>(SubtitleRule::BurnForcedOrMine);
    return ReadLanguages("--subtitles", rest, choices.subtitleLanguages, error);
}

bool ReadQuality(const std::string& text, ProfileChoice& choice, std::string& error) {
    if (!EncodesAtConstantQuality(choice.targetKind)) {
        error = "--quality goes with a format that encodes at a constant quality (today's "
                "MP4, MKV and WebM video)";
        return false;
    }
    if (IndexOf(VideoQualities(), text) < 0) {
        error = "--quality takes a whole number from 16 (better picture) to 40 (smaller file), "
                "not '" +
                text + "'";
        return false;
    }
    SetText(choice.profile.VideoBitrate, text);
    return true;
}

// One of the words of a choice; false with the words it takes.
bool ReadWord(const std::string& option, const std::string& text,
              std::optional<std::int32_t> (*read)(std::string_view), const char* words,
              std::int32_t& value, std::string& error) {
    std::optional<std::int32_t> word = read(text);
    if (!word) {
        error = option + " takes " + words + ", not '" + text + "'";
        return false;
    }
    value = *word;
    return true;
}

} // namespace

bool ApplyChoiceArguments(const CliOptions& options, ProfileChoice& choice, std::string& error) {
    ProfileChoices& choices = choice.choices;
    if (options.audioTracks && !ReadAudioTracks(*options.audioTracks, choices, error))
        return false;
    if (options.subtitles && !ReadSubtitles(*options.subtitles, choices, error))
        return false;
    if (options.quality && !ReadQuality(*options.quality, choice, error))
        return false;
    if (options.crop && !CropOfWord(*options.crop, choices.cropRule, choices.cropBox)) {
        error = "--crop takes auto, none or W:H:X:Y (whole numbers), not '" + *options.crop + "'";
        return false;
    }
    if (options.denoise && !ReadWord("--denoise", *options.denoise, DenoiseOfWord,
                                     "light, medium, strong or off", choices.denoise, error))
        return false;
    if (options.deinterlace && !ReadWord("--deinterlace", *options.deinterlace, DeinterlaceOfWord,
                                         "auto, on or off", choices.deinterlace, error))
        return false;
    return true;
}

} // namespace kiv
