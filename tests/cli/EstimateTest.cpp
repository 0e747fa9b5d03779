// kiv-convert --dry-run --estimate against real conversions: the expected
// size of a steady clip's output is close to the size the conversion writes.

#include "TestFiles.h"
#include "TestMedia.h"
#include "TestProcess.h"

#include <gtest/gtest.h>

#include <regex>

using namespace kiv::test;

namespace {

class Estimate : public testing::Test {
protected:
    void SetUp() override {
        home_ = ScratchFolder("kiv-estimate-home");
        out_ = home_ / "out";
    }
    ProgramResult Convert(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), BinDirectory() + "kiv-convert");
        return RunProgram(arguments, {"KIV_HOME=" + home_.string()}, std::chrono::seconds(600));
    }
    std::filesystem::path home_, out_;
};

} // namespace

TEST_F(Estimate, IsWithinAFifthOfTheConvertedSize) {
    const std::filesystem::path clip = ScratchFolder("kiv-estimate-media") / "steady.mp4";
    ASSERT_TRUE(MakeClip(clip, 60, "480x270"));
    struct Case {
        const char* format;
        const char* profile;
    };
    const Case cases[] = {
        {"To AVI/DIVX/XVID", "XVID Video"},
        {"To MP4/MKV/WebM (today's devices and the web)",
         "H.264 MP4, same size (plays everywhere)"},
        {"To audio only (MP3/AAC/FLAC/Opus/WAV)", "MP3, 192 kb/s (smaller)"},
    };
    const std::string encoder = std::string(1, '"').append(BinDirectory()).append("enc\" ");
    const std::regex line(R"re((.*)\testimate=(\d+)\tseconds=(\d+)\tabout=(\d[\d.]* [kMG]B))re");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.profile);
        ProgramResult dry = Convert({"--dry-run", "--estimate", "--format", c.format, "--profile",
                                     c.profile, "--output-dir", out_.string(), clip.string()});
        ASSERT_EQ(dry.exitStatus, 0) << dry.err;
        std::vector<std::string> lines = Lines(dry.out);
        ASSERT_EQ(lines.size(), 2u) << dry.out;
        EXPECT_EQ(lines[0].rfind(encoder, 0), 0u); // the command line
        std::smatch match;
        ASSERT_TRUE(std::regex_match(lines[1], match, line)) << lines[1];
        EXPECT_EQ(match[1], clip.string());
        EXPECT_EQ(match[3], "60");
        const double estimate = std::stod(match[2]);
        EXPECT_FALSE(std::filesystem::exists(out_)); // nothing converted there

        ProgramResult real = Convert({"--quiet", "--format", c.format, "--profile", c.profile,
                                      "--output-dir", out_.string(), clip.string()});
        ASSERT_EQ(real.exitStatus, 0) << real.err;
        const auto size = static_cast<double>(std::filesystem::file_size(Lines(real.out).at(0)));
        EXPECT_NEAR(estimate / size, 1.0, 0.2) << estimate << " for " << size;
        std::filesystem::remove_all(out_);
    }
    // The samples went with the run: only the log is left.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home_),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(Estimate, GoesWithDryRunAndSaysWhyItFails) {
    const std::filesystem::path media = ScratchFolder("kiv-estimate-media");
    ASSERT_TRUE(MakeClip(media / "short.mp4", 3));
    ProgramResult alone = Convert({"--estimate", (media / "short.mp4").string()});
    EXPECT_EQ(alone.exitStatus, 2);
    EXPECT_NE(alone.err.find("--estimate goes with --dry-run"), std::string::npos) << alone.err;

    // An FFmpeg that fails, as on a full disk: its reason is told.
    const std::filesystem::path fake = home_ / "failing-ffmpeg";
    WriteFile(fake, "#!/bin/sh\necho 'No space left on device' >&2\nexit 1\n");
    std::filesystem::permissions(fake, std::filesystem::perms::owner_all);
    std::vector<std::string> arguments = {BinDirectory() + "kiv-convert",
                                          "--dry-run",
                                          "--estimate",
                                          "--format",
                                          "8",
                                          "--output-dir",
                                          out_.string(),
                                          (media / "short.mp4").string()};
    ProgramResult failed =
        RunProgram(arguments, {"KIV_HOME=" + home_.string(), "KIV_FFMPEG=" + fake.string()});
    EXPECT_EQ(failed.exitStatus, 1);
    EXPECT_NE(failed.err.find("kiv-convert: no estimate for '" + (media / "short.mp4").string() +
                              "': enc: conversion failed (FFmpeg exit status 1): No space left "
                              "on device\n"),
              std::string::npos)
        << failed.err;
}
