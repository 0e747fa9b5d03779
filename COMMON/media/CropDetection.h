#pragma once
// Black bars around a film's picture, found from a few pictures spread over
// the whole file: FFmpeg's cropdetect looks at the key frame nearest each
// sample point (nothing is decoded in between, so a two-hour film takes
// about as long as a short clip), and the part kept is the smallest box that
// holds what any sample showed. A dark scene therefore keeps its dark edges
// as long as one sample lights them, and a picture that no sample shows
// lit is never cut into.

#include "ProfileChoices.h"

#include <optional>
#include <string>

namespace kiv {

struct BlackBars {
    bool readable = false; // the file has a picture that could be decoded
    int width = 0;         // the picture as shown (after a phone's turn)
    int height = 0;
    int samples = 0; // pictures looked at
    int lit = 0;     // of those, pictures with something above black
    // The part to keep, even-sided and inside the picture; none when there
    // are no bars (or too few lit samples to tell).
    std::optional<CropBox> keep;
};

inline constexpr int kCropSamples = 12;

// Reads the file in process (libavformat, libavcodec, libavfilter) within
// the media reader's time limit. Results are kept for the program's run,
// per file, size and change time, so the window's preview and the
// conversion after it look once.
BlackBars FindBlackBars(const std::string& path, int samples = kCropSamples);

} // namespace kiv
