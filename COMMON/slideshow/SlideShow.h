#pragma once
// A slideshow as the caller hands it to the encoder: still pictures shown
// one after another, joined by transitions, with captions and music.

#include "ConversionJob.h"

#include <cstdint>

namespace kiv {

struct SlideShowPicture {
    char imagePath[1024];
    std::int32_t displayFrames;    // frames the picture is held
    std::int32_t transitionFrames; // frames of the transition that joins it
    char caption[256];             // empty: none
};

struct SlideShow {
    SlideShowPicture* pictures; // the first of pictureCount entries in one array
    std::int32_t pictureCount;
    MediaDescription target; // output settings, as for a conversion's target half
    std::int32_t targetKind;
    // The work folder is this text followed directly by "kiv-" and six
    // characters of its own; the output file is named from it, and the
    // encoding pass extends it in place to the output file's path.
    char outputPrefix[1024];
    char musicPath[1024]; // empty: silence
    // Beyond the record above: 1 moves every picture slowly while it is on
    // screen (pan and zoom), 0 keeps them still.
    std::int32_t panZoom;
};

// Frames per second of every slideshow.
inline constexpr int kSlideShowRate = 25;

} // namespace kiv
