#pragma once
// The pieces of the encoder command line: fixed option texts and job values
// appended in a fixed order. Every text is exact, blanks included.

#include "ConversionJob.h"

#include <string>
#include <string_view>

namespace kiv {

// "%.2f" independent of the process locale.
std::string FixedTwo(double value);

std::string CommandPrefix(std::string_view appFolder, std::string_view input);
std::string VideoPart(const MediaDescription& target);
std::string AudioPart(const MediaDescription& target);

// Volume and trim options; sets the progress total in whole seconds.
std::string VolumeTrimPart(const ConversionJob& job, int& progressTotal);
// The trim options alone (" -ss" and " -t"), with the same progress total.
std::string TrimPart(const ConversionJob& job, int& progressTotal);

// Seconds of a "%02d:%02d:%02d" text; unreadable fields count as 0.
int TrimSeconds(std::string_view text);

struct TargetPart {
    enum Result { NoBuilder, Failed, Built } result = NoBuilder;
    std::string options;    // written before " -y "
    std::string extension;  // may be empty
    bool audioOnly = false; // no codec names in the file name
    std::string nameTag;    // when set, the file name's codec part instead of the job's
};

// The format and codec options and the file extension of the job's kind.
TargetPart BuildTargetPart(const ConversionJob& job);

// The option sets of the MP4 (kind 4) and PSP (kind 8) variants; empty for
// a variant without one. Slideshows reuse some of them.
const char* Mp4OptionSet(int variant);
const char* PspOptionSet(int variant);

// The final output file name the target part names; suffix goes just before
// the extension (" (2)" for a second file of the same name).
std::string FinalOutputPath(const ConversionJob& job, const TargetPart& part,
                            std::string_view suffix = {});

} // namespace kiv
