#pragma once
// Renders the program's slideshow scripts with FFmpeg: the image pass
// writes the frame images, the show pass encodes the timeline with the
// line's target options. Inputs that cannot be read stop the pass with one
// line naming the file, and what the pass started is deleted.

#include <optional>
#include <string>
#include <vector>

namespace kiv::enc {

// When an input of the line (the arguments after the fixed token) is one of
// the two slideshow scripts, renders it and returns enc's exit status;
// nothing for any other line.
std::optional<int> RunSlideShowScript(const std::vector<std::string>& arguments);

} // namespace kiv::enc
