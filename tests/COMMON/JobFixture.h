#pragma once
// A job with fixed source and target values for command-line tests.

#include "ConversionJob.h"
#include "FixedText.h"

#include <string>

namespace kiv::test {

inline kiv::ConversionJob MakeJob(int kind, int variant, const char* videoCodec,
                                  const char* audioCodec) {
    kiv::ConversionJob job{};
    kiv::SetText(job.sourcePath, "/in/clip.mp4");
    kiv::SetText(job.outputPath, "/out/clip");
    kiv::SetText(job.inputScriptPath, "/data/edit.avs");
    job.hasVideo = 1;
    job.hasAudio = 1;
    job.scriptInput = 0;
    job.source.videoDuration = 125.7;
    job.source.audioDuration = 61.9;
    job.targetKind = kind;
    job.target.variant = variant;
    kiv::SetText(job.target.videoCodec, videoCodec);
    kiv::SetText(job.target.audioCodec, audioCodec);
    job.target.videoBitrate = 1150;
    job.target.width = 320;
    job.target.height = 240;
    job.target.frameRate = 29.97;
    job.target.audioBitrate = 128;
    job.target.channels = 2;
    job.target.sampleRate = 44100;
    job.target.volume = 256;
    kiv::SetText(job.trimStart, "00:00:00");
    kiv::SetText(job.trimEnd, "00:01:30");
    return job;
}

// The text every command line of MakeJob starts with.
inline const std::string kPrefix =
    "\"/opt/kiv/enc\" quillon-transcode-gates  -async 24 -vsync 24 -i \"/in/clip.mp4\" -b 1150k -s "
    "320x240 -r 29.97 -scodec copy  -ab 128.00k  -ac 2 -ar 44100.00 -vol 256 -ss 00:00:00 -t 90";

} // namespace kiv::test
