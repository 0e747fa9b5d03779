#pragma once
// Reads the facts of a media file in process with libavformat: the streams,
// their lengths, the frame size and rate, bit rates, sample rate, channels.

#include <string>

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
};

// Returns 0 when the file was read, a negative code otherwise. A missing,
// empty or non-regular file fails before anything is opened; reading is
// bounded in time so a stalled file cannot hang the caller.
int DetectMedia(const std::string& path, MediaFacts& facts);

} // namespace kiv
