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
    // --slideshow: the files are the pictures, in order.
    std::optional<std::string> music;
    std::optional<std::string> pictureSeconds;
    std::optional<std::string> transitionSeconds;
    std::vector<std::string> captions; // one per picture, in order
    bool panZoom = false;              // pictures move slowly while they are shown
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

extern const char* const kUsage;

} // namespace kiv
