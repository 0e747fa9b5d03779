#pragma once
// Fits a conversion line to its source, read through the media library:
// today's formats get their stream maps fitted (StreamFit.h), then every
// conversion line gets what the source's pictures (PictureFit.h), sound
// (SoundFit.h) and trimmed text subtitles (SubtitleTiming.h) need. A source
// the library cannot read is left to FFmpeg.

#include "FfmpegPlan.h"
#include "PictureFit.h"
#include "StreamFit.h"

#include <string>
#include <vector>

namespace kiv::enc {

// The notes are for the caller to print after the FFmpeg command (which
// stays enc's first line); false with the reason when the line cannot be
// converted. Prepared inputs in the plan are the caller's to close.
bool FitToSource(FfmpegPlan& plan, std::string& error, std::vector<std::string>& notes);

// The same with the source's streams read, FFmpeg's answer whether the
// container holds a codec, and the look at how the pictures are scanned
// given (FitToSource reads the file and asks FFmpeg).
bool FitToStreams(FfmpegPlan& plan, const std::vector<StreamFacts>& streams,
                  const HoldsFunction& holds, const FieldProbe& probe, std::string& error,
                  std::vector<std::string>& notes);

// The second a line's -ss names ("00:01:05", "65.5"); 0 for none.
double ClockSeconds(const std::string* text);

} // namespace kiv::enc
