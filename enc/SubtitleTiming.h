#pragma once
// Text subtitles of a trimmed conversion, cut and shifted with the trim.
// FFmpeg 5.1 seeks a subtitle stream to the cue before the trim's start and
// keeps that cue whole: it lands at a negative time, the muxer moves every
// stream to make room, and a cue running past the trim's end lengthens the
// file. enc therefore reads each kept text subtitle stream itself (as ASS,
// around the trim), keeps the part of every cue that falls inside the trim,
// shifts it to the output's time, and hands FFmpeg the result as an input of
// its own; the stream's tags and marks stay the source stream's. Picture
// subtitles, which cannot be cut, lose a cue that began before the trim.

#include "FfmpegPlan.h"
#include "StreamFacts.h"

#include <string>
#include <vector>

namespace kiv::enc {

// The ASS script with each dialogue line's part within [start, start +
// length) kept, at its time less start; lines outside go. Everything else
// (styles, comments) stays as it is.
std::string CutAssScript(const std::string& script, double startSeconds, double lengthSeconds);

// A text subtitle stream as an ASS script in a memory file (its descriptor,
// 10 or above; -1 when it cannot be read), its times as the conversion
// counts them: with a length, the cues within [start, start + length)
// shifted to the output's time; without one (0), the whole stream.
int PrepareAssScript(const std::string& path, int streamIndex, double start, double length);

// For a line of today's formats whose explicit maps keep text subtitles
// and which trims the source: re-timed subtitles as prepared inputs (their
// descriptors are the caller's to close). A stream that cannot be read
// that way is copied as before, without the cue that began before the trim.
void CutSubtitlesToTrim(FfmpegPlan& plan, const std::vector<StreamFacts>& streams,
                        double startSeconds, double lengthSeconds);

} // namespace kiv::enc
