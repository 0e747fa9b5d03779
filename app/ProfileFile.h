#pragma once
// A profile of the user's own as a small text file: the values of a
// built-in format's profile and the choices made beyond them (tracks,
// quality, crop and filters), one "Key=Value" a line under a fixed first
// line, in this order:
//
//     [Kiv Video Converter profile]
//     Name=German, English burned in
//     Format=To 3GP/MP4           the built-in format whose kind and lists it takes
//     VideoCodec=libx264          the values, as the format's lists spell them
//     VideoBitrate=20             (today's video formats: the constant quality)
//     FrameRate=Original
//     FrameSize=Original
//     Aspect=16:9
//     AudioCodec=aac
//     AudioBitrate=160
//     SampleRate=Original
//     Channels=Stereo             Mono, Stereo or Original
//     Volume=256                  256: unchanged
//     Variant=0                   today's video formats: the container row
//     Audio=languages             all, languages or first
//     AudioLanguages=deu          ISO 639 codes, comma-separated; empty: the desktop's
//     Subtitles=burn              all, languages, none, burn or burn-track
//     SubtitleLanguages=eng
//     BurnTrack=0                 burn-track: the subtitle track's number, from 1
//     Crop=auto                   none, auto or W:H:X:Y
//     Denoise=off                 off, light, medium or strong
//     Deblock=no                  yes or no
//     Grayscale=no
//     Turn=0                      0, 90, 180 or 270 degrees clockwise
//     Flip=none                   none, horizontal or vertical
//     Deinterlace=auto            auto, on or off
//
// Blank lines and lines starting with '#' or ';' are skipped when read. A
// file that does not start with the first line, names a key twice or one
// not listed, leaves out a value key (Name to Variant; the choices may be
// left out and then keep the profile's own behaviour), or gives a value
// the format does not offer is refused with the line that is wrong.

#include "MediaProfile.h"
#include "ProfileChoices.h"

#include <string>
#include <string_view>

namespace kiv {

inline constexpr const char* kProfileFileFirstLine = "[Kiv Video Converter profile]";
// Beyond any profile: a larger file is not one.
inline constexpr std::size_t kLargestProfileFile = 64 * 1024;

struct UserProfile {
    std::string name;
    int category = 0;      // the built-in format it takes its kind and lists from
    MediaProfile values{}; // ProfileName is the name (cut to its field)
    ProfileChoices choices{};
};

// The file's text, LF line ends.
std::string ProfileFileText(const UserProfile& profile);

// Reads a file's text; false with a sentence saying what is wrong.
bool ReadProfileText(std::string_view text, UserProfile& profile, std::string& reason);

// Reads a file (a regular file of at most kLargestProfileFile bytes); false
// with a sentence that names the file and says what is wrong.
bool ReadProfileFile(const std::string& path, UserProfile& profile, std::string& reason);

// A name a profile may have: not empty, at most 255 bytes, no control
// character; false with a sentence saying why not.
bool CheckProfileName(std::string_view name, std::string& reason);

} // namespace kiv
