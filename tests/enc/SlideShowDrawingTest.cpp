// How enc draws a show, in the parts that are plain arithmetic and text:
// the output's geometry, pictures in their true proportions, the timeline
// at the output's frame rate, literal captions, the music's measure and
// what a picture file's first bytes tell.

#include "CaptionText.h"
#include "FixedText.h"
#include "PictureFiles.h"
#include "ShowGeometry.h"
#include "ShowMusic.h"
#include "ShowTimeline.h"
#include "SlideShowGraph.h"
#include "slideshow/SlideShowScripts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace kiv;
using namespace kiv::enc;

namespace {

FfmpegPlan PlanWith(std::vector<std::pair<std::string, std::string>> options) {
    FfmpegPlan plan;
    for (auto& [name, value] : options)
        plan.options.push_back({name, value, true});
    return plan;
}

ShowScriptFacts ThreePictureFacts() {
    std::vector<SlideShowPicture> pictures(3, SlideShowPicture{});
    for (int i = 0; i < 3; ++i) {
        SetText(pictures[static_cast<std::size_t>(i)].imagePath, "/p" + std::to_string(i));
        pictures[static_cast<std::size_t>(i)].displayFrames = 100 - 10 * i;
        pictures[static_cast<std::size_t>(i)].transitionFrames = 25 - 5 * i;
    }
    SlideShow show{};
    show.pictures = pictures.data();
    show.pictureCount = 3;
    ShowScriptFacts facts;
    std::string error;
    EXPECT_TRUE(
        ReadShowScript(ShowScriptText("/app/", "/work", show, ShowSound::Silent), facts, error))
        << error;
    return facts;
}

} // namespace

TEST(ShowGeometry, TheOutputsSizeRateAndPixelShape) {
    struct Row {
        std::vector<std::pair<std::string, std::string>> options;
        int width, height;
        std::string rate;
        int pixelNum, pixelDen;
    } rows[] = {
        {{{"-s", "720x576"}, {"-r", "25.00"}, {"-aspect", "4:3"}, {"-target", "pal-dvd"}},
         720,
         576,
         "25.00",
         16,
         15},
        {{{"-target", "ntsc-dvd"}}, 720, 480, "30000/1001", 1, 1},
        {{{"-target", "pal-vcd"}, {"-aspect", "4:3"}}, 352, 288, "25", 12, 11},
        {{{"-s", "320x240"}, {"-r", "30.00"}}, 320, 240, "30.00", 1, 1},
        {{{"-s", "1920x1080"}, {"-r", "29.97"}, {"-aspect", "16:9"}}, 1920, 1080, "29.97", 1, 1},
        {{{"-s", "720x406"}, {"-aspect", "16:9"}}, 720, 406, "25", 406, 405},
        {{{"-s", "720x406"}, {"-aspect", "1.7778"}}, 720, 406, "25", 404, 403},
        {{}, 720, 576, "25", 1, 1},
        {{{"-s", "lots"}, {"-r", "-3"}, {"-aspect", "wide"}}, 720, 576, "25", 1, 1},
    };
    for (const Row& row : rows) {
        ShowGeometry geometry = ShowGeometryOf(PlanWith(row.options));
        SCOPED_TRACE(std::to_string(row.width) + "x" + std::to_string(row.height));
        EXPECT_EQ(geometry.width, row.width);
        EXPECT_EQ(geometry.height, row.height);
        EXPECT_EQ(geometry.rateText, row.rate);
        EXPECT_EQ(geometry.pixelAspectNum, row.pixelNum);
        EXPECT_EQ(geometry.pixelAspectDen, row.pixelDen);
    }
    EXPECT_NEAR(ShowGeometryOf(PlanWith({{"-r", "29.97"}})).rate, 29.97, 1e-9);
    EXPECT_EQ(ShowGeometryOf(PlanWith({{"-s", "720x576"}, {"-aspect", "4:3"}})).DisplayWidth(),
              768);
}

// On every output a picture shows in its own proportions, within four
// fifths of the frame, as large as that allows but never enlarged.
TEST(ShowGeometry, PicturesKeepTheirProportionsOnEveryFrame) {
    const std::vector<std::vector<std::pair<std::string, std::string>>> outputs = {
        {{"-s", "720x576"}, {"-aspect", "4:3"}}, {{"-s", "320x240"}},   {{"-s", "720x406"}},
        {{"-s", "480x576"}, {"-aspect", "4:3"}}, {{"-s", "1920x1080"}},
    };
    const PictureSize pictures[] = {{1440, 1080}, {810, 1080}, {1920, 400}, {40, 30}, {20, 900}};
    for (const auto& options : outputs) {
        ShowGeometry geometry = ShowGeometryOf(PlanWith(options));
        for (PictureSize picture : pictures) {
            PictureSize fitted = FitOnFrame(picture, geometry);
            SCOPED_TRACE(std::to_string(geometry.width) + " " + std::to_string(picture.width) +
                         "x" + std::to_string(picture.height));
            double shown = fitted.width * geometry.PixelAspect() / fitted.height;
            double own = double(picture.width) / picture.height;
            // Within the rounding of a side to an even number of pixels.
            EXPECT_NEAR(shown / own, 1.0, 2.0 / std::min(fitted.width, fitted.height) + 0.005);
            EXPECT_EQ(fitted.width % 2, 0);
            EXPECT_EQ(fitted.height % 2, 0);
            EXPECT_LE(fitted.width, std::lround(0.8 * geometry.width) + 1);
            EXPECT_LE(fitted.height, std::lround(0.8 * geometry.height) + 1);
            EXPECT_LE(fitted.height, std::max(2, picture.height + 1)); // never enlarged
            bool fillsOneSide = fitted.width >= std::lround(0.8 * geometry.width) - 2 ||
                                fitted.height >= std::lround(0.8 * geometry.height) - 2;
            EXPECT_TRUE(fillsOneSide || fitted.height >= picture.height - 1);
        }
    }
}

