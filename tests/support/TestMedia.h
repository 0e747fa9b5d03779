#pragma once
// Media made at test time with ffmpeg's lavfi generators, and a libavformat
// reader that checks outputs. No test framework here: callers assert on the
// results.

#include <filesystem>
#include <string>
#include <vector>

namespace kiv::test {

// Makes output with "ffmpeg -v error -y <arguments> output". Written under a
// hidden temporary name first, so test programs running in parallel can
// share one copy: an output that exists already is kept. Returns whether the
// file exists afterwards; ffmpeg's complaint goes to standard error.
bool MakeMedia(const std::filesystem::path& output, const std::vector<std::string>& arguments);

// Gives a JPEG an EXIF block that says how the picture is turned (6: stored
// lying on its side, shown turned clockwise, as phones store portraits).
bool SetExifOrientation(const std::filesystem::path& jpeg, int orientation);

// The test clip: video with sound (H.264 at 25 fps with a key frame every
// second, AAC stereo), small and short, whose colours turn over time so
// pictures far apart differ everywhere.
bool MakeClip(const std::filesystem::path& output, int seconds = 8,
              const std::string& size = "320x240");
// A 440 Hz tone alone, as 16-bit PCM (pick a .wav name).
bool MakeTone(const std::filesystem::path& output, int seconds = 8);

// Standard media, made once in the shared media folder.
std::string VideoSource();     // 320x240 25 fps, AAC stereo 48 kHz, 2 s (.mp4)
std::string AudioSource();     // MP3 stereo 44.1 kHz, 2 s
std::string LongVideoSource(); // 320x240 25 fps MPEG-4 + MP3, 40 s (.avi)

struct MediaInspection {
    bool opened = false;
    std::string format;     // demuxer name, e.g. "avi", "mov,mp4,m4a,3gp,3g2,mj2"
    std::string majorBrand; // mp4 family only
    std::string videoCodec; // decoder name, empty without video (cover art ignored)
    int width = 0;
    int height = 0;
    std::string audioCodec;
    int sampleRate = 0;
    int channels = 0;
    double seconds = 0; // end of the last packet of any stream
    // First video stream: frames per second, shown width / height (with
    // the pixel aspect), the turn a player applies, bits per component.
    double frameRate = 0;
    double displayAspect = 0;
    int rotation = 0;
    int bitsPerSample = 0;
    int audioTracks = 0;
    int subtitleTracks = 0;
    std::string subtitleCodec; // the first subtitle stream's
};

// Opens the file with libavformat and reads every packet.
MediaInspection Inspect(const std::string& path);

// True when FFmpeg decodes the whole file without an error message.
bool DecodesCleanly(const std::string& path);

} // namespace kiv::test
