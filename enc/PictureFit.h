#pragma once
// What the source's pictures need beyond what the line asks, for every line
// that converts video (today's formats and the older kinds alike):
// - an interlaced source is deinterlaced (bwdif, one picture per frame)
//   for a progressive output, and stays interlaced with its fields in order
//   for a disc format that keeps fields (DVD, SVCD) at the source's rate;
//   where the stream does not say how it is scanned, idet looks;
// - a line that keeps the source's timing keeps every frame's time (FFmpeg
//   5.1 otherwise puts them on a grid of the rate it guesses);
// - an odd source size that the line rounds down to even sides is cropped
//   by a pixel, not resampled;
// - HDR10's mastering display and light levels go to an encoder that keeps
//   HDR (x265, SVT-AV1).
// Each change is named in a note for the log. The user may ask for every
// picture to be deinterlaced (whatever the stream says) or for none.

#include "ChoiceFit.h"
#include "FfmpegPlan.h"
#include "StreamFacts.h"

#include <functional>
#include <string>
#include <vector>

namespace kiv::enc {

// How the source's pictures are scanned where the stream does not say:
// the stream's index and the second the conversion starts at.
using FieldProbe = std::function<FieldOrder(int streamIndex, double startSeconds)>;

void FitPicture(FfmpegPlan& plan, const StreamFacts& video, double startSeconds,
                const FieldProbe& probe, DeinterlaceChoice deinterlace,
                std::vector<std::string>& notes);

} // namespace kiv::enc
