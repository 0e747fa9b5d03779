#include "Vocabularies.h"
#include "Catalogue.h"
#include "FixedText.h"
#include "Settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace kiv;

namespace {

bool SameSelection(const ProfileSelection& a, const ProfileSelection& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TEST(Vocabularies, ListsHaveTheirSizesAndTheSeventeenthAudioBitrate) {
    EXPECT_EQ(VideoBitrates().size(), 23u);
    EXPECT_EQ(FrameRates().size(), 10u);
    EXPECT_EQ(FrameSizes().size(), 29u);
    EXPECT_EQ(AspectRatios().size(), 3u);
    EXPECT_EQ(AudioBitrates().size(), 17u);
    EXPECT_STREQ(AudioBitrates()[15], "448");
    EXPECT_STREQ(AudioBitrates()[16], "576");
    EXPECT_EQ(SampleRates().size(), 7u);
    EXPECT_STREQ(FrameSizes()[19], "640x480");
    EXPECT_STREQ(VideoBitrates()[12], "1200");
    EXPECT_EQ(VideoQualities().size(), 25u);
}

// Entries for today's formats come after the old ones, which the older
// kinds keep seeing alone, so every stored index keeps its meaning.
TEST(Vocabularies, TodaysEntriesAreAppendedAndOnlyTodaysKindsSeeThem) {
    struct Choices {
        TextList (*list)(int);
        std::size_t classic;
        const char* last;
    } const choices[] = {{FrameRateChoices, 9, "Original"},
                         {FrameSizeChoices, 28, "854x480"},
                         {SampleRateChoices, 6, "Original"}};
    for (const Choices& c : choices) {
        TextList old = c.list(KindNumber(TargetKind::Psp));
        TextList today = c.list(KindNumber(TargetKind::ModernVideo));
        EXPECT_EQ(old.size(), c.classic);
        ASSERT_EQ(today.size(), c.classic + 1);
        EXPECT_STREQ(today.back(), c.last);
        EXPECT_TRUE(std::equal(old.begin(), old.end(), today.begin()));
        EXPECT_EQ(c.list(KindNumber(TargetKind::ModernAudio)).size(), c.classic + 1);
    }
    EXPECT_STREQ(FrameRateChoices(1).back(), "30.00");
    EXPECT_STREQ(SampleRateChoices(9).back(), "48000");
    // A constant quality instead of a bit rate where the kind encodes so.
    EXPECT_EQ(VideoRateChoices(KindNumber(TargetKind::ModernVideo)).data(),
              VideoQualities().data());
    EXPECT_EQ(VideoRateChoices(KindNumber(TargetKind::ModernAudio)).data(), VideoBitrates().data());
    EXPECT_EQ(VideoRateChoices(4).data(), VideoBitrates().data());
}

TEST(Vocabularies, ContainerCodecsInTableOrder) {
    const int kinds[] = {1, 2, 3, 4, 8, 7, 6, 5, 9, 22, 23, 24};
    auto rows = ContainerCodecs();
    ASSERT_GE(rows.size(), 12u); // rows are only ever appended
    for (std::size_t i = 0; i < std::size(kinds); ++i)
        EXPECT_EQ(KindNumber(rows[i].kind), kinds[i]);
    const ContainerCodecRow* row3 = FindContainerCodecs(3);
    ASSERT_NE(row3, nullptr);
    EXPECT_STREQ(row3->videoCodecs[5], "ntsc-dvd");
    EXPECT_STREQ(FindContainerCodecs(9)->audioCodecs[1], "amr_nb");
    EXPECT_EQ(FindContainerCodecs(10), nullptr);
}

// A first start names "PAL DVD Video" and converts with its own values.
TEST(Vocabularies, DefaultSelectionBuildsThePalDvdWorkingProfile) {
    MediaProfile p = EmptyProfile();
    ProfileFromSelection(kDefaultSelection, GetCategory(kDefaultSelection.Kind)->Target, p);
    MediaProfile named;
    ASSERT_TRUE(GetProfile(kDefaultSelection.Kind, kDefaultSelection.Class, named));
    EXPECT_EQ(GetText(named.ProfileName), "PAL DVD Video");
    for (auto field :
         {&MediaProfile::ProfileName, &MediaProfile::VideoCodec, &MediaProfile::VideoBitrate,
          &MediaProfile::FrameRate, &MediaProfile::FrameSize, &MediaProfile::Aspect,
          &MediaProfile::AudioCodec, &MediaProfile::AudioBitrate, &MediaProfile::SampleRate})
        EXPECT_EQ(GetText(p.*field), GetText(named.*field));
    EXPECT_EQ(p.ChannelIndex, named.ChannelIndex);
    EXPECT_EQ(p.Volume, named.Volume);
    EXPECT_EQ(p.Variant, named.Variant);
}

TEST(Vocabularies, ProfileFromSelectionNeverReadsOutsideAList) {
    MediaProfile p = EmptyProfile();
    SetText(p.VideoCodec, "keep");
    SetText(p.FrameSize, "keep");
    ProfileSelection s = kDefaultSelection;
    s.VCodec = 99;
    s.Size = -1;
    s.Kind = 40;
    ProfileFromSelection(s, 3, p);
    EXPECT_EQ(GetText(p.VideoCodec), "keep");
    EXPECT_EQ(GetText(p.FrameSize), "keep");
    EXPECT_EQ(GetText(p.ProfileName), "");
    // A kind without a codec row keeps both codec fields.
    MediaProfile q = EmptyProfile();
    SetText(q.AudioCodec, "mine");
    ProfileFromSelection(kDefaultSelection, 10, q);
    EXPECT_EQ(GetText(q.AudioCodec), "mine");
    // The seventeenth audio bit rate is reachable from the settings.
    s = kDefaultSelection;
    s.ABR = 16;
    ProfileFromSelection(s, 3, p);
    EXPECT_EQ(GetText(p.AudioBitrate), "576");
}

TEST(Vocabularies, SelectionFromProfileFindsIndicesAndLastCategory) {
    MediaProfile amr;
    ASSERT_TRUE(GetProfile(8, 1, amr));
    ProfileSelection s{};
    SelectionFromProfile(amr, 9, s);
    EXPECT_EQ(s.VCodec, 1);
    EXPECT_EQ(s.ACodec, 1);
    EXPECT_EQ(s.VBR, 6);
    EXPECT_EQ(s.ABR, 0);
    EXPECT_EQ(s.ASR, 0);
    EXPECT_EQ(s.VFR, 1);
    EXPECT_EQ(s.Size, 6);
    EXPECT_EQ(s.Apsect, 0);
    EXPECT_EQ(s.ACH, 0);
    EXPECT_EQ(s.Kind, 8);
    EXPECT_EQ(s.Class, 1);

    MediaProfile zune;
    ASSERT_TRUE(GetProfile(1, 2, zune));
    SelectionFromProfile(zune, 2, s);
    EXPECT_EQ(s.Kind, 7);
    EXPECT_EQ(s.Class, 0);

    SetText(zune.VideoBitrate, "1000");
    s.VBR = 17;
    SelectionFromProfile(zune, 2, s);
    EXPECT_EQ(s.VBR, 17);

    // "576" is never matched back: the editor offers only 16 audio bit rates.
    SetText(zune.AudioBitrate, "576");
    s.ABR = 3;
    SelectionFromProfile(zune, 2, s);
    EXPECT_EQ(s.ABR, 3);
}

TEST(Vocabularies, RoundTripKeepsTheSelectionWhenNoLaterCategoryHasTheName) {
    for (int c = 0; c < CategoryCount(); ++c) {
        const ProfileCategory* category = GetCategory(c);
        for (int p = 0; p < category->ProfileCount; ++p) {
            int lastCategory = c, lastProfile = p;
            FindProfileByName(GetText(category->Profiles[p].ProfileName), category->Target,
                              lastCategory, lastProfile);
            if (lastCategory != c)
                continue;
            ProfileSelection start{};
            SelectionFromProfile(category->Profiles[p], category->Target, start);
            MediaProfile rebuilt = EmptyProfile();
            ProfileFromSelection(start, category->Target, rebuilt);
            ProfileSelection again{};
            SelectionFromProfile(rebuilt, category->Target, again);
            EXPECT_TRUE(SameSelection(start, again)) << category->Profiles[p].ProfileName;
        }
    }
}

TEST(Vocabularies, EncoderCodecNames) {
    char buffer[16] = "mp3";
    ToEncoderCodecName(CodecStream::Audio, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "libmp3lame");
    std::strcpy(buffer, "mp3");
    ToEncoderCodecName(CodecStream::Video, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "mp3");
    std::strcpy(buffer, "H264");
    ToEncoderCodecName(CodecStream::Video, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "H264");
    std::strcpy(buffer, "divx");
    ToEncoderCodecName(CodecStream::Video, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "divx");
    char small[11] = "amr_nb";
    ToEncoderCodecName(CodecStream::Audio, small, sizeof small);
    EXPECT_STREQ(small, "libamr_nb");
    EXPECT_EQ(ToEncoderCodecName(CodecStream::Video, "h264"), "libx264");
    EXPECT_EQ(ToEncoderCodecName(CodecStream::Video, "xvid"), "libxvid");
    EXPECT_EQ(ToEncoderCodecName(CodecStream::Audio, "aac"), "libfaac");
}

TEST(Vocabularies, FormatDuration) {
    EXPECT_EQ(FormatDuration(3725), "01:02:05");
    EXPECT_EQ(FormatDuration(0), "00:00:00");
    EXPECT_EQ(FormatDuration(100 * 3600), "100:00:00");
    EXPECT_FALSE(FormatDuration(5, nullptr, 0));
    char text[16];
    EXPECT_TRUE(FormatDuration(59, text, sizeof text));
    EXPECT_STREQ(text, "00:00:59");
}
