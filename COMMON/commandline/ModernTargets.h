#pragma once
// What the command line holds for today's formats (ModernVideo and
// ModernAudio), in FFmpeg 5.1's own syntax. The lines ask for every stream
// of a kind at once (`-map 0:a?`); enc fits them to the streams the source
// really has, names what the container cannot hold, and refuses a copy that
// does not fit.
//
// Unlike the older kinds the lines keep the source's frame rate, sample
// rate and size (a named size is a box the picture is fitted into, never
// enlarged, with even sides), encode video at a constant quality, and keep
// every audio track and the subtitles.

#include "commandline/CommandLineBuilder.h"

#include <string>
#include <string_view>

namespace kiv {

// The start of the line: executable, fixed token, input. No -async/-vsync:
// the source's own timing is kept.
std::string ModernPrefix(std::string_view appFolder, std::string_view input);

// Why a job cannot be converted to a modern kind (an audio-only kind with a
// source without sound); empty when it can.
std::string ModernJobProblem(const ConversionJob& job);

// The options after the trim part, the extension and the file name's codec
// tag ("_h264_aac"); Failed for a codec the kind does not know.
TargetPart BuildModernTargetPart(const ConversionJob& job);

// A slideshow in a ModernVideo profile: the video and audio options and the
// container. The show is 16:9 at 25 fps: 1920x1080 for a profile that keeps
// the source's size or fits into Full HD, else the profile's box. Failed for
// a profile that copies streams (a show has none to copy) and for
// ModernAudio.
TargetPart ModernSlideShowPart(const MediaDescription& target, int targetKind);

} // namespace kiv
