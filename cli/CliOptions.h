#pragma once
// The command line of kiv-convert.

#include <optional>
#include <string>
#include <vector>

namespace kiv {

enum class Mode { Help, Version, List, Probe, Convert, SlideShow };

struct CliOptions {
    Mode mode = Mode::Convert;
    std::optional<std::string> format;  // category name or index
    std::optional<std::string> profile; // profile name or index
    std::optional<std::string> outputDir;
    std::optional<std::string> start; // HH:MM:SS
    std::optional<std::string> end;
    std::optional<std::string> jobs; // --jobs: a count or "auto"
    // --slideshow: the files are the pictures, in order.
    std::optional<std::string> music;
    std::optional<std::string> pictureSeconds;
    std::optional<std::string> transitionSeconds;
    std::vector<std::string> captions; // one per picture, in order
    // What goes into the files beyond the profile (ChoiceArguments.h).
    std::optional<std::string> audioTracks; // all, first or LANG,LANG
    std::optional<std::string> subtitles;   // all, none, LANG,.., burn:N or burn:LANG
    std::optional<std::string> quality;     // constant quality, 16 to 40
    std::optional<std::string> crop;        // auto, none or W:H:X:Y
    std::optional<std::string> denoise;     // light, medium or strong
    std::optional<std::string> deinterlace; // auto, on or off
    std::optional<std::string> profileFile; // a profile file, as "Save as my profile" writes
    bool panZoom = false;                   // pictures move slowly while they are shown
    bool dryRun = false;
    bool skipDone = false; // a file whose output is there whole is not converted again
    bool estimate = false; // with dryRun: the expected size of each output
    bool json = false;
    bool quiet = false;
    std::vector<std::string> files;
};

// Parses the arguments after the program name. Returns false with a message
// for a usage error.
bool ParseOptions(const std::vector<std::string>& arguments, CliOptions& options,
                  std::string& error);

// True for "H:MM:SS" style times with one or more hour digits.
bool IsTimeText(const std::string& text);
// Such a time in seconds; none when it is not one or too large for the
// program to count ("1:00:00" gives 3600).
std::optional<int> TimeTextSeconds(const std::string& text);

// The most files --jobs takes at once.
constexpr int kMostJobs = 256;
// --jobs' value as a count, 0 for "auto"; none when it is neither.
std::optional<int> JobsCount(const std::string& text);

extern const char* const kUsage;

} // namespace kiv
