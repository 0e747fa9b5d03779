#include "commandline/InputScript.h"
#include "CFFmpegEncoder.h"
#include "EncoderTestSupport.h"
#include "JobFixture.h"
#include "Log.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

TEST(InputScript, ClassesByExtensionWithoutRegardToCase) {
    struct Case {
        const char* path;
        ScriptClass expected;
    } cases[] = {
        {"/v/a.rm", ScriptClass::A},        {"/v/a.RMVB", ScriptClass::A},
        {"/v/clip.WMV", ScriptClass::A},    {"/v/a.asf", ScriptClass::A},
        {"/v/a.ram", ScriptClass::A},       {"/v/a.mp4", ScriptClass::B},
        {"/v/a.MoV", ScriptClass::B},       {"/v/clip.mpeg", ScriptClass::Direct},
        {"/v/a.avi", ScriptClass::Direct},  {"/v/a.3gp", ScriptClass::Direct},
        {"/v/a.h264", ScriptClass::Direct}, {"/v/clip.mpe", ScriptClass::C},
        {"/v/noextension", ScriptClass::C}, {"/v.d/noextension", ScriptClass::C},
        {"/v/a.mkv", ScriptClass::C},       {"/v/x.avi.mp4", ScriptClass::B},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifySource(c.path), c.expected) << c.path;
}

TEST(InputScript, ThreeExactLinesPerClass) {
    auto folder = ScratchFolder("input-script");
    auto script = (folder / "edit.avs").string();
    EXPECT_EQ(WriteInputScript(script, "/v/movie.wmv"), ScriptWrite::Written);
    EXPECT_EQ(ReadFile(script), "LoadPlugin(\"DirectShowSource.dll\")\n"
                                "DirectShowSource(\"/v/movie.wmv\", fps=23.976, convertfps=true )\n"
                                "return last");
    EXPECT_EQ(WriteInputScript(script, "/v/movie.MP4"), ScriptWrite::Written);
    EXPECT_EQ(ReadFile(script),
              "LoadPlugin(\"DirectShowSource.dll\")\n"
              "DirectShowSource(\"/v/movie.MP4\", fps=23.976, convertfps=false )\n"
              "return last");
    EXPECT_EQ(WriteInputScript(script, "/v/movie.mkv"), ScriptWrite::Written);
    EXPECT_EQ(ReadFile(script), "LoadPlugin(\"DirectShowSource.dll\")\n"
                                "DirectShowSource(\"/v/movie.mkv\")\n"
                                "return last");
    EXPECT_EQ(WriteInputScript(script, "/v/movie.mpg"), ScriptWrite::NotNeeded);
    EXPECT_EQ(ReadFile(script).find("movie.mpg"), std::string::npos); // untouched
    EXPECT_EQ(WriteInputScript("/nonexistent-dir/edit.avs", "/v/movie.wmv"), ScriptWrite::Failed);
}

TEST(InputScript, ThePreparationUsesTheScriptOnlyWhenProbeAndSwitchAllowIt) {
    auto folder = ScratchFolder("input-script-prepare");
    ASSERT_TRUE(OpenLog((folder / "kiv.dmp").string()));
    auto script = (folder / "edit.avs").string();
    ProgressRecord record;
    EncoderInit init = MakeInit(record, "/opt/kiv/", 1);
    CFFmpegEncoder encoder;
    ASSERT_EQ(encoder.bInit(&init), 1);

    auto prepare = [&](const char* source, int scriptInput) {
        ConversionJob job = MakeJob(12, 0, "x", "y");
        SetText(job.sourcePath, source);
        SetText(job.inputScriptPath, script);
        job.scriptInput = scriptInput;
        std::filesystem::remove(script);
        EXPECT_EQ(encoder.bPrepareConvert(&job), 1);
        return job;
    };
    ConversionJob wmv = prepare("/v/clip.WMV", 1);
    EXPECT_NE(encoder.CommandLine().find("-i \"" + script + "\""), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(script));
    EXPECT_EQ(wmv.scriptInput, 1);

    prepare("/v/clip.mpeg", 1);
    EXPECT_NE(encoder.CommandLine().find("-i \"/v/clip.mpeg\""), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(script));

    prepare("/v/clip.wmv", 0); // read by the encoder's own probe
    EXPECT_NE(encoder.CommandLine().find("-i \"/v/clip.wmv\""), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(script));

    encoder.SetScriptInput(0); // the Core switch off
    ConversionJob off = prepare("/v/clip.wmv", 1);
    EXPECT_EQ(off.scriptInput, 0);
    EXPECT_NE(encoder.CommandLine().find("-i \"/v/clip.wmv\""), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(script));

    // A script that cannot be written fails the job, with the reason.
    encoder.SetScriptInput(1);
    ConversionJob unwritable = MakeJob(12, 0, "x", "y");
    SetText(unwritable.sourcePath, "/v/clip.wmv");
    SetText(unwritable.inputScriptPath, "/nonexistent-dir/edit.avs");
    unwritable.scriptInput = 1;
    EXPECT_EQ(encoder.bPrepareConvert(&unwritable), 0);
    EXPECT_EQ(encoder.LastResult().reason,
              "the input script /nonexistent-dir/edit.avs cannot be written");
    CloseLog();
}
