#pragma once
// The frame counts that make a show last what its maker asked for: every
// picture held for holdFrames on its own and every two pictures joined by a
// transition of transitionFrames (a show of N pictures lasts N holds and
// N - 1 transitions). The show scripts keep their own rules for the counts
// they are given (ten frames more for some joins and for the pictures from
// the third on, different ones with music and in silence, the first two
// frames trimmed), so the counts handed to them make up for that. Holds and
// transitions shorter than those ten frames (0.4 s) come out at ten.

#include "slideshow/SlideShow.h"

namespace kiv {

// Sets the counts of the show's pictures for the script its music asks
// for: with music the one with music, else the silent one.
void SetShowLengths(SlideShow& show, int holdFrames, int transitionFrames);

} // namespace kiv
