#include "ProfileFile.h"

#include "Catalogue.h"
#include "FixedText.h"
#include "Languages.h"
#include "Vocabularies.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <map>
#include <optional>
#include <sys/stat.h>

namespace kiv {

namespace {

enum class Field {
    VideoCodec,
    VideoBitrate,
    FrameRate,
    FrameSize,
    Aspect,
    AudioCodec,
    AudioBitrate,
    SampleRate,
};

constexpr std::array<const char*, 25> kKeys = {"Name",
                                               "Format",
                                               "VideoCodec",
                                               "VideoBitrate",
                                               "FrameRate",
                                               "FrameSize",
                                               "Aspect",
                                               "AudioCodec",
                                               "AudioBitrate",
                                               "SampleRate",
                                               "Channels",
                                               "Volume",
                                               "Variant",
                                               "Audio",
                                               "AudioLanguages",
                                               "Subtitles",
                                               "SubtitleLanguages",
                                               "BurnTrack",
                                               "Crop",
                                               "Denoise",
                                               "Deblock",
                                               "Grayscale",
                                               "Turn",
                                               "Flip",
                                               "Deinterlace"};
// Name to Variant must be there; the choices may be left out.
constexpr std::size_t kValueKeys = 13;

std::string_view FieldText(const MediaProfile& profile, Field field) {
    switch (field) {
    case Field::VideoCodec:
        return GetText(profile.VideoCodec);
    case Field::VideoBitrate:
        return GetText(profile.VideoBitrate);
    case Field::FrameRate:
        return GetText(profile.FrameRate);
    case Field::FrameSize:
        return GetText(profile.FrameSize);
    case Field::Aspect:
        return GetText(profile.Aspect);
    case Field::AudioCodec:
        return GetText(profile.AudioCodec);
    case Field::AudioBitrate:
        return GetText(profile.AudioBitrate);
    case Field::SampleRate:
        return GetText(profile.SampleRate);
    }
    return {};
}

// The entries a kind offers for a field, as the editor lists them.
bool InList(Field field, int kind, std::string_view value) {
    switch (field) {
    case Field::VideoCodec:
    case Field::AudioCodec:
        for (const ContainerCodecRow& row : ContainerCodecs())
            if (KindNumber(row.kind) == kind &&
                IndexOf(field == Field::VideoCodec ? row.videoCodecs : row.audioCodecs, value) >= 0)
                return true;
        return false;
    case Field::VideoBitrate:
        return IndexOf(VideoRateChoices(kind), value) >= 0;
    case Field::FrameRate:
        return IndexOf(FrameRateChoices(kind), value) >= 0;
    case Field::FrameSize:
        return IndexOf(FrameSizeChoices(kind), value) >= 0;
    case Field::Aspect:
        return IndexOf(AspectRatios(), value) >= 0;
    case Field::AudioBitrate:
        return IndexOf(AudioBitrates(), value) >= 0;
    case Field::SampleRate:
        return IndexOf(SampleRateChoices(kind), value) >= 0;
    }
    return false;
}

// A value is offered when the kind's list has it, or a built-in profile of
// the kind has it (an audio format's empty video codec, say).
bool Offered(Field field, int kind, std::string_view value) {
    if (InList(field, kind, value))
        return true;
    for (int c = 0; c < CategoryCount(); ++c) {
        const ProfileCategory* category = GetCategory(c);
        for (int p = 0; category->Target == kind && p < category->ProfileCount; ++p)
            if (FieldText(category->Profiles[p], field) == value)
                return true;
    }
    return false;
}

int FindFormat(std::string_view name) {
    for (int c = 0; c < CategoryCount(); ++c)
        if (GetText(GetCategory(c)->CategoryName) == name)
            return c;
    return -1;
}

std::optional<int> Number(std::string_view text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string_view YesNo(std::int32_t value) {
    return value != 0 ? "yes" : "no";
}

// The value of one key read into the profile; false when it is not one.
bool TakeValue(const std::string& key, const std::string& value, int kind, UserProfile& profile) {
    static const std::map<std::string, Field> kFields = {
        {"VideoCodec", Field::VideoCodec},
        {"VideoBitrate", Field::VideoBitrate},
        {"FrameRate", Field::FrameRate},
        {"FrameSize", Field::FrameSize},
        {"Aspect", Field::Aspect},
        {"AudioCodec", Field::AudioCodec},
        {"AudioBitrate", Field::AudioBitrate},
        {"SampleRate", Field::SampleRate},
    };
    MediaProfile& values = profile.values;
    ProfileChoices& choices = profile.choices;
    if (auto field = kFields.find(key); field != kFields.end()) {
        if (!Offered(field->second, kind, value))
            return false;
        char* target[] = {values.VideoCodec,   values.VideoBitrate, values.FrameRate,
                          values.FrameSize,    values.Aspect,       values.AudioCodec,
                          values.AudioBitrate, values.SampleRate};
        std::string cut = value.substr(0, sizeof values.VideoCodec - 1);
        std::copy(cut.begin(), cut.end(), target[static_cast<int>(field->second)]);
        return true;
    }
    if (key == "Channels") {
        int index = IndexOf(ChannelChoices(kind), value);
        values.ChannelIndex = index;
        return index >= 0;
    }
    std::optional<int> number = Number(value);
    if (key == "Volume") {
        values.Volume = number.value_or(-1);
        return number && *number >= 0 && *number <= 1024;
    }
    if (key == "Variant") {
        values.Variant = number.value_or(-1);
        return number && *number >= 0 && *number < 100;
    }
    if (key == "BurnTrack") {
        choices.burnTrack = number.value_or(-1);
        return number && *number >= 0 && *number <= 99;
    }
    if (key == "Turn") {
        choices.turn = number.value_or(-1);
        return number && (*number == 0 || *number == 90 || *number == 180 || *number == 270);
    }
    if (key == "Deblock" || key == "Grayscale") {
        (key == "Deblock" ? choices.deblock : choices.grayscale) = value == "yes" ? 1 : 0;
        return value == "yes" || value == "no";
    }
    if (key == "AudioLanguages" || key == "SubtitleLanguages") {
        std::vector<std::string> unknown;
        std::string codes = LanguageListText(ReadLanguageList(value, &unknown));
        if (!unknown.empty() || codes.size() >= sizeof choices.audioLanguages)
            return false;
        if (key == "AudioLanguages")
            SetText(choices.audioLanguages, codes);
        else
            SetText(choices.subtitleLanguages, codes);
        return true;
    }
    if (key == "Crop")
        return CropOfWord(value, choices.cropRule, choices.cropBox);
    using Reader = std::optional<std::int32_t> (*)(std::string_view);
    const std::map<std::string, std::pair<Reader, std::int32_t*>> kWords = {
        {"Audio", {AudioRuleOfWord, &choices.audioRule}},
        {"Subtitles", {SubtitleRuleOfWord, &choices.subtitleRule}},
        {"Denoise", {DenoiseOfWord, &choices.denoise}},
        {"Flip", {FlipOfWord, &choices.flip}},
        {"Deinterlace", {DeinterlaceOfWord, &choices.deinterlace}},
    };
    auto word = kWords.find(key);
    std::optional<std::int32_t> read = word->second.first(value);
    *word->second.second = read.value_or(0);
    return read.has_value();
}

} // namespace

bool CheckProfileName(std::string_view name, std::string& reason) {
    if (name.empty()) {
        reason = "a profile needs a name";
        return false;
    }
    if (name.size() > sizeof(MediaProfile::ProfileName) - 1) {
        reason = "a profile's name has at most 255 bytes";
        return false;
    }
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            reason = "a profile's name holds no control character";
            return false;
        }
    return true;
}

std::string ProfileFileText(const UserProfile& profile) {
    const MediaProfile& v = profile.values;
    const ProfileChoices& c = profile.choices;
    const int kind = GetCategory(profile.category)->Target;
    const char* channels = EntryAt(ChannelChoices(kind), v.ChannelIndex);
    const std::string values[] = {profile.name,
                                  std::string(GetText(GetCategory(profile.category)->CategoryName)),
                                  std::string(GetText(v.VideoCodec)),
                                  std::string(GetText(v.VideoBitrate)),
                                  std::string(GetText(v.FrameRate)),
                                  std::string(GetText(v.FrameSize)),
                                  std::string(GetText(v.Aspect)),
                                  std::string(GetText(v.AudioCodec)),
                                  std::string(GetText(v.AudioBitrate)),
                                  std::string(GetText(v.SampleRate)),
                                  channels ? channels : "",
                                  std::to_string(v.Volume),
                                  std::to_string(v.Variant),
                                  std::string(AudioRuleWord(c.audioRule)),
                                  std::string(GetText(c.audioLanguages)),
                                  std::string(SubtitleRuleWord(c.subtitleRule)),
                                  std::string(GetText(c.subtitleLanguages)),
                                  std::to_string(c.burnTrack),
                                  CropWord(c.cropRule, c.cropBox),
                                  std::string(DenoiseWord(c.denoise)),
                                  std::string(YesNo(c.deblock)),
                                  std::string(YesNo(c.grayscale)),
                                  std::to_string(c.turn),
                                  std::string(FlipWord(c.flip)),
                                  std::string(DeinterlaceWord(c.deinterlace))};
    std::string text = std::string(kProfileFileFirstLine) + "\n";
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        text.append(kKeys[i]).append("=").append(values[i]).append("\n");
    return text;
}

bool ReadProfileText(std::string_view text, UserProfile& profile, std::string& reason) {
    UserProfile read;
    std::map<std::string, std::string> found;
    bool started = false;
    int lineNumber = 0;
    int kind = -1;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string line(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#' || line[0] == ';')
            continue;
        std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (!started) {
            if (line != kProfileFileFirstLine) {
                reason = "it does not start with \"" + std::string(kProfileFileFirstLine) + "\"";
                return false;
            }
            started = true;
            continue;
        }
        std::size_t equals = line.find('=');
        std::string key = line.substr(0, equals);
        std::string value = equals == std::string::npos ? std::string() : line.substr(equals + 1);
        if (equals == std::string::npos ||
            std::find(kKeys.begin(), kKeys.end(), key) == kKeys.end()) {
            reason = where + "\"" + line + "\" is not one of the profile's keys";
            return false;
        }
        if (!found.emplace(key, value).second) {
            reason = where + key + " is given twice";
            return false;
        }
        bool fits = true;
        if (key == "Name") {
            fits = CheckProfileName(value, reason);
            read.name = value;
            SetText(read.values.ProfileName, value);
            if (!fits) {
                reason = where + reason;
                return false;
            }
        } else if (key == "Format") {
            read.category = FindFormat(value);
            fits = read.category >= 0;
            if (fits)
                kind = GetCategory(read.category)->Target;
        } else if (kind < 0) {
            reason = where + key + " comes before Format";
            return false;
        } else {
            fits = TakeValue(key, value, kind, read);
        }
        if (!fits) {
            reason = where + "\"" + value + "\" is not a value of " + key + " here";
            return false;
        }
    }
    if (!started) {
        reason = "it does not start with \"" + std::string(kProfileFileFirstLine) + "\"";
        return false;
    }
    for (std::size_t i = 0; i < kValueKeys; ++i)
        if (!found.count(kKeys[i])) {
            reason = std::string(kKeys[i]) + " is missing";
            return false;
        }
    profile = read;
    return true;
}

bool ReadProfileFile(const std::string& path, UserProfile& profile, std::string& reason) {
    struct stat info {};
    std::string problem;
    if (::stat(path.c_str(), &info) != 0)
        problem = "it cannot be read";
    else if (!S_ISREG(info.st_mode))
        problem = "it is not a regular file";
    else if (static_cast<std::size_t>(info.st_size) > kLargestProfileFile)
        problem = "it is far larger than a profile";
    std::string text;
    if (problem.empty()) {
        std::ifstream in(path, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof())
            problem = "it cannot be read";
    }
    if (problem.empty() && ReadProfileText(text, profile, problem))
        return true;
    reason = "'" + path + "' is not a profile file: " + problem;
    return false;
}

} // namespace kiv
