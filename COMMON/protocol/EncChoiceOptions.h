#pragma once
// Options of a conversion line that only enc reads: what the user chose
// beyond the profile, which enc carries out with what it knows of the
// source (its streams, how its pictures are scanned). enc takes them off
// the line; FFmpeg never sees them. The builder writes them just before
// " -y ", and only for what the user chose, so a line without choices is
// the line of old.
//
//     -audio_track N       the older kinds: the sound is source stream N (the
//                          lines of today's formats map their streams)
//     -default_tracks N,M  these source streams are the default ones of
//                          their kind (audio, subtitles); the others are not
//     -burn_subtitles N    source stream N, a subtitle, is drawn into the
//                          picture: text through libass, pictures laid over
//     -crop_box W:H:X:Y    the part of the shown picture kept
//     -denoise WORD        light, medium or strong
//     -deblock             the blocks of a heavily compressed source softened
//     -grayscale           black and white
//     -turn DEGREES        90, 180 or 270, clockwise
//     -flip WORD           horizontal or vertical
//     -deinterlace WORD    on: every picture; off: none (without it, where the
//                          source is interlaced)

namespace kiv {

inline constexpr const char* kAudioTrackOption = "-audio_track";
inline constexpr const char* kDefaultTracksOption = "-default_tracks";
inline constexpr const char* kBurnSubtitlesOption = "-burn_subtitles";
inline constexpr const char* kCropBoxOption = "-crop_box";
inline constexpr const char* kDenoiseOption = "-denoise";
inline constexpr const char* kDeblockOption = "-deblock";
inline constexpr const char* kGrayscaleOption = "-grayscale";
inline constexpr const char* kTurnOption = "-turn";
inline constexpr const char* kFlipOption = "-flip";
inline constexpr const char* kDeinterlaceOption = "-deinterlace";

} // namespace kiv
