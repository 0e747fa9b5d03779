#include "ProfileChoices.h"

#include "TargetKind.h"

#include <array>
#include <charconv>
#include <cstring>

namespace kiv {

namespace {

struct Word {
    std::int32_t value;
    std::string_view word;
};

constexpr std::array<Word, 3> kAudioRules = {{
    {static_cast<std::int32_t>(AudioRule::All), "all"},
    {static_cast<std::int32_t>(AudioRule::MyLanguages), "languages"},
    {static_cast<std::int32_t>(AudioRule::FirstOnly), "first"},
}};

constexpr std::array<Word, 5> kSubtitleRules = {{
    {static_cast<std::int32_t>(SubtitleRule::All), "all"},
    {static_cast<std::int32_t>(SubtitleRule::MyLanguages), "languages"},
    {static_cast<std::int32_t>(SubtitleRule::None), "none"},
    {static_cast<std::int32_t>(SubtitleRule::BurnForcedOrMine), "burn"},
    {static_cast<std::int32_t>(SubtitleRule::BurnTrack), "burn-track"},
}};

constexpr std::array<Word, 4> kDenoise = {{
    {static_cast<std::int32_t>(Denoise::Off), "off"},
    {static_cast<std::int32_t>(Denoise::Light), "light"},
    {static_cast<std::int32_t>(Denoise::Medium), "medium"},
    {static_cast<std::int32_t>(Denoise::Strong), "strong"},
}};

constexpr std::array<Word, 3> kDeinterlace = {{
    {static_cast<std::int32_t>(Deinterlace::Auto), "auto"},
    {static_cast<std::int32_t>(Deinterlace::Always), "on"},
    {static_cast<std::int32_t>(Deinterlace::Never), "off"},
}};

constexpr std::array<Word, 3> kFlip = {{
    {static_cast<std::int32_t>(Flip::None), "none"},
    {static_cast<std::int32_t>(Flip::Horizontal), "horizontal"},
    {static_cast<std::int32_t>(Flip::Vertical), "vertical"},
}};

template <std::size_t N> std::string_view WordOf(const std::array<Word, N>& words, std::int32_t v) {
    for (const Word& word : words)
        if (word.value == v)
            return word.word;
    return words.front().word;
}

template <std::size_t N>
std::optional<std::int32_t> ValueOf(const std::array<Word, N>& words, std::string_view text) {
    for (const Word& word : words)
        if (word.word == text)
            return word.value;
    return std::nullopt;
}

std::optional<int> WholeNumber(std::string_view text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

bool IsDefaultChoices(const ProfileChoices& choices) {
    return SameChoices(choices, ProfileChoices{});
}

bool SameChoices(const ProfileChoices& a, const ProfileChoices& b) {
    // Plain integers and zero-filled texts: the bytes say it all.
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool KindReshapesPicture(int targetKind) {
    return targetKind == KindNumber(TargetKind::ModernVideo);
}

std::string_view AudioRuleWord(std::int32_t rule) {
    return WordOf(kAudioRules, rule);
}
std::optional<std::int32_t> AudioRuleOfWord(std::string_view word) {
    return ValueOf(kAudioRules, word);
}
std::string_view SubtitleRuleWord(std::int32_t rule) {
    return WordOf(kSubtitleRules, rule);
}
std::optional<std::int32_t> SubtitleRuleOfWord(std::string_view word) {
    return ValueOf(kSubtitleRules, word);
}
std::string_view DenoiseWord(std::int32_t denoise) {
    return WordOf(kDenoise, denoise);
}
std::optional<std::int32_t> DenoiseOfWord(std::string_view word) {
    return ValueOf(kDenoise, word);
}
std::string_view DeinterlaceWord(std::int32_t deinterlace) {
    return WordOf(kDeinterlace, deinterlace);
}
std::optional<std::int32_t> DeinterlaceOfWord(std::string_view word) {
    return ValueOf(kDeinterlace, word);
}
std::string_view FlipWord(std::int32_t flip) {
    return WordOf(kFlip, flip);
}
std::optional<std::int32_t> FlipOfWord(std::string_view word) {
    return ValueOf(kFlip, word);
}

std::string CropBoxText(const CropBox& box) {
    return std::to_string(box.width) + ":" + std::to_string(box.height) + ":" +
           std::to_string(box.x) + ":" + std::to_string(box.y);
}

std::optional<CropBox> ReadCropBox(std::string_view text) {
    int numbers[4] = {};
    for (int i = 0; i < 4; ++i) {
        std::size_t colon = i < 3 ? text.find(':') : text.size();
        if (colon == std::string_view::npos)
            return std::nullopt;
        std::optional<int> number = WholeNumber(text.substr(0, colon));
        if (!number || *number < 0)
            return std::nullopt;
        numbers[i] = *number;
        text.remove_prefix(i < 3 ? colon + 1 : colon);
    }
    if (numbers[0] <= 0 || numbers[1] <= 0)
        return std::nullopt;
    return CropBox{numbers[0], numbers[1], numbers[2], numbers[3]};
}

std::string CropWord(std::int32_t rule, const CropBox& box) {
    if (rule == static_cast<std::int32_t>(CropRule::Auto))
        return "auto";
    if (rule == static_cast<std::int32_t>(CropRule::Box))
        return CropBoxText(box);
    return "none";
}

bool CropOfWord(std::string_view word, std::int32_t& rule, CropBox& box) {
    if (word == "none" || word == "auto") {
        rule = static_cast<std::int32_t>(word == "auto" ? CropRule::Auto : CropRule::None);
        box = CropBox{};
        return true;
    }
    std::optional<CropBox> read = ReadCropBox(word);
    if (!read)
        return false;
    rule = static_cast<std::int32_t>(CropRule::Box);
    box = *read;
    return true;
}

} // namespace kiv
