// enc's reading of the slideshow scripts the engine writes, and the pieces
// of its filter graphs that are plain arithmetic.

#include "FixedText.h"
#include "SlideShowGraph.h"
#include "SlideShowScriptReader.h"
#include "slideshow/ShowLengths.h"
#include "slideshow/SlideShowScripts.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace kiv;
using namespace kiv::enc;

namespace {

struct Show {
    std::vector<SlideShowPicture> pictures;
    SlideShow show{};

    // Display frames 100, 90, 80; transition frames 25, 20, 15.
    Show(int count, const std::string& music, const std::vector<std::string>& captions) {
        pictures.assign(static_cast<std::size_t>(count), SlideShowPicture{});
        for (int i = 0; i < count; ++i) {
            SlideShowPicture& p = pictures[static_cast<std::size_t>(i)];
            SetText(p.imagePath, "/pics/" + std::to_string(i + 1) + ".png");
            p.displayFrames = 100 - 10 * i;
            p.transitionFrames = 25 - 5 * i;
            if (static_cast<std::size_t>(i) < captions.size())
                SetText(p.caption, captions[static_cast<std::size_t>(i)]);
        }
        show.pictures = pictures.data();
        show.pictureCount = count;
        SetText(show.musicPath, music);
    }
    std::string ShowScript(ShowSound sound) const {
        return ShowScriptText("/app/", "/work", show, sound);
    }
};

struct Piece {
    bool transition;
    int first, firstFrames, second, secondFrames, overlap;
    std::string script;
    bool operator==(const Piece&) const = default;
};

std::vector<Piece> Pieces(const ShowScriptFacts& facts) {
    std::vector<Piece> pieces;
    for (const ShowSegment& s : facts.segments)
        pieces.push_back({s.transition, s.first.picture, s.first.frames, s.second.picture,
                          s.second.frames, s.overlapFrames, s.scriptName});
    return pieces;
}

} // namespace

TEST(SlideShowReader, RecognisesTheTwoScriptsByTheirFirstLines) {
    Show three(3, "", {});
    EXPECT_EQ(SlideShowScriptOf(ImageScriptText("/app/", "/work", three.show)),
              SlideShowScript::Images);
    EXPECT_EQ(SlideShowScriptOf(three.ShowScript(ShowSound::Silent)), SlideShowScript::Show);
    EXPECT_EQ(SlideShowScriptOf("LoadPlugin(\"DirectShowSource.dll\")\nDirectShowSource(\"/a.mp4\")"
                                "\nreturn last\n"),
              SlideShowScript::None);
    EXPECT_EQ(SlideShowScriptOf("LoadPlugin(\"/app/zoom.dll\")\nVersion()\n"),
              SlideShowScript::None);
    EXPECT_EQ(SlideShowScriptOf(""), SlideShowScript::None);
}

TEST(SlideShowReader, ImageScriptFacts) {
    for (int count : {1, 3}) {
        Show show(count, "", {});
        ImageScriptFacts facts;
        std::string error;
        ASSERT_TRUE(ReadImageScript(ImageScriptText("/app/", "/work", show.show), facts, error))
            << error;
        EXPECT_EQ(facts.backgroundPath, "/app/bg.jpg");
        EXPECT_EQ(facts.picturePaths.size(), static_cast<std::size_t>(count));
        EXPECT_EQ(facts.picturePaths.back(), "/pics/" + std::to_string(count) + ".png");
        EXPECT_EQ(facts.framePrefix, "/work/aya");
        EXPECT_EQ(facts.firstFrame, 0);
        EXPECT_EQ(facts.lastFrame, count == 1 ? 1 : count);
        EXPECT_EQ(ImagePassFrameCount(count, facts.firstFrame, facts.lastFrame), count + 1);
    }
    EXPECT_EQ(ImagePassFrameCount(3, 0, 7), 4); // no frames past the last picture
    EXPECT_EQ(ImagePassFrameCount(3, 2, 1), 0);
}