TEST(ShowTimeline, HoldsAndTransitionsKeepTheirSecondsAtAnyRate) {
    ShowScriptFacts facts = ThreePictureFacts();
    ShowTimeline atScriptRate = TimelineAt(facts, 25);
    ASSERT_EQ(atScriptRate.pieces.size(), facts.segments.size());
    for (std::size_t i = 0; i < facts.segments.size(); ++i)
        EXPECT_EQ(atScriptRate.pieces[i].Frames(), facts.segments[i].Frames()) << i;
    EXPECT_EQ(atScriptRate.TotalFrames(), facts.TotalFrames());

    for (double rate : {30.0, 30000.0 / 1001, 24.0, 12.0}) {
        ShowTimeline timeline = TimelineAt(facts, rate);
        SCOPED_TRACE(rate);
        EXPECT_NEAR(timeline.Seconds(), facts.TotalFrames() / 25.0, 1 / rate);
        long long script = 0, drawn = 0;
        for (std::size_t i = 0; i < facts.segments.size(); ++i) {
            script += facts.segments[i].Frames();
            drawn += timeline.pieces[i].Frames();
            EXPECT_NEAR(drawn / rate, script / 25.0, 0.5 / rate); // no rounding piles up
            EXPECT_NEAR(timeline.pieces[i].overlap / rate, facts.segments[i].DrawnOverlap() / 25.0,
                        1 / rate);
        }
    }

    // A picture's parts lie end to end in its time on screen.
    ShowTimeline timeline = TimelineAt(facts, 30);
    const ShowPiece& in = timeline.pieces[1];
    const ShowPiece& hold = timeline.pieces[2];
    const ShowPiece& out = timeline.pieces[3];
    EXPECT_EQ(in.second.motionStart, 0);
    EXPECT_EQ(hold.first.motionStart, in.second.frames);
    EXPECT_EQ(out.first.motionStart, in.second.frames + hold.first.frames);
    EXPECT_EQ(hold.first.motionSpan, in.second.frames + hold.first.frames + out.first.frames);
    EXPECT_EQ(in.second.motionSpan, hold.first.motionSpan);

    for (int pictures : {1, 2, 3}) {
        std::size_t next = 0;
        for (auto [first, end] : PieceRuns(timeline, pictures)) {
            EXPECT_EQ(first, next);
            EXPECT_LT(first, end);
            std::vector<int> shown = PicturesOf(timeline, first, end);
            EXPECT_TRUE(static_cast<int>(shown.size()) <= pictures || end == first + 1);
            next = end;
        }
        EXPECT_EQ(next, timeline.pieces.size());
    }
}

