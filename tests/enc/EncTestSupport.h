#pragma once
// Helpers for tests that run enc and FFmpeg for real: scratch folders, media
// made at test time with FFmpeg's generators, a process runner with a pipe
// on standard input, and a libavformat reader that checks outputs.

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kiv::enctest {

// A folder under $KIV_HOME (or the system's temporary folder), created when
// missing; ends without a separator.
std::string ScratchFolder(const std::string& name);

// The enc beside the test program (both are built into one folder).
std::string EncPath();

// Makes path with "ffmpeg -v error -y <arguments> path" unless it exists.
// Written under a temporary name first, so tests running in parallel share
// one copy safely. Returns whether the file exists afterwards.
bool MakeMedia(const std::string& path, const std::vector<std::string>& arguments);

// Standard media of the tests, made on first use in a shared folder.
std::string VideoSource();     // 320x240 25 fps, AAC stereo 48 kHz, 2 s (.mp4)
std::string AudioSource();     // MP3 stereo 44.1 kHz, 2 s
std::string LongVideoSource(); // 320x240 25 fps MPEG-4 + MP3, 40 s (.avi)

struct ProcessResult {
    int exitCode = -1;  // 128 + signal when killed
    std::string output; // standard output and error together, as the program reads them
    bool timedOut = false;
};

struct ProcessControl {
    pid_t pid;
    int input; // write end of the child's standard input
};

// Called after each block of output with everything read so far.
using OutputWatcher = std::function<void(const std::string& output, const ProcessControl&)>;

ProcessResult RunProcess(const std::vector<std::string>& argv, const OutputWatcher& watcher = {},
                         int timeoutSeconds = 120);

// "enc quillon-transcode-gates" followed by the arguments.
ProcessResult RunEnc(const std::vector<std::string>& arguments, const OutputWatcher& watcher = {});

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
};

// Opens the file with libavformat and reads every packet.
MediaInspection Inspect(const std::string& path);

// True when FFmpeg decodes the whole file without an error message.
bool DecodesCleanly(const std::string& path);

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// The seconds of every status line, read as the engine reads them for a
// source with or without video.
std::vector<int> StatusSeconds(const std::string& output, bool hasVideo);

} // namespace kiv::enctest
