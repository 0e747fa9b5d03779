#include "E2ESupport.h"

#include "CFFmpegEncoder.h"
#include "CommandLine.h"
#include "FixedText.h"
#include "Settings.h"
#include "media/MediaDetector.h"
#include "runs/JobBuilder.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

namespace kiv::e2e {

namespace {

void IgnoreProgress(int, void*) {}

} // namespace

Conversion Convert(const MediaProfile& profile, int targetKind, const std::string& source,
                   const std::string& outputFolder) {
    Conversion conversion;
    std::filesystem::remove_all(outputFolder);
    std::filesystem::create_directories(outputFolder);

    MediaFacts facts;
    EXPECT_EQ(DetectMedia(source, facts), 0) << source;
    ConversionJob job{};
    SetText(job.sourcePath, source);
    job.hasVideo = facts.hasVideo;
    job.hasAudio = facts.hasAudio;
    job.scriptInput = facts.hasVideo; // the detector stage reads sources with video
    job.source.width = facts.width;
    job.source.height = facts.height;
    job.source.frameRate = facts.frameRate;
    job.source.videoDuration = facts.duration + 1.0;
    job.source.audioDuration = facts.duration + 1.0;
    job.source.sampleRate = facts.sampleRate;
    job.source.channels = facts.channels;
    SetText(job.source.audioCodec, facts.audioCodec);
    std::string reason;
    JobPlan plan{outputFolder, "00:00:00", "00:00:02", outputFolder + "/edit.avs"};
    EXPECT_TRUE(PrepareJobForConversion(job, profile, targetKind, plan, &reason)) << reason;

    CFFmpegEncoder encoder;
    EncoderInit init{};
    init.scriptInput = 1;
    init.callback = IgnoreProgress;
    SetText(init.appFolder, ProgramDirectory());
    EXPECT_EQ(encoder.bInit(&init), 1);
    conversion.prepared = encoder.bPrepareConvert(&job) == 1;
    conversion.commandLine = encoder.CommandLine();
    conversion.progressTotal = encoder.ProgressTotal();
    conversion.outputPath = std::string(GetText(job.outputPath));
    if (!conversion.prepared) {
        conversion.reason = encoder.LastResult().reason;
        return conversion;
    }
    conversion.run = test::RunProcess(SplitCommandLine(conversion.commandLine));
    conversion.output = test::Inspect(conversion.outputPath);
    return conversion;
}

void ExpectOutput(const Conversion& conversion, const Expectation& expected) {
    ASSERT_TRUE(conversion.prepared) << conversion.commandLine;
    SCOPED_TRACE("command line: " + conversion.commandLine);
    SCOPED_TRACE("enc said:\n" + conversion.run.output);
    ASSERT_EQ(conversion.run.exitCode, 0);
    const test::MediaInspection& output = conversion.output;
    ASSERT_TRUE(output.opened) << conversion.outputPath;
    EXPECT_EQ(output.format, expected.format);
    if (!expected.majorBrand.empty()) {
        EXPECT_EQ(output.majorBrand, expected.majorBrand);
    }
    EXPECT_EQ(output.videoCodec, expected.videoCodec);
    if (!expected.videoCodec.empty()) {
        EXPECT_EQ(output.width, expected.width);
        EXPECT_EQ(output.height, expected.height);
    }
    EXPECT_EQ(output.audioCodec, expected.audioCodec);
    if (!expected.audioCodec.empty()) {
        EXPECT_EQ(output.sampleRate, expected.sampleRate);
        EXPECT_EQ(output.channels, expected.channels);
    }
    EXPECT_LE(std::fabs(output.seconds - kClipSeconds), kSecondsTolerance)
        << "length " << output.seconds << " s";

    // The status lines: the program's both formats read the same seconds,
    // and the last one is near the end of the clip.
    std::vector<int> audioSeconds = test::StatusSeconds(conversion.run.output, false);
    std::vector<int> videoSeconds = test::StatusSeconds(conversion.run.output, true);
    EXPECT_EQ(audioSeconds, videoSeconds);
    ASSERT_FALSE(videoSeconds.empty());
    EXPECT_GE(videoSeconds.back(), 1);
    EXPECT_LE(videoSeconds.back(), 2);
    EXPECT_EQ(conversion.progressTotal, 2);
}

} // namespace kiv::e2e
