#pragma once
// Runs FFmpeg from an argument vector (never a shell) and relays what it
// says: each -progress block becomes one status line on standard output,
// its messages go to standard error. FFmpeg inherits enc's standard input,
// so a "q" written there reaches it; SIGINT and SIGTERM are passed on, and
// SIGHUP (also sent when enc's parent dies) kills it.

#include <string>
#include <vector>

namespace kiv::enc {

struct RunResult {
    bool started = false;
    int exitCode = -1;      // FFmpeg's exit status, 128 + signal when killed
    bool signalled = false; // enc passed a SIGINT or SIGTERM on
    bool abandoned = false; // SIGHUP: FFmpeg was killed, its output is not wanted
    bool quitByKey = false; // FFmpeg read a "q" and ended early
    std::string errorLine;  // FFmpeg's line that says why it failed (ErrorLine.h)
    std::string startError; // why FFmpeg could not be started
};

// The FFmpeg program: $KIV_FFMPEG when set and not empty, else "ffmpeg"
// looked up in PATH.
std::string FfmpegExecutable();

// True for FFmpeg's own status lines ("frame=... time=..."), which enc
// replaces by its own.
bool IsFfmpegStatusLine(const std::string& line);

// Starts the program with arguments (argv[0] is the executable) and waits
// for its end, relaying output as it comes. An inputDescriptor (10 or
// above) becomes descriptor kVideoInputDescriptor in FFmpeg ("/dev/fd/4") and
// is closed in enc once FFmpeg has it, so that FFmpeg is its only reader.
// The prepared descriptors (10 or above, kept open) become descriptors
// kFirstPreparedDescriptor and on in FFmpeg.
RunResult RunFfmpeg(const std::vector<std::string>& argv, int inputDescriptor = -1,
                    const std::vector<int>& prepared = {});

// Takes over SIGINT, SIGTERM and SIGHUP as described above (RunFfmpeg does
// it too); for work that starts other processes before FFmpeg runs.
void InstallStopHandlers();
// True once a SIGINT, SIGTERM or SIGHUP has come: start nothing new.
bool StopSignalled();

// Where FFmpeg finds the inputDescriptor of RunFfmpeg.
inline constexpr int kVideoInputDescriptor = 4;

// Writes text to a descriptor completely (retrying short writes).
void WriteAll(int descriptor, const std::string& text);

} // namespace kiv::enc