// A photo is decoded reduced, but never below the size it is shown at.
TEST(SlideShowGraph, LowresKeepsThePictureSharp) {
    struct Row {
        int width, height, neededWidth, neededHeight, level;
    } rows[] = {
        {4000, 3000, 576, 460, 2}, {4000, 3000, 1440, 1080, 1}, {4000, 3000, 256, 192, 3},
        {3000, 4000, 344, 460, 3}, {4000, 3000, 2000, 1500, 1}, {4000, 3000, 2001, 10, 0},
        {1001, 999, 126, 125, 3},  {40, 30, 40, 30, 0},         {0, 0, 2, 2, 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(LowresFor(row.width, row.height, row.neededWidth, row.neededHeight), row.level)
            << row.width << "x" << row.height << " for " << row.neededWidth << "x"
            << row.neededHeight;
}

TEST(CaptionText, CaptionsAreDrawnAsTyped) {
    const std::string joiner = "\xE2\x81\xA0";
    struct Row {
        std::string typed, literal;
    } rows[] = {
        {"Kids {birthday} party", "Kids \\{birthday\\} party"},
        {"C:\\new\\table", "C:\\" + joiner + "new\\table"},
        {"a\\N b\\h c\\{d", "a\\" + joiner + "N b\\" + joiner + "h c\\" + joiner + "\\{d"},
        {"back\\", "back\\"},
        {"café 50%", "café 50%"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(LiteralCaption(row.typed), row.literal) << row.typed;

    EXPECT_EQ(WithLiteralCaptions("[Events]\nFormat: Layer, Start, Text\n"
                                  "Dialogue: 0,00:00:00.00,00:00:04.00,Default,NTP,0000,0000,0000,"
                                  "!Effect,Hello, {world}\n\n"),
              "[Events]\nFormat: Layer, Start, Text\n"
              "Dialogue: 0,00:00:00.00,00:00:04.00,Default,NTP,0000,0000,0000,!Effect,Hello, "
              "\\{world\\}\n\n");
}

TEST(ShowMusic, MeasureAndFades) {
    MusicFacts silentEnd =
        ReadMusicMeasure("[silencedetect @ 0x5584] silence_start: 5\n"
                         "size=N/A time=00:00:06.00 bitrate=N/A speed= 317x    \n"
                         "[silencedetect @ 0x5584] silence_end: 6 | silence_duration: 1\n");
    EXPECT_DOUBLE_EQ(silentEnd.seconds, 6);
    EXPECT_TRUE(silentEnd.endsInSilence);
    MusicFacts loud =
        ReadMusicMeasure("[silencedetect @ 0x5] silence_start: 1\n"
                         "[silencedetect @ 0x5] silence_end: 2 | silence_duration: 1\n"
                         "size=N/A time=00:01:05.50 bitrate=N/A speed= 313x\n");
    EXPECT_DOUBLE_EQ(loud.seconds, 65.5);
    EXPECT_FALSE(loud.endsInSilence);
    EXPECT_EQ(ReadMusicMeasure("nothing").seconds, 0);

    EXPECT_DOUBLE_EQ(EndFadeSeconds(60), 2);
    EXPECT_DOUBLE_EQ(EndFadeSeconds(5), 1);
    // Restarts fade only when the music is shorter than the show and does
    // not end in silence.
    std::string longer = MusicGainExpression({120, false}, 60);
    std::string looped = MusicGainExpression({10, false}, 60);
    EXPECT_EQ(longer, MusicGainExpression({10, true}, 60));
    EXPECT_EQ(looped.find(longer), 0u);
    EXPECT_NE(looped.find("mod(t,10.000000)"), std::string::npos) << looped;
}

TEST(PictureFiles, TheEXIFOrientationOfAPhoneJpeg) {
    auto jpeg = [](std::string exif) {
        std::string segment = "Exif" + std::string(2, '\0') + exif;
        std::size_t length = segment.size() + 2;
        return std::string("\xFF\xD8\xFF\xE1", 4) + static_cast<char>(length >> 8) +
               static_cast<char>(length & 0xFF) + segment + std::string("\xFF\xDA\x00\x02", 4);
    };
    // Big- and little-endian TIFF headers, one IFD entry each.
    std::string big = std::string("MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0", 22);
    std::string little = std::string("II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x08\0\0\0", 22);
    EXPECT_EQ(JpegOrientation(jpeg(big)), 6);
    EXPECT_EQ(JpegOrientation(jpeg(little)), 8);
    std::string other = big;
    other[11] = 0x13; // another tag
    EXPECT_EQ(JpegOrientation(jpeg(other)), 1);
    EXPECT_EQ(JpegOrientation(jpeg(big.substr(0, 15))), 1); // cut short
    std::string wild = big;
    wild[19] = 9; // no orientation
    EXPECT_EQ(JpegOrientation(jpeg(wild)), 1);
    EXPECT_EQ(JpegOrientation("not a jpeg"), 1);
}

TEST(PictureFiles, WhatTheFirstBytesTell) {
    std::string jpeg = std::string("\xFF\xD8", 2) +
                       std::string("\xFF\xE1\x00\x06"
                                   "Exif",
                                   8) +                                        // a short APP1
                       std::string("\xFF\xC0\x00\x11\x08\x0B\xB8\x0F\xA0", 9); // 4000 x 3000
    std::optional<StoredSize> size = JpegStoredSize(jpeg);
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(size->width, 4000);
    EXPECT_EQ(size->height, 3000);
    for (std::string_view broken :
         {std::string_view("\xFF\xD8", 2), std::string_view("\xFF\xD8\xFF\xC0\x00\x01", 6),
          std::string_view("\xFF\xD8\xFF\xDA\x00\x08", 6), std::string_view("GIF89a"),
          std::string_view("\xFF\xD8\xFF\xC0\x00\x11\x08\x00\x00\x0F\xA0", 11)})
        EXPECT_FALSE(JpegStoredSize(broken).has_value()) << broken.size();

    EXPECT_STREQ(PictureReaderFor(jpeg), "jpeg_pipe");
    EXPECT_STREQ(PictureReaderFor("\x89PNG\r\n\x1A\n...."), "png_pipe");
    EXPECT_STREQ(PictureReaderFor(std::string_view("RIFF\x10\0\0\0WEBPVP8X", 16)), "webp_pipe");
    EXPECT_EQ(PictureReaderFor("not a picture"), nullptr);
    EXPECT_FALSE(MayBeTransparent(jpeg));
    EXPECT_TRUE(MayBeTransparent("\x89PNG\r\n\x1A\n"));
    EXPECT_TRUE(MayBeTransparent("GIF89a"));
}
