// enc converting for real: the first line, the status lines, a stop by "q"
// or by a signal, failures that leave no file, and input scripts.

#include "CommandLine.h"
#include "EncTestSupport.h"
#include "InputScriptFormat.h"
#include "PartialKeptLine.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace kiv::test {
namespace {

namespace fs = std::filesystem;

// The DIVX AVI line of the catalogue, with the program's blanks.
std::vector<std::string> DivxLine(const std::string& input, const std::string& output,
                                  const std::string& length = "2",
                                  const std::string& videoCodec = "mpeg4") {
    return SplitCommandLine(" -async 24 -vsync 24 -i \"" + input +
                            "\" -b 1150k -s 320x240 -r 29.97 -scodec copy  -ab 192.00k  -ac 2 -ar "
                            "44100.00 -vol 256 -ss 00:00:00 -t " +
                            length + " -f avi -vcodec  " + videoCodec +
                            " -vtag divx  -acodec libmp3lame -y \"" + output + "\"");
}

// A slower line (H.264 at 640x480) for stop tests on the long source.
std::vector<std::string> SlowLine(const std::string& input, const std::string& output) {
    return SplitCommandLine(" -async 24 -vsync 24 -i \"" + input +
                            "\" -b 1500k -s 640x480 -r 30.00 -scodec copy  -ab 160.00k  -ac 2 -ar "
                            "48000.00 -vol 256 -ss 00:00:00 -t 40 -f mp4  -vcodec libx264 -acodec "
                            "libfaac -qmin 10 -qmax 31 -level 21 -g 250 -coder 0 -maxrate 6000k "
                            "-bufsize 10M  -y \"" +
                            output + "\"");
}

std::string FirstLine(const std::string& output) {
    return output.substr(0, output.find('\n'));
}

// Temporary files enc left in a folder.
int LeftoverTemporaries(const std::string& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        count += entry.path().filename().string().find(".kivtmp-") != std::string::npos;
    return count;
}

std::string FreshFolder(const std::string& name) {
    std::string folder = ScratchFolder(name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

// Sends "q" and nine zero bytes once a status line shows at least a second.
OutputWatcher StopAfterOneSecond(bool& sent) {
    return [&sent](const std::string& output, const ProcessControl& control) {
        if (!sent && !StatusSeconds(output, true).empty() &&
            StatusSeconds(output, true).back() >= 1) {
            static const char kQuit[10] = {'q'};
            ASSERT_EQ(::write(control.input, kQuit, sizeof kQuit), 10);
            sent = true;
        }
    };
}

TEST(EncRunTest, ConvertsAndPrintsCommandThenStatusLines) {
    std::string folder = FreshFolder("run convert");
    std::string output = folder + "/clip_divx_libmp3lame.avi";
    ProcessResult result = RunEnc(DivxLine(VideoSource(), output));
    ASSERT_EQ(result.exitCode, 0) << result.output;

    std::vector<std::string> command = SplitCommandLine(FirstLine(result.output));
    ASSERT_GE(command.size(), 6u);
    EXPECT_EQ(command[0], "ffmpeg");
    EXPECT_EQ(JoinForDisplay(command), FirstLine(result.output));
    EXPECT_EQ(std::find(command.begin(), command.end(), "-nostdin"), command.end());
    EXPECT_NE(FirstLine(result.output).find("\"" + folder + "/.clip_divx_libmp3lame.kivtmp-"),
              std::string::npos)
        << "the folder holds a blank, so the output argument is quoted";

    std::vector<int> audioSeconds = StatusSeconds(result.output, false);
    std::vector<int> videoSeconds = StatusSeconds(result.output, true);
    ASSERT_FALSE(videoSeconds.empty());
    EXPECT_EQ(audioSeconds, videoSeconds);
    EXPECT_EQ(videoSeconds.back(), 2);
    EXPECT_TRUE(std::is_sorted(videoSeconds.begin(), videoSeconds.end()));

    MediaInspection inspection = Inspect(output);
    EXPECT_EQ(inspection.format, "avi");
    EXPECT_EQ(inspection.videoCodec, "mpeg4");
    EXPECT_EQ(inspection.audioCodec, "mp3");
    EXPECT_NEAR(inspection.seconds, 2.0, 0.15);
    EXPECT_EQ(LeftoverTemporaries(folder), 0);
}

TEST(EncRunTest, StatusLinesCountOutputTimeOnLongRuns) {
    std::string folder = FreshFolder("run long");
    std::string output = folder + "/long_divx_libmp3lame.avi";
    ProcessResult result = RunEnc(SplitCommandLine(
        " -async 24 -vsync 24 -i \"" + LongVideoSource() +
        "\" -b 1150k -s 640x480 -r 25.00 -scodec copy  -ab 128.00k  -ac 2 -ar 44100.00 -vol 256 "
        "-ss 00:00:10 -t 30 -vcodec wmv2 -acodec wmav2 -y \"" +
        folder + "/long.wmv\""));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    std::vector<int> seconds = StatusSeconds(result.output, true);
    EXPECT_EQ(seconds, StatusSeconds(result.output, false));
    ASSERT_FALSE(seconds.empty());
    EXPECT_TRUE(std::is_sorted(seconds.begin(), seconds.end()));
    // Output time from 0 at the trim start: the last packet starts just before 30 s.
    EXPECT_GE(seconds.back(), 29);
    EXPECT_LE(seconds.back(), 30);
    EXPECT_LT(seconds.front(), 29);
    EXPECT_NEAR(Inspect(folder + "/long.wmv").seconds, 30.0, 0.2);
}

// A stop cuts the run short: what FFmpeg wrote is a finished, playable file
// kept under the partial name enc's last line names, and an earlier file of
// the requested name stays as it was.
TEST(EncRunTest, QuitKeepsAPlayablePartialFileBesideAnEarlierOne) {
    std::string folder = FreshFolder("run stop");
    std::string output = folder + "/stopped_libx264_libfaac.mp4";
    WriteFile(output, "an earlier conversion");
    bool sent = false;
    ProcessResult result = RunEnc(SlowLine(LongVideoSource(), output), StopAfterOneSecond(sent));
    ASSERT_TRUE(sent) << result.output;
    EXPECT_EQ(result.exitCode, 0) << result.output;
    const std::string partial = folder + "/stopped_libx264_libfaac (partial).mp4";
    EXPECT_EQ(Lines(result.output).back() + "\n", PartialKeptLine(partial));
    EXPECT_EQ(ReadFile(output), "an earlier conversion");
    MediaInspection inspection = Inspect(partial);
    EXPECT_EQ(inspection.videoCodec, "h264");
    EXPECT_GT(inspection.seconds, 0.5);
    EXPECT_LT(inspection.seconds, 35.0) << "the run ended early";
    EXPECT_TRUE(DecodesCleanly(partial));
    EXPECT_EQ(LeftoverTemporaries(folder), 0);
}

TEST(EncRunTest, TerminateSignalIsAStopThatKeepsThePartialFile) {
    std::string folder = FreshFolder("run signal");
    std::string output = folder + "/signalled.mp4";
    bool sent = false;
    OutputWatcher terminate = [&sent](const std::string& text, const ProcessControl& control) {
        std::vector<int> seconds = StatusSeconds(text, true);
        if (!sent && !seconds.empty() && seconds.back() >= 1) {
            ::kill(control.pid, SIGTERM);
            sent = true;
        }
    };
    ProcessResult result = RunEnc(SlowLine(LongVideoSource(), output), terminate);
    ASSERT_TRUE(sent);
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_FALSE(fs::exists(output));
    EXPECT_LT(Inspect(folder + "/signalled (partial).mp4").seconds, 35.0);
    EXPECT_TRUE(DecodesCleanly(folder + "/signalled (partial).mp4"));
    EXPECT_EQ(LeftoverTemporaries(folder), 0);
}

TEST(EncRunTest, FailedRunLeavesNoFileAndKeepsAnOlderOne) {
    std::string folder = FreshFolder("run failure");
    std::string output = folder + "/clip_nosuchencoder_libmp3lame.avi";
    WriteFile(output, "an earlier conversion");
    ProcessResult result = RunEnc(DivxLine(VideoSource(), output, "2", "nosuchencoder"));
    EXPECT_NE(result.exitCode, 0);
    EXPECT_EQ(ReadFile(output), "an earlier conversion");
    EXPECT_EQ(LeftoverTemporaries(folder), 0);
    std::vector<std::string> lines = Lines(result.output);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().rfind("enc: conversion failed (FFmpeg exit status ", 0), 0u)
        << lines.back();
    EXPECT_NE(lines.back().find("nosuchencoder"), std::string::npos) << lines.back();

    fs::remove(output);
    result = RunEnc(DivxLine(VideoSource(), output, "2", "nosuchencoder"));
    EXPECT_NE(result.exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(output));
}

// A disc with many languages: more tracks than the first guess of the
// stream list holds, and every one of them comes out.
TEST(EncRunTest, EveryStreamIsKeptHoweverMany) {
    std::string folder = FreshFolder("run many streams");
    std::string source = folder + "/languages.mkv";
    std::vector<std::string> make = {"-f", "lavfi", "-i", "anullsrc=r=8000:cl=mono", "-t", "0.2"};
    for (int track = 0; track < 70; ++track)
        make.insert(make.end(), {"-map", "0:a"});
    make.insert(make.end(), {"-c:a", "pcm_s16le"});
    ASSERT_TRUE(MakeMedia(source, make));
    ASSERT_EQ(Inspect(source).audioTracks, 70);
    std::string output = folder + "/languages_copy.mkv";
    ProcessResult result = RunEnc({"-i", source, "-map", "0", "-c:v", "copy", "-c:a", "copy",
                                   "-c:s", "copy", "-f", "matroska", "-y", output});
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(Inspect(output).audioTracks, 70);
    EXPECT_NE(FirstLine(result.output).find(" -map 0:69 "), std::string::npos);
}

TEST(EncRunTest, MissingInputFails) {
    std::string folder = FreshFolder("run missing");
    ProcessResult result = RunEnc(DivxLine(folder + "/none.mp4", folder + "/x.avi"));
    EXPECT_NE(result.exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(folder + "/x.avi"));
    EXPECT_EQ(LeftoverTemporaries(folder), 0);
}

TEST(EncRunTest, InputScriptOpensTheNamedFile) {
    std::string folder = FreshFolder("run script");
    std::string script = folder + "/edit.avs";
    WriteFile(script, InputScriptText(ScriptClass::B, VideoSource()));
    std::string output = folder + "/clip_divx_libmp3lame.avi";
    ProcessResult result = RunEnc(DivxLine(script, output));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_NE(FirstLine(result.output).find(" -i " + VideoSource() + " "), std::string::npos);
    EXPECT_NEAR(Inspect(output).seconds, 2.0, 0.15);
}

TEST(EncRunTest, OtherScriptsAreRefusedInOneLine) {
    std::string folder = FreshFolder("run slideshow");
    std::string script = folder + "/kiv.avs";
    WriteFile(script, "LoadPlugin(\"/app/zoom.dll\")\nVersion()\n");
    ProcessResult result =
        RunEnc(SplitCommandLine("-i \"" + script + "\"  -y \"" + folder + "/123.mpg\""));
    EXPECT_NE(result.exitCode, 0);
    ASSERT_EQ(Lines(result.output).size(), 1u) << result.output;
    EXPECT_EQ(result.output.rfind("enc: cannot run the AviSynth script " + script, 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(folder + "/123.mpg"));
    // A slideshow script that lacks what it must name fails the same way.
    WriteFile(script, "LoadPlugin(\"/app/zoom.dll\")\nSFH = 462\nimgout.ImageWriter(\"x\")\n");
    result = RunEnc(SplitCommandLine("-i \"" + script + "\"  -y \"" + folder + "/123.mpg\""));
    EXPECT_NE(result.exitCode, 0);
    ASSERT_EQ(Lines(result.output).size(), 1u) << result.output;
    EXPECT_EQ(result.output.rfind("enc: cannot render the slideshow script " + script + ": ", 0),
              0u);
}

TEST(EncRunTest, WrongFirstTokenIsAUsageError) {
    ProcessResult result = RunProcess({EncPath(), "-i", "a.mp4", "b.avi"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.output.rfind("usage: enc quillon-transcode-gates", 0), 0u);
}

TEST(EncRunTest, FfmpegThatCannotStart) {
    std::string folder = FreshFolder("run no ffmpeg");
    ::setenv("KIV_FFMPEG", "/nonexistent/ffmpeg", 1);
    ProcessResult result = RunEnc(DivxLine(VideoSource(), folder + "/x.avi"));
    ::unsetenv("KIV_FFMPEG");
    EXPECT_NE(result.exitCode, 0);
    EXPECT_EQ(FirstLine(result.output).rfind("/nonexistent/ffmpeg -hide_banner", 0), 0u);
    EXPECT_NE(result.output.find("enc: cannot start /nonexistent/ffmpeg"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder + "/x.avi"));
    EXPECT_EQ(LeftoverTemporaries(folder), 0);
}

} // namespace
} // namespace kiv::test