TEST(SlideShowReader, TimelineFollowsTheLoopLinesAndEndsWithTheLastHold) {
    Show three(3, "/music/song.mp3", {});
    ShowScriptFacts facts;
    std::string error;
    ASSERT_TRUE(ReadShowScript(three.ShowScript(ShowSound::MusicWhenGiven), facts, error)) << error;
    EXPECT_EQ(facts.backgroundPath, "/app/bg.jpg");
    EXPECT_EQ(facts.framePattern, "/work/aya%06d.ebmp");
    EXPECT_EQ(facts.FrameImagePath(12), "/work/aya000012.ebmp");
    EXPECT_EQ(facts.lastFrameImage, 3);
    EXPECT_EQ(facts.musicPath, "/music/song.mp3");
    EXPECT_EQ(facts.leadingTrim, 2);
    // With music the second picture comes in 10 frames longer; the last
    // transition keeps the overlap before it (20).
    EXPECT_EQ(Pieces(facts), (std::vector<Piece>{{false, 1, 100, 0, 0, 0, ""},
                                                 {true, 1, 25, 2, 30, 20, "InCenter.avs"},
                                                 {false, 2, 90, 0, 0, 0, ""},
                                                 {true, 2, 20, 3, 15, 20, "OutCenter.avs"},
                                                 {false, 3, 90, 0, 0, 0, ""}}));
    // 100 + (25 + 30 - 20) + 90 + (20 + 15 - 15) + 90 - 2
    EXPECT_EQ(facts.TotalFrames(), 333);

    ASSERT_TRUE(ReadShowScript(three.ShowScript(ShowSound::Silent), facts, error)) << error;
    EXPECT_EQ(facts.musicPath, "");
    EXPECT_EQ(facts.segments[1].second.frames, 20);
    EXPECT_EQ(facts.segments[3].second.frames, 25);
    EXPECT_EQ(facts.TotalFrames(), 328);

    Show one(1, "", {});
    ASSERT_TRUE(ReadShowScript(one.ShowScript(ShowSound::Silent), facts, error)) << error;
    EXPECT_EQ(Pieces(facts), (std::vector<Piece>{{false, 1, 100, 0, 0, 0, ""}}));
    EXPECT_EQ(facts.TotalFrames(), 98);
}

TEST(SlideShowReader, CaptionsBecomeTheSubtitleFileTheScriptWrites) {
    Show three(3, "", {"First", "", "Third"});
    ShowScriptFacts facts;
    std::string error;
    ASSERT_TRUE(ReadShowScript(three.ShowScript(ShowSound::Silent), facts, error)) << error;
    EXPECT_EQ(facts.subtitlePath, "/work/kiv.ssa");
    EXPECT_EQ(facts.drawnSubtitlePath, "/work/kiv.ssa");
    EXPECT_EQ(facts.captionCount, 2);
    // The third caption starts one frame after the show so far: 100 + 25 +
    // 90 + 25 = 240 frames, 9.64 s; it lasts 100 frames.
    EXPECT_EQ(facts.subtitleText,
              "\n"
              "[Script Info]\nScriptType: v4.00+\nCollisions: Normal\nPlayResX: 384\n"
              "PlayResY: 180\nTimer: 100.0000\n\n[V4+ Styles]\n"
              "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, "
              "BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, "
              "BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding\n"
              "Style: Default,Times New Roman,20,&H00FFFFFF,&H0000FFFF,&H00000000,&H00000000,0,"
              "0,0,0,50,50,0,0.00,1,2,0,2,20,20,20,1\n"
              "\n[Events]\nFormat: Layer, Start, End, Style, Actor, MarginL, MarginR, MarginV, "
              "Effect, Text\n\n"
              "Dialogue: 0,00:00:00.00,00:00:04.00,Default,NTP,0000,0000,0000,!Effect,First\n\n"
              "\n"
              "Dialogue: 0,00:00:09.64,00:00:13.64,Default,NTP,0000,0000,0000,!Effect,Third\n\n");
}

// Crafted numbers cannot overflow: what is read is cut to 10^9 frames and
// added in 64 bits.
TEST(SlideShowReader, HugeNumbersAreCutNotOverflowed) {
    Show two(2, "", {"", "Caption"});
    std::string text = two.ShowScript(ShowSound::Silent);
    for (const char* loop : {"a = loop(a,100)", "at = loop(at,25)", "bt = loop(bt,20)"}) {
        std::string name(loop, std::string_view(loop).find(' '));
        text.replace(text.find(loop), std::string_view(loop).size(),
                     name + " = loop(" + name + ",2147483647)");
    }
    std::string_view start = "convert2hhmmscff(d.framecount+1,";
    text.replace(text.find(start), start.size(), "convert2hhmmscff(3900000000000000000,");
    ShowScriptFacts facts;
    std::string error;
    ASSERT_TRUE(ReadShowScript(text, facts, error)) << error;
    EXPECT_EQ(facts.segments[0].first.frames, kLargestFrameCount);
    EXPECT_EQ(facts.segments[1].Frames(), 2 * kLargestFrameCount - 20);
    EXPECT_GT(facts.TotalFrames(), 3 * kLargestFrameCount);
    EXPECT_NE(facts.subtitleText.find("Dialogue: 0,11111:06:40.00,"), std::string::npos)
        << facts.subtitleText;
    EXPECT_EQ(SsaTime(3'900'000'000'000'000'000LL), SsaTime(kLargestFrameCount));
}

