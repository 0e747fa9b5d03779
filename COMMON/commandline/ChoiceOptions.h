#pragma once
// What the command line says of the user's choices (ConversionJob::choices,
// with the track rule and the crop already worked out for the source):
// today's formats map exactly the picked tracks; every kind gets enc's own
// options (protocol/ChoiceOptions.h) just before " -y ". A job without
// choices writes nothing here, so its line is the line of old.
//
// Each kind takes what it can carry out: crops and quarter turns only where
// the picture keeps its proportions (today's video kind), picture filters
// and burned subtitles only where the picture is converted, not copied;
// the rest is named by ChoiceNotes for the log.

#include "ConversionJob.h"

#include <optional>
#include <string>
#include <vector>

namespace kiv {

// The part of the picture the job keeps: the file's own crop, else the
// rule's box; none for a file kept whole, one without bars, or a rule
// without a crop (an automatic crop not yet worked out counts as none).
std::optional<CropBox> JobCrop(const JobChoices& choices);

// Today's video kind: " -map 0:V:0? -map 0:2 -map 0:7" for the picked
// tracks (attachments kept where the profile copies); empty when the picks
// are the profile's own.
std::string PickedVideoMaps(const TrackPicks& picks, bool copiesStreams);
// The sound alone: " -map 0:N" of the first picked track; empty when the
// picks are the profile's own.
std::string PickedSoundMap(const TrackPicks& picks);

// enc's options for the choices the job's kind carries out; empty without
// choices.
std::string ChoiceOptionText(const ConversionJob& job);

// The choices the job's kind cannot carry out, in words, for the log.
std::vector<std::string> ChoiceNotes(const ConversionJob& job);

} // namespace kiv
