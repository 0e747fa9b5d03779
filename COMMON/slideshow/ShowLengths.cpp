#include "slideshow/ShowLengths.h"

#include <algorithm>

namespace kiv {

namespace {

// What the show scripts add to some counts, and trim from the show's start.
constexpr int kScriptExtra = 10;
constexpr int kScriptTrim = 2;

} // namespace

void SetShowLengths(SlideShow& show, int holdFrames, int transitionFrames) {
    const bool music = show.musicPath[0] != '\0';
    const int shortened = std::max(0, transitionFrames - kScriptExtra);
    for (int i = 0; i < show.pictureCount; ++i) {
        SlideShowPicture& picture = show.pictures[i];
        // The first two pictures are held as given (the first also over the
        // trimmed frames); the script adds its extra to the others.
        picture.displayFrames = i == 0   ? holdFrames + kScriptTrim
                                : i == 1 ? holdFrames
                                         : std::max(0, holdFrames - kScriptExtra);
        // A join lasts the longer count of its two pictures, plus the
        // extra: with music on the join of the first two, in silence on
        // every later one.
        if (music)
            picture.transitionFrames = i < 2 ? shortened : transitionFrames;
        else
            picture.transitionFrames = i == 0 ? transitionFrames : shortened;
    }
}

} // namespace kiv
