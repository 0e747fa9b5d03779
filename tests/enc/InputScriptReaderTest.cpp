// The three-line input script is read; every other script is refused.

#include "InputScriptReader.h"
#include "EncTestSupport.h"
#include "InputScript.h"

#include <gtest/gtest.h>

namespace kiv::enctest {
namespace {

using enc::SourceOfInputScript;

TEST(InputScriptReaderTest, ReadsTheScriptsTheProgramWrites) {
    for (ScriptClass scriptClass : {ScriptClass::A, ScriptClass::B, ScriptClass::C}) {
        std::string text = InputScriptText(scriptClass, "/media/my clip.wmv");
        EXPECT_EQ(SourceOfInputScript(text), "/media/my clip.wmv") << text;
    }
}

TEST(InputScriptReaderTest, ExactTexts) {
    EXPECT_EQ(SourceOfInputScript("LoadPlugin(\"DirectShowSource.dll\")\nDirectShowSource(\"/a/b."
                                  "rm\", fps=23.976, convertfps=true )\nreturn last"),
              "/a/b.rm");
    EXPECT_EQ(SourceOfInputScript("LoadPlugin(\"DirectShowSource.dll\")\r\nDirectShowSource(\"/a/"
                                  "b.mov\", fps=23.976, convertfps=false )\r\nreturn last\r\n"),
              "/a/b.mov");
    EXPECT_EQ(SourceOfInputScript(
                  "LoadPlugin(\"DirectShowSource.dll\")\nDirectShowSource(\"x.ogm\")\nreturn last"),
              "x.ogm");
}

TEST(InputScriptReaderTest, RefusesOtherScripts) {
    const char* refused[] = {
        "",
        "return last",
        "LoadPlugin(\"DirectShowSource.dll\")\nDirectShowSource(\"a.wmv\")\n",
        "LoadPlugin(\"DirectShowSource.dll\")\nDirectShowSource(\"\")\nreturn last",
        "LoadPlugin(\"DirectShowSource.dll\")\nDirectShowSource(\"a.wmv\").Trim(0,5)\nreturn last",
        "LoadPlugin(\"DirectShowSource.dll\")\nDirectShowSource(\"a.wmv\", fps=25)\nreturn last",
        "LoadPlugin(\"/app/zoom.dll\")\nSFH = 462\nreturn last",
        "LoadPlugin(\"DirectShowSource.dll\")\nDirectShowSource(\"a.wmv\")\nreturn last\nx=1",
        "LoadPlugin(\"DirectShowSource.dll\")\nImageSource(\"a.wmv\")\nreturn last",
    };
    for (const char* text : refused)
        EXPECT_FALSE(SourceOfInputScript(text).has_value()) << text;
}

TEST(InputScriptReaderTest, RecognisesScriptNames) {
    EXPECT_TRUE(enc::IsAviSynthScript("/x/edit.avs"));
    EXPECT_TRUE(enc::IsAviSynthScript("EDIT.AVS"));
    EXPECT_FALSE(enc::IsAviSynthScript("edit.avs.mp4"));
    EXPECT_FALSE(enc::IsAviSynthScript("avs"));
    EXPECT_FALSE(enc::IsAviSynthScript("clip.avi"));
}

TEST(InputScriptReaderTest, ResolvesFromAFile) {
    std::string folder = ScratchFolder("script-reader");
    std::string script = folder + "/edit.avs";
    WriteFile(script, InputScriptText(ScriptClass::B, "/m/c.mp4"));
    std::string source;
    std::string error;
    EXPECT_TRUE(enc::ResolveInputScript(script, source, error));
    EXPECT_EQ(source, "/m/c.mp4");
    EXPECT_FALSE(enc::ResolveInputScript(folder + "/missing.avs", source, error));
    EXPECT_EQ(error, "cannot read the input script " + folder + "/missing.avs");
    WriteFile(script, std::string(9000, 'x'));
    EXPECT_FALSE(enc::ResolveInputScript(script, source, error));
    EXPECT_EQ(error.find('\n'), std::string::npos);
}

} // namespace
} // namespace kiv::enctest
