#pragma once
// What the user chooses to go into the files beyond a profile's codecs and
// values: which audio and subtitle tracks (a rule for the whole batch), a
// subtitle burned into the picture, and picture filters. A working profile,
// a profile of the user's own and the settings file carry one of these
// beside the MediaProfile.
//
// All zero is what the profiles do by themselves: every track the container
// holds, no filter, deinterlacing where the source is interlaced. The
// numbers are stored (settings file, profile files), so they never change.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kiv {

enum class AudioRule : std::int32_t {
    All = 0,         // every audio track
    MyLanguages = 1, // the tracks in the user's languages (the first track when none is)
    FirstOnly = 2,   // the file's first audio track
};

enum class SubtitleRule : std::int32_t {
    All = 0,              // every subtitle the container holds
    MyLanguages = 1,      // the subtitles in the user's languages
    None = 2,             // no subtitles
    BurnForcedOrMine = 3, // burn a forced subtitle of the user's languages, else the first one
                          // in them; no subtitle streams
    BurnTrack = 4,        // burn the n-th subtitle track (burnTrack, from 1); no subtitle streams
};

enum class CropRule : std::int32_t {
    None = 0, // the picture as it is
    Auto = 1, // black bars found in samples of each file are cut off
    Box = 2,  // every file cropped to cropBox
};

enum class Denoise : std::int32_t { Off = 0, Light = 1, Medium = 2, Strong = 3 };

enum class Deinterlace : std::int32_t {
    Auto = 0,   // where the source is interlaced (the stream says so, or idet finds it)
    Always = 1, // every picture, whatever the source says
    Never = 2,  // pictures as they are
};

enum class Flip : std::int32_t { None = 0, Horizontal = 1, Vertical = 2 };

// A part of the picture as shown (after a phone's turn), in pixels.
struct CropBox {
    std::int32_t width;
    std::int32_t height;
    std::int32_t x;
    std::int32_t y;
};

struct ProfileChoices {
    std::int32_t audioRule; // an AudioRule
    // ISO 639-2 codes, comma-separated ("deu,eng"), in the order of
    // preference; empty: the desktop's languages.
    char audioLanguages[64];
    std::int32_t subtitleRule; // a SubtitleRule
    char subtitleLanguages[64];
    std::int32_t burnTrack;   // BurnTrack: the subtitle track's number, from 1
    std::int32_t cropRule;    // a CropRule
    CropBox cropBox;          // Box: the part kept
    std::int32_t denoise;     // a Denoise
    std::int32_t deblock;     // 1: soften the blocks of a heavily compressed source
    std::int32_t grayscale;   // 1: black and white
    std::int32_t turn;        // degrees clockwise: 0, 90, 180 or 270
    std::int32_t flip;        // a Flip
    std::int32_t deinterlace; // a Deinterlace
};

// True when the choices are all zero: the profile's own behaviour.
bool IsDefaultChoices(const ProfileChoices& choices);
bool SameChoices(const ProfileChoices& a, const ProfileChoices& b);

// Whether a kind's pictures may be cropped or turned by a quarter: only the
// kinds that keep the picture's proportions (today's video kind fits the
// picture into its box); the older kinds' fixed frame sizes would stretch it.
bool KindReshapesPicture(int targetKind);

// The words the settings file, profile files and kiv-convert use for the
// choices ("all", "languages", "first"; "light"; "auto", "on", "off"...).
std::string_view AudioRuleWord(std::int32_t rule);
std::optional<std::int32_t> AudioRuleOfWord(std::string_view word);
std::string_view SubtitleRuleWord(std::int32_t rule);
std::optional<std::int32_t> SubtitleRuleOfWord(std::string_view word);
std::string_view DenoiseWord(std::int32_t denoise);
std::optional<std::int32_t> DenoiseOfWord(std::string_view word);
std::string_view DeinterlaceWord(std::int32_t deinterlace);
std::optional<std::int32_t> DeinterlaceOfWord(std::string_view word);
std::string_view FlipWord(std::int32_t flip);
std::optional<std::int32_t> FlipOfWord(std::string_view word);
// "none", "auto" or "W:H:X:Y".
std::string CropWord(std::int32_t rule, const CropBox& box);
bool CropOfWord(std::string_view word, std::int32_t& rule, CropBox& box);

// "W:H:X:Y" as FFmpeg's crop filter takes it.
std::string CropBoxText(const CropBox& box);
// Reads "W:H:X:Y" (whole numbers, width and height above 0, x and y from 0).
std::optional<CropBox> ReadCropBox(std::string_view text);

} // namespace kiv
