#pragma once
// What the source's sound needs beyond what the line asks:
// - channels are kept where the codec carries them (FLAC, WAV, Opus and AAC
//   keep 5.1 and 7.1, with the bit rate the profile names for two channels
//   raised for the others, in the layout the codec takes); a codec that
//   carries fewer (MP3: two) and a profile that names a count down-mix, and
//   the note says so; mono stays mono;
// - the sound alone keeps the title and artist a player shows.
// Lines of today's formats say per output stream what applies to it; the
// older kinds' lines have one sound stream, the one FFmpeg picks.

#include "FfmpegPlan.h"
#include "StreamFacts.h"

#include <string>
#include <vector>

namespace kiv::enc {

// audio: the source's streams in the order the output holds them.
// perStream: the line maps its streams (today's formats).
void FitSound(FfmpegPlan& plan, const std::vector<const StreamFacts*>& audio, bool perStream,
              std::vector<std::string>& notes);

// The sound alone keeps the title and artist of the first sound stream.
void KeepTitles(FfmpegPlan& plan, const StreamFacts& audio);

} // namespace kiv::enc
