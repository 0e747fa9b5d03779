#pragma once
// The FFmpeg filter graphs that draw a slideshow: the chain that prepares
// one picture (image pass), the graph of a producer that draws a stretch of
// the show (show pass), and the encoding graph that adds the captions and
// the sound.

#include "ShowGeometry.h"
#include "ShowTimeline.h"

#include <string>
#include <string_view>
#include <vector>

namespace kiv::enc {

inline constexpr int kShowSampleRate = 48000;

// Pictures the image pass prepares (all but JPEGs, which the show pass
// reduces as it decodes them) are at most this large: enough for a
// 1920 x 1080 show.
inline constexpr int kPreparedWidth = 1920;
inline constexpr int kPreparedHeight = 1080;

struct PictureSize {
    int width = 0;
    int height = 0;
};

// How many frame images the image pass writes: frame 0 and frame 1 show
// picture 1, frame k picture k; frames past the last picture are not drawn.
int ImagePassFrameCount(int pictureCount, int firstFrame, int lastFrame);

// The image pass's chain for one picture: upright (FFmpeg turns a phone
// photo by its EXIF orientation as it decodes it), reduced to fit within
// kPreparedWidth x kPreparedHeight and never enlarged, with square pixels.
std::string PrepareChain();

// How far a JPEG stored at width x height may be reduced while it is
// decoded (FFmpeg's -lowres: halved 0 to 3 times) and still be at least
// neededWidth x neededHeight (in the same, stored, orientation).
int LowresFor(int width, int height, int neededWidth, int neededHeight);

// A prepared picture's size on the show's frame: fitted into four fifths
// of the frame's width and height as displayed, in its true proportions,
// never enlarged; both sides even.
PictureSize FitOnFrame(PictureSize picture, const ShowGeometry& geometry);

// The FFmpeg xfade transition that draws a transition script: In<side> lets
// the new picture come in from that side, Out<side> pushes the old one out
// towards it, InCenter opens a circle, OutCenter closes one. Unknown names
// cross-fade.
const char* XfadeTransitionFor(std::string_view scriptName);

// A file path as the value of a filter option inside a filter graph
// (both escaping levels applied).
std::string FilterGraphPath(std::string_view path);

// A number of frames at `rate` as seconds, to the microsecond.
std::string FrameSeconds(long long frames, double rate);

// A producer's graph for the pieces [first, end) of the timeline. Input 0
// is the background, input i + 1 the frame image of picture pictures[i];
// sizes[i] is that image's size. trimFrames frames are dropped from the
// start. panZoom moves every picture slowly. The output, [out], is the
// stretch's frames at the show's size in yuv420p.
struct ProducerGraphPlan {
    std::size_t first = 0;
    std::size_t end = 0;
    long long trimFrames = 0;
    std::vector<int> pictures;
    std::vector<PictureSize> sizes;
    bool panZoom = false;
};
std::string ProducerGraph(const ShowTimeline& timeline, const ProducerGraphPlan& plan,
                          const ShowGeometry& geometry);

// The distinct pictures of the pieces [first, end), in order of first use.
std::vector<int> PicturesOf(const ShowTimeline& timeline, std::size_t first, std::size_t end);

// The encoding graph. Input 0 is the show's raw frames; input 1, when
// there is music, the music. Outputs [v] and [a], both `frames` long.
struct EncoderGraphPlan {
    long long frames = 0;
    std::string subtitleFile; // empty: no captions
    bool withMusic = false;
    std::string musicGain;    // volume expression (see ShowMusic.h)
    std::string videoFilters; // the line's own -vf, appended; may be empty
    std::string audioFilters; // the line's own -af, appended; may be empty
};
std::string EncoderGraph(const EncoderGraphPlan& plan, const ShowGeometry& geometry);

} // namespace kiv::enc
