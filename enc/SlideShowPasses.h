#pragma once
// The two slideshow passes enc renders, and what they share. Used by
// SlideShowRender.cpp, which tells the scripts apart.

#include "FfmpegPlan.h"
#include "FfmpegRunner.h"
#include "SlideShowGraph.h"

#include <csignal>
#include <string>
#include <vector>

namespace kiv::enc {

inline constexpr int kUnreadableInput = 2;
inline constexpr int kRunError = 1;
inline constexpr int kAbandoned = 128 + SIGHUP;

// One line "enc: message" on standard error; returns status.
int Fail(const std::string& message, int status);

// FFmpeg's own first arguments for every slideshow run.
std::vector<std::string> GlobalArguments();

// "what failed (FFmpeg exit status N): FFmpeg's last line", or "what was
// stopped".
std::string FailureReason(const RunResult& result, const std::string& what);

// What enc knows of a picture file.
struct PictureInfo {
    PictureSize shown;   // as it is shown (a JPEG turned by its EXIF orientation)
    PictureSize stored;  // as it is stored
    bool jpeg = false;   // decoded by FFmpeg's JPEG reader, which can reduce as it decodes
    bool turned = false; // shown on its side: stored width is shown height
};

// A picture FFmpeg can read, and its sizes: what names it in messages
// ("picture", "background picture", "frame image"). JPEG and PNG sizes are
// read from the file's header; other kinds are probed.
bool ReadPicture(const std::string& path, const char* what, PictureInfo& info, std::string& error);

// The arguments that give FFmpeg a picture file as input: its reader
// ("-f jpeg_pipe", which takes the name as it is) where enc knows the kind,
// else the name itself (the caller makes sure it holds no '%').
std::vector<std::string> PictureInput(const std::string& path);

// Image pass: every picture prepared as a frame image.
int RunImagePass(const std::string& scriptPath, const std::string& scriptText);

// Show pass: the timeline drawn with its captions and sound and encoded
// with the line's own options into the line's output file.
int RunShowPass(FfmpegPlan plan, std::size_t scriptInput, const std::string& scriptText,
                bool panZoom);

} // namespace kiv::enc
