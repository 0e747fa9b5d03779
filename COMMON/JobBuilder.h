#pragma once
// Completes a probed job for conversion: the target half from the working
// profile, the output base path, the trim texts and the input script path.
// The window's batch and kiv-convert both build their jobs here.

#include "ConversionJob.h"
#include "MediaProfile.h"

#include <string>
#include <string_view>

namespace kiv {

// The output base name of a source: its file name up to the first dot
// ("clip.part1.avi" gives "clip"). A name whose first dot leads it keeps the
// part before its last dot, and a name without a usable base keeps itself, so
// an output never becomes a hidden ".ext" file.
std::string OutputBaseName(std::string_view sourcePath);

// Fills the target half and the target kind from a profile: codec names in
// the encoder's spelling, "Original" frame size takes the source's size,
// aspect "Original" leaves the aspect empty, channels = ChannelIndex + 1.
void FillJobTarget(ConversionJob& job, const MediaProfile& profile, int targetKind);

struct JobPlan {
    std::string outputFolder;
    std::string trimStart; // "%02d:%02d:%02d" or empty
    std::string trimEnd;
    std::string inputScriptPath;
};

// Fills target half, target kind, output path (folder, separator, base
// name), trim texts and input script path. Returns false with a reason when
// a text does not fit its field; the job is then not to be converted.
bool PrepareJobForConversion(ConversionJob& job, const MediaProfile& profile, int targetKind,
                             const JobPlan& plan, std::string* reason = nullptr);

} // namespace kiv
