#pragma once
// The FFmpeg filter graphs that draw a slideshow: the frame images of the
// image-preparation pass and the timeline of the show pass.

#include "SlideShowScriptReader.h"

#include <string>
#include <string_view>
#include <vector>

namespace kiv::enc {

inline constexpr int kShowWidth = 720;
inline constexpr int kShowHeight = 576;
inline constexpr int kShowSampleRate = 48000;

// A picture's size after fitting it into 576 x 462 the way the image script
// does: scaled down only, in proportion; when scaled, both sides are cut to
// a multiple of 4 (so a scaled height is at most 460).
struct FittedSize {
    int width = 0;
    int height = 0;
    bool scaled = false;
};
FittedSize FitPicture(int width, int height);

// The FFmpeg xfade transition that draws a transition script: In<side> lets
// the new picture come in from that side, Out<side> pushes the old one out
// towards it, InCenter opens a circle, OutCenter closes one. Unknown names
// cross-fade.
const char* XfadeTransitionFor(std::string_view scriptName);

// A file path as the value of a filter option inside a filter graph
// (both escaping levels applied).
std::string FilterGraphPath(std::string_view path);

// A frame count at 25 frames per second as seconds with two decimals.
std::string FrameSeconds(long long frames);

struct PictureSize {
    int width = 0; // as read from the file
    int height = 0;
};

// Image pass: input 0 is the background, input k the picture k. Frame 0 and
// frame 1 show picture 1, frame k picture k; frames past the last picture
// are not drawn. The graph's output is labelled [out], one frame per frame
// image in order.
std::string ImagePassGraph(const std::vector<PictureSize>& pictures, int firstFrame, int lastFrame);
// How many frame images the pass writes.
int ImagePassFrameCount(int pictureCount, int firstFrame, int lastFrame);

// Show pass. The inputs are the frame images of `pictureInputs`, in that
// order (input i holds picture pictureInputs[i]), then the music when there
// is one (musicInput >= 0). Outputs [v] and [a]. audioFilters (may be
// empty) is appended to the sound chain; subtitleFile (may be empty) is
// drawn onto the pictures.
struct ShowGraph {
    std::vector<int> pictureInputs;
    std::string graph;
};
ShowGraph ShowPassGraph(const ShowScriptFacts& facts, bool withMusic, std::string_view audioFilters,
                        std::string_view subtitleFile);

} // namespace kiv::enc