TEST(SlideShowReader, AnUnreadableLineIsNamed) {
    Show two(2, "", {});
    std::string text = two.ShowScript(ShowSound::Silent);
    std::string broken = text;
    broken.replace(broken.find("a = loop(a,100)"), 15, "a = loop(a,lots)");
    ShowScriptFacts facts;
    std::string error;
    EXPECT_FALSE(ReadShowScript(broken, facts, error));
    EXPECT_EQ(error, "unreadable line: a = loop(a,lots)");
    ImageScriptFacts images;
    EXPECT_FALSE(ReadImageScript("LoadPlugin(\"/app/zoom.dll\")\nSFH = 462\n", images, error));
}

TEST(SlideShowGraph, TransitionsTimesAndPaths) {
    std::set<std::string> distinct;
    for (const char* script : kTransitionScripts)
        distinct.insert(XfadeTransitionFor(script));
    EXPECT_EQ(distinct.size(), 14u);
    EXPECT_EQ(distinct.count("fade"), 0u);
    EXPECT_STREQ(XfadeTransitionFor("InCenter.avs"), "circleopen");
    EXPECT_STREQ(XfadeTransitionFor("OutCenter.avs"), "circleclose");
    EXPECT_STREQ(XfadeTransitionFor("InEast.avs"), "wipeleft");
    EXPECT_STREQ(XfadeTransitionFor("OutWest.avs"), "slideleft");
    EXPECT_STREQ(XfadeTransitionFor("Spiral.avs"), "fade");

    EXPECT_EQ(SsaTime(0), "00:00:00.00");
    EXPECT_EQ(SsaTime(100), "00:00:04.00");
    EXPECT_EQ(SsaTime(136), "00:00:05.44");
    EXPECT_EQ(SsaTime(25 * 3600 + 1), "01:00:00.04");
    EXPECT_EQ(FrameSeconds(13, 25), "0.520000");
    EXPECT_EQ(FrameSeconds(10, 30000.0 / 1001), "0.333667");

    EXPECT_EQ(FilterGraphPath("/out/kiv.ssa"), "/out/kiv.ssa");
    EXPECT_EQ(FilterGraphPath("/a b/it's:x,[y];z\\w"),
              "/a b/it\\\\\\'s\\\\:x\\,\\[y\\]\\;z\\\\\\\\w");
}

// kiv-convert's seconds become counts that make the show last what was
// asked, by either script's rules: N holds and N - 1 transitions, each as
// long as asked.
TEST(SlideShowReader, ShowLengthsAreTheHoldsAndTransitionsAsked) {
    const struct {
        int pictures, hold, transition;
    } rows[] = {{100, 75, 25}, {1, 100, 25}, {2, 75, 25}, {3, 40, 10}, {17, 250, 50}, {5, 75, 0}};
    for (ShowSound sound : {ShowSound::Silent, ShowSound::MusicWhenGiven}) {
        for (const auto& row : rows) {
            std::vector<SlideShowPicture> pictures(static_cast<std::size_t>(row.pictures));
            for (int i = 0; i < row.pictures; ++i)
                SetText(pictures[static_cast<std::size_t>(i)].imagePath, "/p/" + std::to_string(i));
            SlideShow show{};
            show.pictures = pictures.data();
            show.pictureCount = row.pictures;
            if (sound == ShowSound::MusicWhenGiven)
                SetText(show.musicPath, "/m/song.mp3");
            SetShowLengths(show, row.hold, row.transition);
            ShowScriptFacts facts;
            std::string error;
            ASSERT_TRUE(ReadShowScript(ShowScriptText("/app/", "/work", show, sound), facts, error))
                << error;
            SCOPED_TRACE(std::to_string(row.pictures) + " pictures" +
                         (sound == ShowSound::Silent ? ", silent" : ", with music"));
            // Joins shorter than the script's extra come out at it.
            const int join = std::max(row.transition, 10);
            for (std::size_t i = 1; i < facts.segments.size(); ++i) {
                const ShowSegment& piece = facts.segments[i];
                const bool exact =
                    row.transition >= 10 || (sound == ShowSound::Silent ? i == 1 : i > 1);
                EXPECT_EQ(piece.Frames(),
                          piece.transition ? (exact ? row.transition : join) : row.hold)
                    << "piece " << i;
            }
            if (row.transition >= 10) {
                EXPECT_EQ(facts.TotalFrames(),
                          row.pictures * row.hold + (row.pictures - 1) * row.transition);
            }
        }
    }
}
