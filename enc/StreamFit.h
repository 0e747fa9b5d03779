#pragma once
// Fits the stream maps of a line to the streams the source really holds.
// Only today's formats write -map ("-map 0:V:0? -map 0:a? -map 0:s?" for a
// conversion, "-map 0" for a copy, "-map 0:a:0" for the sound alone); the
// lines of the older kinds pass untouched.
//
// Every stream a map selects is kept when the container can hold it: text
// subtitles become the container's own text format where a copy cannot go,
// picture subtitles, data streams and the like are left out and named. A
// copied audio or video stream the container cannot hold, or a turned phone
// video copied into Matroska (which would lose the turn), fails with the
// reason. The maps become one "-map 0:N" per kept stream, so FFmpeg is
// never left to guess.

#include "FfmpegPlan.h"
#include "StreamFacts.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kiv::enc {

// FFmpeg's answer whether a muxer holds a codec: 1 yes, 0 no, negative
// unknown (then the stream is tried).
using HoldsFunction = std::function<int(const std::string& format, const std::string& codec)>;

struct StreamFit {
    std::string error;              // not empty: the line cannot be converted
    std::vector<std::string> notes; // one line per source stream not kept
};

// True when the line asks for streams by -map.
bool MapsStreams(const FfmpegPlan& plan);

// The stream number of a map of one stream of the first input ("0:3"), as
// FitStreams writes them; nothing for any other map.
std::optional<int> MappedStreamNumber(const std::string& map);

StreamFit FitStreams(FfmpegPlan& plan, const std::vector<StreamFacts>& streams,
                     const HoldsFunction& holds);

} // namespace kiv::enc
