// What enc writes, read back by the code the engine reads it with.

#include "InfoAnswer.h"
#include "InputScriptFormat.h"
#include "StatusLine.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kiv;

TEST(Protocol, StatusLinesReadBackTheirWholeSecondsInBothFormats) {
    struct Case {
        ProgressValues values;
        int seconds;
    } cases[] = {
        {{0, 0, 0, 0, 0, 0, 0}, 0},
        {{1, 10, 0.03, 2548.6, 7.9, 0, 3.5}, 0},
        {{250, 317, 9.99, 259.6, 30.3, 251, -1}, 9},
        {{180000, 1234567, 7205.12, 1371.2, 9.9, 251, -1}, 7205},
        {{2000000000, 2000000000, 1e6, 99999.9, 999, 99999, 99}, 1000000},
        // Absurd rates make a line longer than any fixed buffer.
        {{5, 9, 3.5, 1e250, 1e200, 7, 1e100}, 3},
    };
    for (const Case& c : cases) {
        std::string line = FormatStatusLine(c.values);
        EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1) << line;
        EXPECT_EQ(line.back(), '\n');
        for (bool hasVideo : {false, true}) {
            int seconds = -1;
            EXPECT_TRUE(ReadStatusSeconds(line.c_str(), hasVideo, seconds)) << line;
            EXPECT_EQ(seconds, c.seconds) << line;
        }
        ProgressValues read;
        EXPECT_TRUE(ReadStatusValues(line.c_str(), read)) << line;
        EXPECT_EQ(FormatStatusLine(read), line);
    }
    EXPECT_EQ(FormatStatusLine({144, 256, 5.8, 361.5, 11.5, 262, 28}),
              "frame=144 size=256kB time=5.80 bitrate=361.5kbits/s speed=11.50x fps=262 "
              "time=5.80 q=28.0\n");
    int seconds = 0;
    EXPECT_FALSE(ReadStatusSeconds("Input #0, mov,mp4", true, seconds));
    ProgressValues read;
    EXPECT_FALSE(ReadStatusValues("Input #0, mov,mp4", read));
    EXPECT_FALSE(ReadStatusValues("frame=3 size=9kB", read));
    // A shorter line from another writer still gives its position.
    EXPECT_TRUE(ReadStatusValues("frame=1 size=1kB time=12.50 bitrate=1.0kbits/s", read));
    EXPECT_EQ(read.seconds, 12.5);
}

TEST(Protocol, InfoAnswersReadBackAndAShortAnswerKeepsTheRest) {
    for (InfoAnswer sent : {InfoAnswer{0, 0, 0, 0, 0}, InfoAnswer{125, 640, 360, 1, 1},
                            InfoAnswer{3600, 0, 0, 0, 1}}) {
        InfoAnswer read{-1, -1, -1, -1, -1};
        std::string text = FormatInfoAnswer(sent);
        EXPECT_LE(text.size(), 100u); // the probe reads the first 100 bytes
        EXPECT_EQ(ReadInfoAnswer(text.c_str(), read), 5);
        EXPECT_EQ(FormatInfoAnswer(read), text);
    }
    InfoAnswer partial{7, 8, 9, 1, 0};
    EXPECT_EQ(ReadInfoAnswer("Duration:12 Width:", partial), 1);
    EXPECT_EQ(FormatInfoAnswer(partial), "Duration:12 Width:8 Height:9 Video:1 Audio:0\n");
    EXPECT_EQ(ReadInfoAnswer("usage: enc", partial), 0);
}

TEST(Protocol, InputScriptsReadBackTheirSourceAndOtherScriptsAreRefused) {
    for (ScriptClass scriptClass : {ScriptClass::A, ScriptClass::B, ScriptClass::C}) {
        std::string text = InputScriptText(scriptClass, "/media/my clip.wmv");
        EXPECT_EQ(SourceOfInputScript(text), "/media/my clip.wmv") << text;
    }
    EXPECT_EQ(InputScriptText(ScriptClass::A, "/v/a.wmv"),
              "LoadPlugin(\"DirectShowSource.dll\")\n"
              "DirectShowSource(\"/v/a.wmv\", fps=23.976, convertfps=true )\n"
              "return last");
    EXPECT_EQ(SourceOfInputScript("LoadPlugin(\"DirectShowSource.dll\")\r\nDirectShowSource(\"/a/"
                                  "b.mov\", fps=23.976, convertfps=false )\r\nreturn last\r\n"),
              "/a/b.mov");
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
