#pragma once
// The user's choices on a conversion line (EncChoiceOptions.h) carried out
// with what enc knows of the source, as steps of FitToSource:
//
//   1. CheckChoices: every stream a choice names is there and of its kind,
//      and a crop box lies inside the picture; otherwise the line fails
//      with the reason.
//   2. PlaceChoiceFilters, before the streams are fitted: the picture
//      filters go in front of the line's own -vf (its size), in the order
//      crop, denoise, deblock, black and white, [picture subtitles], turn,
//      flip, [text subtitles]; what the source needs (deinterlacing, an HDR
//      tone map) is put in front of them later, so it comes first.
//   3. MapSoundTrack, after the streams are fitted: an older kind's line
//      takes the chosen sound (and its picture) by number.
//   4. DefaultDispositions, once the maps are final: the named tracks are
//      the default of their kind, the others not.
//   5. BurnSubtitles, last: a text subtitle is read as ASS (cut to the
//      trim) into a memory file that libass draws from; a picture
//      subtitle is laid over the picture in a filter graph, its top half
//      moved down and its bottom half up by the bars cropped away, so a
//      subtitle placed in a black bar lands inside the picture.

#include "FfmpegPlan.h"
#include "StreamFacts.h"

#include <optional>
#include <string>
#include <vector>

namespace kiv::enc {

enum class DeinterlaceChoice { Auto, Always, Never };

// The choices the line makes, read once.
struct LineChoices {
    std::optional<int> audioTrack;
    std::vector<int> defaultTracks;
    std::optional<int> burn;
    std::optional<std::string> crop; // "W:H:X:Y"
    std::string denoise;
    bool deblock = false;
    bool grayscale = false;
    int turn = 0;
    std::string flip;
    DeinterlaceChoice deinterlace = DeinterlaceChoice::Auto;
};

// False with the reason for a value enc does not know.
bool ReadLineChoices(const FfmpegPlan& plan, LineChoices& choices, std::string& error);

// video: the source picture the line converts (nullptr for none).
bool CheckChoices(const LineChoices& choices, const std::vector<StreamFacts>& streams,
                  const StreamFacts* video, std::string& error);

// The filter text of the denoise strength ("hqdn3d=..."), empty for none.
std::string DenoiseFilter(const std::string& strength);

void PlaceChoiceFilters(FfmpegPlan& plan, const LineChoices& choices,
                        const std::vector<StreamFacts>& streams, std::vector<std::string>& notes);

// An older kind's line (without maps): the picture and the chosen sound by
// number. Returns whether maps were added.
bool MapSoundTrack(FfmpegPlan& plan, const LineChoices& choices, const StreamFacts* video);

// The per-output dispositions the default tracks ask for, worked out from
// the line's explicit maps; applied by ApplyDispositions after anything
// else that sets dispositions.
std::vector<PlanOption> DefaultDispositions(const FfmpegPlan& plan, const LineChoices& choices,
                                            const std::vector<StreamFacts>& streams);
void ApplyDispositions(FfmpegPlan& plan, const std::vector<PlanOption>& dispositions);

// Draws the chosen subtitle into the picture. start and length: the part
// converted (length 0: to the end); audio: the sound the output takes, for
// a line that names no streams. False with the reason when the subtitle
// cannot be read.
bool BurnSubtitles(FfmpegPlan& plan, const LineChoices& choices,
                   const std::vector<StreamFacts>& streams, const StreamFacts* video, double start,
                   double length, const std::vector<const StreamFacts*>& audio, std::string& error,
                   std::vector<std::string>& notes);

} // namespace kiv::enc
