#include "CliOptions.h"

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
        {{"--dry-run"}, "no input file given"},
        {{"--probe"}, "no input file given"},
    };
    for (const Case& c : cases) {
        CliOptions o;
        std::string error;
        EXPECT_FALSE(ParseOptions(c.arguments, o, error)) << c.message;
        EXPECT_EQ(error, c.message);
    }
    EXPECT_TRUE(IsTimeText("100:00:00"));
    EXPECT_TRUE(IsTimeText("0:00:59"));
    EXPECT_FALSE(IsTimeText("00:00"));
    EXPECT_FALSE(IsTimeText("aa:00:00"));
}
