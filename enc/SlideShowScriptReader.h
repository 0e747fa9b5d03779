#pragma once
// The program's two slideshow scripts are AviSynth scripts, and there is no
// AviSynth here. enc recognises them by their fixed first lines and reads
// the facts they carry: pictures, background, frame images, the frame
// counts of the loop lines, transitions, the subtitle text with its times,
// and the music. SlideShowRender draws the result with FFmpeg.

#include <string>
#include <string_view>
#include <vector>

namespace kiv::enc {

enum class SlideShowScript { None, Images, Show };

// Frame counts and numbers read from a script are cut to this, and added in
// 64 bits: a crafted script cannot make them overflow.
inline constexpr long long kLargestFrameCount = 1'000'000'000;

// Which slideshow script a text is, by its first lines.
SlideShowScript SlideShowScriptOf(std::string_view text);

// The image-preparation script: every picture fitted onto the background
// and written as a numbered frame image. Frame 0 and frame 1 hold the first
// picture, frame k picture k.
struct ImageScriptFacts {
    std::string backgroundPath;
    std::vector<std::string> picturePaths;
    std::string framePrefix; // the frame images are framePrefix + "%06d.ebmp"
    int firstFrame = 0;
    int lastFrame = 0;
};

bool ReadImageScript(std::string_view text, ImageScriptFacts& facts, std::string& error);

// One frame image held for a number of frames.
struct HeldPicture {
    int picture = 0; // frame image number
    int frames = 0;
};

// A piece of the show's timeline: a picture held, or two held pictures
// joined by a transition in which they overlap.
struct ShowSegment {
    bool transition = false;
    HeldPicture first;      // the hold, or the outgoing picture
    HeldPicture second;     // the incoming picture (transitions)
    int overlapFrames = 0;  // frames in which both are seen
    std::string scriptName; // the transition script's file name, e.g. "InCenter.avs"

    long long Frames() const;
    // The overlap as it can be drawn: at most the shorter part.
    int DrawnOverlap() const;
};

struct ShowScriptFacts {
    std::string backgroundPath;
    std::string framePattern; // the frame images: "...aya%06d.ebmp"
    int lastFrameImage = 0;
    std::string musicPath;             // empty: silence
    std::vector<ShowSegment> segments; // in order
    int leadingTrim = 0;               // frames dropped from the start of the show
    std::string subtitlePath;          // the file the script writes its subtitles to
    std::string subtitleText;          // what it writes there
    std::string drawnSubtitlePath;     // the file textsub draws
    int captionCount = 0;              // Dialogue lines

    long long TotalFrames() const;
    // The frame image file of a picture number.
    std::string FrameImagePath(int picture) const;
};

// Reads the show script. The timeline follows the script's joins (d = a + c,
// d = d + a + c); the hold the script computes for its last picture but
// never joins is added at the end, so the last picture stays on screen for
// its frames as every other one does (and a one-picture show has a
// timeline at all). Caption times are written as SSA times
// (hours:minutes:seconds.hundredths) of the frames the script names.
bool ReadShowScript(std::string_view text, ShowScriptFacts& facts, std::string& error);

// "h:mm:ss.cc"-style SSA time of a frame number at 25 frames per second
// (numbers beyond kLargestFrameCount count as that).
std::string SsaTime(long long frame);

} // namespace kiv::enc
