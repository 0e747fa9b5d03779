#include "Catalogue.h"
#include "FixedText.h"
#include "Vocabularies.h"

#include <gtest/gtest.h>

#include <string>

using namespace kiv;

namespace {

struct ExpectedRow {
    int category, profile;
    const char *name, *videoCodec, *videoBitrate, *frameRate, *frameSize, *aspect, *audioCodec,
        *audioBitrate, *sampleRate;
    int channelIndex, volume, variant;
};

void ExpectRow(const ExpectedRow& e) {
    MediaProfile p;
    ASSERT_TRUE(GetProfile(e.category, e.profile, p)) << e.name;
    EXPECT_EQ(GetText(p.ProfileName), e.name);
    EXPECT_EQ(GetText(p.VideoCodec), e.videoCodec);
    EXPECT_EQ(GetText(p.VideoBitrate), e.videoBitrate);
    EXPECT_EQ(GetText(p.FrameRate), e.frameRate);
    EXPECT_EQ(GetText(p.FrameSize), e.frameSize);
    EXPECT_EQ(GetText(p.Aspect), e.aspect);
    EXPECT_EQ(GetText(p.AudioCodec), e.audioCodec);
    EXPECT_EQ(GetText(p.AudioBitrate), e.audioBitrate);
    EXPECT_EQ(GetText(p.SampleRate), e.sampleRate);
    EXPECT_EQ(p.ChannelIndex, e.channelIndex);
    EXPECT_EQ(p.Volume, e.volume);
    EXPECT_EQ(p.Variant, e.variant);
}

} // namespace

TEST(Catalogue, CategoriesInListOrderWithTheirCounts) {
    const char* names[] = {"To AVI/DIVX/XVID",
                           "To WMV/ASF/Zune",
                           "To QuickTime",
                           "To SWF/FLV",
                           "To DVD/SVCD/VCD/MPEG",
                           "To iPod/iPhone/AppleTV",
                           "To PSP/PS3",
                           "To Zune/Xbox360/Zen/iPaq/PDA",
                           "To 3GP/MP4",
                           "To MP4/MKV/WebM (today's devices and the web)",
                           "To audio only (MP3/AAC/FLAC/Opus/WAV)"};
    const int targets[] = {1, 2, 7, 6, 3, 4, 8, 2, 9, 23, 24};
    const int counts[] = {4, 6, 4, 2, 8, 19, 10, 9, 8, 10, 7};
    // Categories and today's profiles are only ever appended: the first
    // eleven categories are these, the classic ones whole.
    ASSERT_GE(CategoryCount(), 11);
    ASSERT_EQ(kClassicCategoryCount, 9);
    int total = 0;
    for (int c = 0; c < 11; ++c) {
        const ProfileCategory* category = GetCategory(c);
        ASSERT_NE(category, nullptr);
        EXPECT_EQ(GetText(category->CategoryName), names[c]);
        EXPECT_EQ(category->Target, targets[c]);
        if (c < kClassicCategoryCount) {
            EXPECT_EQ(category->ProfileCount, counts[c]);
            total += category->ProfileCount;
        } else {
            EXPECT_GE(category->ProfileCount, counts[c]);
        }
    }
    EXPECT_EQ(total, 70);
    EXPECT_EQ(GetCategory(CategoryCount()), nullptr);
    EXPECT_EQ(GetCategory(-1), nullptr);
}

TEST(Catalogue, WholeRowsMatchTheTables) {
    const ExpectedRow rows[] = {
        {0, 0, "DIVX Video", "divx", "1150", "29.97", "320x240", "Original", "mp3", "192", "44100",
         1, 256, 1},
        {0, 3, "H264/AVC Video", "h264", "1200", "29.97", "Original", "Original", "mp3", "192",
         "44100", 1, 256, -1},
        {4, 0, "PAL DVD Video", "pal-dvd", "6000", "25.00", "720x576", "4:3", "ac3", "448", "44100",
         1, 256, 5},
        {4, 7, "MPEG1 Video", "mpeg1video", "900", "29.97", "320x240", "4:3", "mp2", "128", "48000",
         1, 256, 0},
        {5, 0, "iPod Classic(Excelent Quality)", "h264", "2500", "30.00", "640x480", "Original",
         "aac", "160", "48000", 1, 256, 9},
        {5, 18, "Apple TV(Normal Quality)", "mpeg4", "3000", "30.00", "720x432", "Original", "aac",
         "160", "44100", 1, 256, 10},
        {6, 9, "PS3(Normal Quality)", "h264", "1024", "29.97", "720x480", "Original", "aac", "128",
         "48000", 1, 256, 3},
        {7, 3, "Archos AV500/700(704/604/504/404)", "wmv2", "1150", "29.97", "352x288", "Original",
         "wmav2", "128", "44100", 1, 256, 2},
        {8, 1, "3GP(h263/amr)", "h263", "512", "12.00", "176x144", "Original", "amr_nb", "12.2",
         "8000", 0, 256, 0},
        {8, 3, "3GP(mpeg4/amr)", "mpeg4", "512", "15.00", "176x144", "Original", "amr_nb", "12.2",
         "8000", 0, 256, 0},
        {9, 3, "H.264 MP4, fit within 854x480 (SD)", "h264", "23", "Original", "854x480",
         "Original", "aac", "128", "Original", 2, 256, 0},
        {9, 6, "AV1 MKV with Opus, same size (smallest)", "av1", "34", "Original", "Original",
         "Original", "opus", "128", "Original", 2, 256, 1},
        {10, 6, "The audio track as it is (no re-encoding)", "", "1150", "Original", "Original",
         "Original", "copy", "320", "Original", 2, 256, 0},
        {3, 0, "FLV Video", "flv", "1150", "23.97", "320x240", "Original", "mp3", "256", "44100", 1,
         256, 1},
    };
    for (const ExpectedRow& row : rows)
        ExpectRow(row);
}

