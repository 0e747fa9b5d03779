#pragma once
// The batch's track rule worked out for one source's streams: which audio
// and subtitle tracks go into the output, in which order, which is the
// default, and which subtitle is burned into the picture. A file whose
// tracks the user ticked keeps exactly those; the rule is for the others.
//
// "My languages" orders the tracks by the user's languages (the first
// language's tracks first, each language in the file's order) and makes the
// first the default; a file with no audio track in them keeps its first, so
// that a rule never takes away all the sound. "Burn" prefers a forced
// subtitle (the one for the parts in a foreign language) of the user's
// languages, else the first subtitle in them.

#include "ConversionJob.h"
#include "StreamFacts.h"

#include <string>
#include <vector>

namespace kiv {

// The picks the rule makes of the streams; chosen stays 0 when the rule is
// the profile's own (every track). notes says in words what the rule could
// not do ("no audio track in German or English: the first one is kept").
// languages: the user's when the rule names none (the desktop's).
TrackPicks ResolveTrackRule(const ProfileChoices& rule, const std::vector<StreamFacts>& streams,
                            const std::vector<std::string>& desktopLanguages,
                            std::vector<std::string>& notes);

// A stream number the picks keep or burn that the source does not have, or
// whose kind is wrong; empty when every pick fits the streams.
std::string PickProblem(const TrackPicks& picks, const std::vector<StreamFacts>& streams);

// The first audio track the picks keep (its stream number), -1 for none.
int FirstPickedAudio(const TrackPicks& picks);

} // namespace kiv
