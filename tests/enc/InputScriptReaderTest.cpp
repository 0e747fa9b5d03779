// enc finds the source of an input script file by its name and text.

#include "InputScriptReader.h"
#include "EncTestSupport.h"
#include "InputScriptFormat.h"

#include <gtest/gtest.h>

namespace kiv::test {
namespace {

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
} // namespace kiv::test
