#include "CliOptions.h"
#include "ChoiceArguments.h"
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

TEST(CliOptions, ChoicesChangeTheProfile) {
    struct Case {
        std::vector<std::string> arguments;
        std::string
            choices; // audio rule;languages;subtitle rule;languages;burn;crop;denoise;deinterlace
        std::string quality; // the profile's VideoBitrate afterwards
        std::string error;
    } cases[] = {
        {{}, "all;;all;;0;none;off;auto", "23", ""},
        {{"--audio-tracks", "de,French", "--subtitles", "burn:eng", "--crop", "auto", "--denoise",
          "light", "--deinterlace", "on", "--quality", "30"},
         "languages;deu,fra;burn;eng;0;auto;light;on",
         "30",
         ""},
        {{"--audio-tracks", "first", "--subtitles", "burn:2", "--crop", "1920:800:0:140"},
         "first;;burn-track;;2;1920:800:0:140;off;auto",
         "23",
         ""},
        {{"--subtitles", "none"}, "all;;none;;0;none;off;auto", "23", ""},
        {{"--audio-tracks", "de,xx"},
         "",
         "",
         "'xx' is not a language --audio-tracks knows (ISO "
         "639 codes such as de or ger, or English names such as German)"},
        {{"--subtitles", "burn:0"}, "", "", "--subtitles burn:N counts the subtitle tracks from 1"},
        {{"--quality", "50"},
         "",
         "",
         "--quality takes a whole number from 16 (better picture) to 40 (smaller file), not '50'"},
        {{"--crop", "wide"},
         "",
         "",
         "--crop takes auto, none or W:H:X:Y (whole numbers), not 'wide'"},
        {{"--denoise", "loud"}, "", "", "--denoise takes light, medium, strong or off, not 'loud'"},
        {{"--deinterlace", "yes"}, "", "", "--deinterlace takes auto, on or off, not 'yes'"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = {"--format", "9"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        arguments.push_back("a.mkv");
        CliOptions options;
        std::string error;
        ASSERT_TRUE(ParseOptions(arguments, options, error)) << error;
        ProfileChoice choice;
        ASSERT_TRUE(ChooseProfile(options, kDefaultSelection, choice, error)) << error;
        bool applied = ApplyChoiceArguments(options, choice, error);
        EXPECT_EQ(applied, c.error.empty()) << c.error;
        if (!applied) {
            EXPECT_EQ(error, c.error);
            continue;
        }
        const ProfileChoices& k = choice.choices;
        std::string words =
            std::string(AudioRuleWord(k.audioRule)) + ";" + k.audioLanguages + ";" +
            std::string(SubtitleRuleWord(k.subtitleRule)) + ";" + k.subtitleLanguages + ";" +
            std::to_string(k.burnTrack) + ";" + CropWord(k.cropRule, k.cropBox) + ";" +
            std::string(DenoiseWord(k.denoise)) + ";" + std::string(DeinterlaceWord(k.deinterlace));
        EXPECT_EQ(words, c.choices);
        EXPECT_STREQ(choice.profile.VideoBitrate, c.quality.c_str());
    }
    // A quality where the picture is encoded at a bit rate is refused.
    CliOptions old;
    std::string error;
    ASSERT_TRUE(ParseOptions({"--format", "0", "--quality", "20", "a.avi"}, old, error));
    ProfileChoice choice;
    ASSERT_TRUE(ChooseProfile(old, kDefaultSelection, choice, error));
    EXPECT_FALSE(ApplyChoiceArguments(old, choice, error));
    EXPECT_EQ(error, "--quality goes with a format that encodes at a constant quality (today's "
                     "MP4, MKV and WebM video)");
}
