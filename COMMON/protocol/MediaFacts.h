#pragma once
// The facts the media detector reads from a file, and the C entry point of
// the detector's shared library (libkiv_media.so), which enc loads for
// "-info" only.

namespace kiv {

struct MediaFacts {
    double duration = 0; // the longer of the video and audio lengths, seconds
    int hasVideo = 0;    // an attached picture (cover art) is not video
    int hasAudio = 0;
    double frameRate = 0;
    int width = 0;
    int height = 0;
    int videoBitrate = 0;    // bit/s
    double audioBitrate = 0; // bit/s
    double sampleRate = 0;   // Hz
    int channels = 0;
    double videoDuration = 0; // seconds, 0 when there is no video stream
    double audioDuration = 0; // seconds, 0 when there is no audio stream
    char videoCodec[32] = {}; // libavcodec's names ("h264", "aac"), empty when unknown
    char audioCodec[32] = {};
};

// File name of the detector library beside the programs, its entry point's
// name and type: 0 when the file was read, negative otherwise.
inline constexpr const char* kMediaLibrary = "libkiv_media.so";
inline constexpr const char* kDetectMediaEntry = "kiv_detect_media";
using DetectMediaFunction = int (*)(const char* path, MediaFacts* facts);

} // namespace kiv
