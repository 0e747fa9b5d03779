#include "CliOptions.h"
#include "SlideShowCommand.h"

#include <gtest/gtest.h>

using namespace kiv;

TEST(CliOptions, ParsesOptionsValuesAndFiles) {
    CliOptions o;
    std::string error;
    ASSERT_TRUE(ParseOptions({"--format", "To 3GP/MP4", "--profile=2", "--output-dir", "/o",
                              "--start", "00:00:05", "--end=01:02:03", "--dry-run", "--json",
                              "--quiet", "a.avi", "--", "-dash.avi", "--json"},
                             o, error))
        << error;
    EXPECT_EQ(o.mode, Mode::Convert);
    EXPECT_EQ(*o.format, "To 3GP/MP4");
    EXPECT_EQ(*o.profile, "2");
    EXPECT_EQ(*o.outputDir, "/o");
    EXPECT_EQ(*o.start, "00:00:05");
    EXPECT_EQ(*o.end, "01:02:03");
    EXPECT_TRUE(o.dryRun && o.json && o.quiet);
    EXPECT_EQ(o.files, (std::vector<std::string>{"a.avi", "-dash.avi", "--json"}));

    CliOptions probe;
    ASSERT_TRUE(ParseOptions({"--probe", "x.mp4"}, probe, error));
    EXPECT_EQ(probe.mode, Mode::Probe);
    CliOptions help;
    ASSERT_TRUE(ParseOptions({"a", "-h", "--bogus"}, help, error));
    EXPECT_EQ(help.mode, Mode::Help);
}

TEST(CliOptions, UsageErrors) {
    struct Case {
        std::vector<std::string> arguments;
        const char* message;
    } cases[] = {
        {{"--bogus", "a"}, "unknown option '--bogus'"},
        {{"a", "--format"}, "option '--format' needs a value"},
        {{"--start", "5", "a"}, "'5' is not a time of the form HH:MM:SS"},
        {{"--end", "00:61:00", "a"}, "'00:61:00' is not a time of the form HH:MM:SS"},
        {{"--end", "100000:00:00", "a"}, "'100000:00:00' is not a time of the form HH:MM:SS"},
        {{"--dry-run"}, "no input file given"},
        {{"--probe"}, "no input file given"},
    };
    for (const Case& c : cases) {
        CliOptions o;
        std::string error;
        EXPECT_FALSE(ParseOptions(c.arguments, o, error)) << c.message;
        EXPECT_EQ(error, c.message);
    }
    // Times in seconds, whatever the number of hour digits.
    EXPECT_EQ(TimeTextSeconds("100:00:00"), 360000);
    EXPECT_EQ(TimeTextSeconds("0:00:59"), 59);
    EXPECT_EQ(TimeTextSeconds("01:02:03"), 3723);
    EXPECT_EQ(TimeTextSeconds("00:00"), std::nullopt);
    EXPECT_EQ(TimeTextSeconds("aa:00:00"), std::nullopt);
}

TEST(CliOptions, SlideShowTakesPicturesCaptionsMusicAndSeconds) {
    CliOptions o;
    std::string error;
    ASSERT_TRUE(ParseOptions({"--slideshow", "--music", "m.mp3", "--caption", "First",
                              "--picture-seconds=2.5", "a.jpg", "--caption=", "b.png",
                              "--transition-seconds", "0", "c.png"},
                             o, error))
        << error;
    EXPECT_EQ(o.mode, Mode::SlideShow);
    EXPECT_EQ(o.files, (std::vector<std::string>{"a.jpg", "b.png", "c.png"}));
    EXPECT_EQ(o.captions, (std::vector<std::string>{"First", ""}));
    EXPECT_EQ(*o.music, "m.mp3");
    EXPECT_EQ(*o.pictureSeconds, "2.5");
    EXPECT_EQ(*o.transitionSeconds, "0");

    CliOptions bad;
    EXPECT_FALSE(ParseOptions({"--slideshow"}, bad, error));
    EXPECT_EQ(error, "no picture given");
    EXPECT_FALSE(
        ParseOptions({"--slideshow", "--caption", "1", "--caption", "2", "a.jpg"}, bad, error));
    EXPECT_EQ(error, "more captions than pictures");
}

TEST(CliOptions, SecondsBecomeFramesAtTwentyFivePerSecond) {
    struct Row {
        const char* text;
        std::optional<int> frames;
    } rows[] = {{"4", 100},
                {"1", 25},
                {"0.5", 13},
                {"0.04", 1},
                {"0", 0},
                {"3600", 90000},
                {"-1", std::nullopt},
                {"3601", std::nullopt},
                {"", std::nullopt},
                {"1s", std::nullopt},
                {"nan", std::nullopt}};
    for (const Row& row : rows)
        EXPECT_EQ(SecondsToFrames(row.text), row.frames) << row.text;
}
