#pragma once
// The show's timeline at the output's own frame rate. The show script
// counts frames at 25 per second; every hold and transition keeps its
// length in seconds at any other rate, and the boundaries are rounded from
// the start of the show, so no rounding piles up along a long show.

#include "SlideShowScriptReader.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace kiv::enc {

// One picture seen for a stretch of frames. A picture is usually seen in
// three parts (coming in, held, going out); the motion of --pan-zoom runs
// over all three, so each part knows where it lies in the picture's time
// on screen.
struct PicturePart {
    int picture = 0; // frame image number
    long long frames = 0;
    long long motionStart = 0; // frames of the picture's time on screen before this part
    long long motionSpan = 0;  // the picture's whole time on screen
};

// A picture held, or two pictures joined by a transition in which they
// overlap (no overlap: a cut from the first to the second).
struct ShowPiece {
    bool transition = false;
    PicturePart first;     // the hold, or the picture going out
    PicturePart second;    // the picture coming in
    long long overlap = 0; // frames in which both are seen
    std::string scriptName;

    long long Frames() const;
};

struct ShowTimeline {
    std::vector<ShowPiece> pieces;
    long long leadingTrim = 0; // frames dropped from the start
    double rate = 25;

    long long TotalFrames() const;
    double Seconds() const { return double(TotalFrames()) / rate; }
};

// The script's timeline at `rate` frames per second. Expects a show of at
// most kLargestFrameCount frames at 25 per second.
ShowTimeline TimelineAt(const ShowScriptFacts& facts, double rate);

// Splits the pieces into runs of consecutive pieces that show at most
// `pictures` different pictures each (at least one piece a run): [first, end).
std::vector<std::pair<std::size_t, std::size_t>> PieceRuns(const ShowTimeline& timeline,
                                                           int pictures);

} // namespace kiv::enc
