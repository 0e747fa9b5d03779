#include "runs/JobBuilder.h"
#include "Catalogue.h"
#include "FixedText.h"

#include <gtest/gtest.h>

using namespace kiv;

TEST(JobBuilder, OutputBaseNames) {
    EXPECT_EQ(OutputBaseName("/v/clip.part1.avi"), "clip");
    EXPECT_EQ(OutputBaseName("/v/clip.part2.avi"), "clip");
    EXPECT_EQ(OutputBaseName("/v/a.b.avi"), "a");
    EXPECT_EQ(OutputBaseName("/v.x/movie"), "movie");
    EXPECT_EQ(OutputBaseName("/v/.hidden.avi"), ".hidden");
    EXPECT_EQ(OutputBaseName("/v/.hidden"), ".hidden");
}

TEST(JobBuilder, TargetHalfFromProfiles) {
    ConversionJob job{};
    job.source.width = 641;
    job.source.height = 359;
    MediaProfile h264;
    ASSERT_TRUE(GetProfile(0, 3, h264)); // "Original" size and aspect
    FillJobTarget(job, h264, 1);
    EXPECT_EQ(job.target.width, 641);
    EXPECT_EQ(job.target.height, 359);
    EXPECT_EQ(GetText(job.target.aspect), "");
    EXPECT_EQ(GetText(job.target.videoCodec), "libx264");
    EXPECT_EQ(GetText(job.target.audioCodec), "libmp3lame");
    EXPECT_EQ(job.target.videoBitrate, 1200);
    EXPECT_DOUBLE_EQ(job.target.frameRate, 29.97);
    EXPECT_DOUBLE_EQ(job.target.audioBitrate, 192);
    EXPECT_DOUBLE_EQ(job.target.sampleRate, 44100);
    EXPECT_EQ(job.target.channels, 2);
    EXPECT_EQ(job.target.volume, 256);
    EXPECT_EQ(job.target.variant, -1);
    EXPECT_EQ(job.targetKind, 1);

    MediaProfile amr;
    ASSERT_TRUE(GetProfile(8, 1, amr));
    FillJobTarget(job, amr, 9);
    EXPECT_EQ(job.target.width, 176);
    EXPECT_EQ(job.target.height, 144);
    EXPECT_EQ(GetText(job.target.audioCodec), "libamr_nb");
    EXPECT_DOUBLE_EQ(job.target.audioBitrate, 12.2);
    EXPECT_EQ(job.target.channels, 1);

    MediaProfile dvd;
    ASSERT_TRUE(GetProfile(4, 0, dvd));
    FillJobTarget(job, dvd, 3);
    EXPECT_EQ(GetText(job.target.aspect), "4:3");
    EXPECT_EQ(GetText(job.target.videoCodec), "pal-dvd");
}

TEST(JobBuilder, PreparesPathsAndTrimsAndRefusesOverlongTexts) {
    ConversionJob job{};
    SetText(job.sourcePath, "/videos/holiday.2019.mov");
    MediaProfile profile;
    ASSERT_TRUE(GetProfile(5, 2, profile));
    std::string reason;
    ASSERT_TRUE(PrepareJobForConversion(
        job, profile, 4, {"/out/", "00:00:05", "00:00:09", "/data/edit.avs"}, &reason));
    EXPECT_EQ(GetText(job.outputPath), "/out/holiday");
    EXPECT_EQ(GetText(job.trimStart), "00:00:05");
    EXPECT_EQ(GetText(job.trimEnd), "00:00:09");
    EXPECT_EQ(GetText(job.inputScriptPath), "/data/edit.avs");
    EXPECT_EQ(GetText(job.target.videoCodec), "mpeg4");
    EXPECT_EQ(job.targetKind, 4);
    ASSERT_TRUE(PrepareJobForConversion(job, profile, 4, {"/out", "", "", "/e.avs"}));
    EXPECT_EQ(GetText(job.outputPath), "/out/holiday");

    EXPECT_FALSE(PrepareJobForConversion(
        job, profile, 4, {"/" + std::string(1100, 'd'), "", "", "/e.avs"}, &reason));
    EXPECT_NE(reason.find("The output path is longer than 1023 characters"), std::string::npos);
}
