#pragma once
// kiv-convert --slideshow: one video of still pictures with transitions,
// captions and music, made with the engine's four slideshow passes.

#include "CliOptions.h"

#include <optional>
#include <string>

namespace kiv {

// Frames at 25 per second of a seconds text ("4", "1.5"), rounded to the
// nearest frame; nothing for a text that is not a number from 0 to 3600.
std::optional<int> SecondsToFrames(const std::string& text);

int MakeSlideShow(const CliOptions& options);

} // namespace kiv
