#pragma once
// The records that travel between the windows and the conversion engine.

#include "ProfileChoices.h"
#include "TargetKind.h"

#include <cstdint>

namespace kiv {

// One set of streams: the source half is filled by the probe, the target
// half from the chosen profile.
struct MediaDescription {
    char videoCodec[1024];
    char title[1024];
    std::int32_t videoBitrate; // target: kbit/s; source: bit/s
    double frameRate;
    double videoDuration; // seconds
    char aspect[256];
    std::int32_t width;
    std::int32_t height;
    std::int32_t variant;
    char audioCodec[1024];
    double audioBitrate; // target: kbit/s; source: bit/s
    double sampleRate;
    std::int32_t channels;
    double audioDuration; // seconds
    std::int32_t volume;  // 256 = unchanged
    char author[256];
    char album[256];
    char copyright[256];
    char comment[256];
};

// The tracks one file's output takes, as the user ticked them for the file
// (or as the engine worked them out from the batch's rule).
inline constexpr int kMostPickedTracks = 32;
struct TrackPicks {
    std::int32_t chosen; // 1: the lists below say what goes in; 0: the rule says
    std::int32_t audioCount;
    std::int32_t audio[kMostPickedTracks]; // source stream numbers, in output order
    std::int32_t subtitleCount;
    std::int32_t subtitles[kMostPickedTracks];
    std::int32_t defaultAudio;    // source stream number + 1; 0: as the source marks them
    std::int32_t defaultSubtitle; // the same for subtitles
    std::int32_t burn;            // source stream number + 1 of the subtitle burned in; 0: none
};

// Where one file's crop stands.
enum class CropState : std::int32_t {
    Unknown = 0, // not looked at yet: the rule says
    Crop = 1,    // the box is what stays
    NoBars = 2,  // looked at: nothing to cut off
    Keep = 3,    // the user keeps this file's picture whole
};

// What the user chose for the output beyond the profile: the batch's rule
// and this file's own choices. All zero: the profile's own behaviour.
struct JobChoices {
    ProfileChoices rule;
    TrackPicks picks;
    std::int32_t cropState; // a CropState
    CropBox crop;           // Crop: the part of the shown picture kept
};

// Everything the engine needs for one file.
struct ConversionJob {
    MediaDescription source;
    MediaDescription target;
    std::int32_t targetKind; // a TargetKind
    char outputPath[1024];
    char sourcePath[1024];
    char inputScriptPath[1024];
    std::int32_t hasVideo;
    std::int32_t hasAudio;
    std::int32_t scriptInput;
    char trimStart[16];
    char trimEnd[16];
    std::int32_t done;
    JobChoices choices;
};

// Progress values: 1 to 99 percent; 0 no position; 10 for every line of a
// slideshow run; 100 the encoder ended or a stop was requested.
using ProgressCallback = void (*)(int value, void* userData);

struct EncoderInit {
    std::int32_t scriptInput;
    ProgressCallback callback;
    void* userData;
    std::int32_t reserved;
    char appFolder[1024]; // ends in the path separator
};

} // namespace kiv
