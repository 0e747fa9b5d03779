#pragma once
// The records that travel between the windows and the conversion engine.

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
