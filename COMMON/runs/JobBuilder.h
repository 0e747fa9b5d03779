#pragma once
// Completes a probed job for conversion: the target half from the working
// profile, the output base path, the trim texts and the input script path.
// The window's batch and kiv-convert both build their jobs here.

#include "ConversionJob.h"
#include "MediaProfile.h"

#include <string>
#include <string_view>

namespace kiv {

class CEncoderCntl;

// The output base name of a source: its file name up to the first dot
// ("clip.part1.avi" gives "clip"). A name whose first dot leads it keeps the
// part before its last dot, and a name without a usable base keeps itself, so
// an output never becomes a hidden ".ext" file.
std::string OutputBaseName(std::string_view sourcePath);

// Fills the target half and the target kind from a profile: codec names in
// the encoder's spelling, "Original" frame size takes the source's size (0x0
// for today's formats, which keep it themselves), aspect "Original" leaves
// the aspect empty, channels = ChannelIndex + 1. A frame rate, sample rate
// or channel index "Original" reads as 0: keep the source's.
void FillJobTarget(ConversionJob& job, const MediaProfile& profile, int targetKind);

struct JobPlan {
    std::string outputFolder;
    std::string trimStart; // "%02d:%02d:%02d" or empty
    std::string trimEnd;
    std::string inputScriptPath;
    ProfileChoices choices{}; // the batch's tracks rule and picture filters
};

// True when a trim range can be converted: an empty end means "to the end";
// otherwise the end must lie after the start. False with the reason.
bool CheckTrimRange(std::string_view start, std::string_view end, std::string* reason = nullptr);

// Fills target half, target kind, output path (folder, separator, base
// name), trim texts, input script path and the batch's choices (the file's
// own picks and crop stay). Returns false with a reason when
// a text does not fit its field or the trim range is empty; the job is then
// not to be converted.
bool PrepareJobForConversion(ConversionJob& job, const MediaProfile& profile, int targetKind,
                             const JobPlan& plan, std::string* reason = nullptr);

// Probes a newly added file into a cleared job, as adding it to the list
// does: the source half, the stream flags, the source path, and the audio
// duration taken from the video duration when the file has video or was read
// in process. Returns the probe's result (1 when the job describes the file).
int ProbeIntoJob(CEncoderCntl& controller, const std::string& path, ConversionJob& job);

// The end of the whole file as a trim end, in whole seconds: the probe's
// duration, which carries one second more than measured. An untrimmed
// file converts to it, so its -t keeps the added second (harmless: FFmpeg
// stops at the end of the input).
int WholeFileEndSeconds(const ConversionJob& job);

// The duration shown for a probed job: the file's length rounded to the
// nearest second, as players show it (the probe's duration without its
// added second).
int DisplayedDurationSeconds(const ConversionJob& job);

} // namespace kiv