TEST(Catalogue, EveryValueIsInItsListAndEveryCodecInItsKind) {
    for (int c = 0; c < CategoryCount(); ++c) {
        const ProfileCategory* category = GetCategory(c);
        const ContainerCodecRow* codecs = FindContainerCodecs(category->Target);
        ASSERT_NE(codecs, nullptr);
        for (int p = 0; p < category->ProfileCount; ++p) {
            const MediaProfile& m = category->Profiles[p];
            std::string where = std::string(m.ProfileName);
            int kind = category->Target;
            EXPECT_GE(IndexOf(VideoRateChoices(kind), GetText(m.VideoBitrate)), 0) << where;
            EXPECT_GE(IndexOf(FrameRateChoices(kind), GetText(m.FrameRate)), 0) << where;
            EXPECT_GE(IndexOf(FrameSizeChoices(kind), GetText(m.FrameSize)), 0) << where;
            EXPECT_GE(IndexOf(AspectRatios(), GetText(m.Aspect)), 0) << where;
            EXPECT_GE(IndexOf(AudioBitrates().first(kAudioBitrateChoices), GetText(m.AudioBitrate)),
                      0)
                << where;
            EXPECT_GE(IndexOf(SampleRateChoices(kind), GetText(m.SampleRate)), 0) << where;
            // The sound alone has no video codec to choose.
            if (kind == KindNumber(TargetKind::ModernAudio))
                EXPECT_EQ(GetText(m.VideoCodec), "") << where;
            else
                EXPECT_GE(IndexOf(codecs->videoCodecs, GetText(m.VideoCodec)), 0) << where;
            EXPECT_GE(IndexOf(codecs->audioCodecs, GetText(m.AudioCodec)), 0) << where;
            int channels = IsModernKind(kind) ? kSourceChannelsIndex : 1;
            EXPECT_EQ(m.ChannelIndex, GetText(m.AudioCodec) == "amr_nb" ? 0 : channels) << where;
            EXPECT_EQ(m.Volume, 256) << where;
            EXPECT_EQ(GetText(m.Aspect), c == 4 ? "4:3" : "Original") << where;
        }
    }
}

TEST(Catalogue, ProfileAccessCopiesAndChecksItsIndices) {
    MediaProfile copy = EmptyProfile();
    ASSERT_TRUE(GetProfile(0, 3, copy));
    copy.ProfileName[0] = 'X';
    MediaProfile again;
    ASSERT_TRUE(GetProfile(0, 3, again));
    EXPECT_EQ(GetText(again.ProfileName), "H264/AVC Video");

    MediaProfile untouched = EmptyProfile();
    EXPECT_FALSE(GetProfile(0, 4, untouched));
    EXPECT_FALSE(GetProfile(11, 0, untouched));
    EXPECT_FALSE(GetProfile(-1, 0, untouched));
    EXPECT_FALSE(GetProfile(5, -1, untouched));
    EXPECT_EQ(untouched.ProfileName[0], '\0');
}

TEST(Catalogue, FindProfileByNameLastMatchingCategoryWins) {
    struct Case {
        const char* name;
        int kind;
        bool found;
        int category, profile;
    } cases[] = {
        {"Zune", 2, true, 7, 0},       {"Creative ZEN Vision", 2, true, 7, 5},
        {"DIVX Video", 1, true, 0, 0}, {"MP4(Standard video)", 9, true, 8, 7},
        {"WMV Video", 2, true, 1, 0},  {"Zune", 9, false, -5, -6},
        {"zune", 2, false, -5, -6},    {"DIVX Video", 5, false, -5, -6},
        {"Zune ", 2, false, -5, -6},
    };
    for (const Case& c : cases) {
        int category = -5, profile = -6;
        EXPECT_EQ(FindProfileByName(c.name, c.kind, category, profile), c.found) << c.name;
        EXPECT_EQ(category, c.category) << c.name << " kind " << c.kind;
        EXPECT_EQ(profile, c.profile) << c.name << " kind " << c.kind;
    }
}
