// One case per row of the translation table: a legacy option in a minimal
// line, and the FFmpeg 5.1 arguments it must become.

#include "OptionTable.h"
#include "TranslationTestSupport.h"

#include <gtest/gtest.h>

namespace kiv::test {
namespace {

struct RowCase {
    const char* legacy;
    const char* expected;
};

// Every line reads from in.mp4 and writes out.avi unless it says otherwise.
const RowCase kRowCases[] = {
    {"-i in.mp4 out.avi", "-i in.mp4 out.avi"},
    {"-i in.mp4 -y out.avi", "-i in.mp4 out.avi"},
    {"-async 24 -i in.mp4 -ab 128.00k out.avi",
     "-i in.mp4 -b:a 128k -af aresample=async=24:min_hard_comp=0.100000:first_pts=0 out.avi"},
    {"-async 24 -i in.mp4 out.avi", "-i in.mp4 out.avi"},
    {"-vsync 24 -i in.mp4 out.avi", "-i in.mp4 -fps_mode:v cfr out.avi"},
    {"-vsync 1 -i in.mp4 out.avi", "-i in.mp4 -fps_mode:v cfr out.avi"},
    {"-vsync 0 -i in.mp4 out.avi", "-i in.mp4 -fps_mode:v passthrough out.avi"},
    {"-vsync 2 -i in.mp4 out.avi", "-i in.mp4 -fps_mode:v vfr out.avi"},
    {"-vsync -1 -i in.mp4 out.avi", "-i in.mp4 -fps_mode:v auto out.avi"},
    {"-i in.mp4 -b 1150k out.avi", "-i in.mp4 -b:v 1150k out.avi"},
    {"-i in.mp4 -s 320x240 out.avi", "-i in.mp4 -s 320x240 out.avi"},
    {"-i in.mp4 -r 29.97 out.avi", "-i in.mp4 -r 29.97 out.avi"},
    {"-i in.mp4 -aspect 4:3 out.avi", "-i in.mp4 -aspect 4:3 out.avi"},
    {"-i in.mp4 -scodec copy  out.avi", "-i in.mp4 -sn out.avi"},
    {"-i in.mp4 -title \"My Clip\" out.avi", "-i in.mp4 -metadata \"title=My Clip\" out.avi"},
    {"-i in.mp4 -ab 192.00k  out.avi", "-i in.mp4 -b:a 192k out.avi"},
    {"-i in.mp4 -ab 12.20k  out.avi", "-i in.mp4 -b:a 12.2k out.avi"},
    {"-i in.mp4 -ac 2 out.avi", "-i in.mp4 -ac 2 out.avi"},
    {"-i in.mp4 -ar 44100.00 out.avi", "-i in.mp4 -ar 44100 out.avi"},
    {"-i in.mp4 -author \"A B\" out.avi", "-i in.mp4 -metadata \"artist=A B\" out.avi"},
    {"-i in.mp4 -album \"Album\" out.avi", "-i in.mp4 -metadata album=Album out.avi"},
    {"-i in.mp4 -copyright \"(c) K\" out.avi", "-i in.mp4 -metadata \"copyright=(c) K\" out.avi"},
    {"-i in.mp4 -comment \"Note\" out.avi", "-i in.mp4 -metadata comment=Note out.avi"},
    {"-i in.mp4 -ab 128.00k -vol 256 out.avi", "-i in.mp4 -b:a 128k out.avi"},
    {"-i in.mp4 -ab 128.00k -vol 512 out.avi", "-i in.mp4 -b:a 128k -af volume=2 out.avi"},
    {"-i in.mp4 -ab 128.00k -vol 128 out.avi", "-i in.mp4 -b:a 128k -af volume=0.5 out.avi"},
    {"-i in.mp4 -vol 512 out.avi", "-i in.mp4 out.avi"},
    {"-async 24 -i in.mp4 -ac 1 -vol 0 out.avi",
     "-i in.mp4 -ac 1 -af aresample=async=24:min_hard_comp=0.100000:first_pts=0,volume=0 "
     "out.avi"},
    {"-i in.mp4 -ss 00:00:10 out.avi", "-ss 00:00:10 -i in.mp4 out.avi"},
    {"-i in.mp4 -t 50 out.avi", "-i in.mp4 -t 50 out.avi"},
    {"-i in.mp4 -f avi out.avi", "-i in.mp4 -f avi out.avi"},
    {"-i in.mp4 -vcodec  mpeg4 out.avi", "-i in.mp4 -c:v mpeg4 out.avi"},
    {"-i in.mp4 -vcodec divx out.avi", "-i in.mp4 -c:v mpeg4 out.avi"},
    {"-i in.mp4 -vcodec xvid out.avi", "-i in.mp4 -c:v libxvid out.avi"},
    {"-i in.mp4 -vcodec swf out.flv", "-i in.mp4 -c:v flv out.flv"},
    {"-i in.mp4 -vcodec h264 out.avi", "-i in.mp4 -c:v libx264 out.avi"},
    {"-i in.mp4 -vcodec libxvid out.avi", "-i in.mp4 -c:v libxvid out.avi"},
    {"-i in.mp4 -acodec libfaac out.avi", "-i in.mp4 -c:a aac out.avi"},
    {"-i in.mp4 -acodec mpeg4aac out.m4a", "-i in.mp4 -c:a aac out.m4a"},
    {"-i in.mp4 -acodec mp3 out.mp3", "-i in.mp4 -c:a libmp3lame out.mp3"},
    {"-i in.mp4 -acodec libamr_nb out.avi",
     "-i in.mp4 -c:a libopencore_amrnb -ar 8000 -ac 1 out.avi"},
    {"-i in.mp4 -acodec libamr_wb out.avi",
     "-i in.mp4 -c:a libvo_amrwbenc -ar 16000 -ac 1 out.avi"},
    {"-i in.mp4 -vtag xvid out.avi", "-i in.mp4 -tag:v xvid out.avi"},
    {"-i in.mp4 -target pal-dvd -acodec ac3 out.mpg", "-i in.mp4 -target pal-dvd -c:a ac3 out.mpg"},
    {"-i in.mp4 -vn -acodec wmav2 out.wma", "-i in.mp4 -vn -c:a wmav2 out.wma"},
    {"-i in.mp4 -shortest out.avi", "-i in.mp4 -shortest out.avi"},
    {"-i in.mp4 -bitexact out.avi", "-i in.mp4 -bitexact out.avi"},
    {"-i in.mp4 -qmin 10 -qmax 31 -sameq  out.avi", "-i in.mp4 -qmin 10 -qmax 31 out.avi"},
    {"-i in.mp4 -qscale 4 out.avi", "-i in.mp4 -q:v 4 out.avi"},
    {"-i in.mp4 -mbd 2 -qmin 2 out.avi", "-i in.mp4 -mbd 2 -qmin 2 out.avi"},
    {"-i in.mp4 -qdiff 4 -qcomp 0.6 -maxrate 768k -bufsize 10M -bt 48k out.avi",
     "-i in.mp4 -qdiff 4 -qcomp 0.6 -maxrate 768k -bufsize 10M -bt 48k out.avi"},
    {"-i in.mp4 -g 300 -keyint_min 25 -sc_threshold 40 -i_qfactor 0.71 out.avi",
     "-i in.mp4 -g 300 -keyint_min 25 -sc_threshold 40 -i_qfactor 0.71 out.avi"},
    {"-i in.mp4 -cmp 2 -subcmp 2 -subq 7 -trellis 2 -refs 2 -bf 1 -me_range 16 out.avi",
     "-i in.mp4 -cmp 2 -subcmp 2 -subq 7 -trellis 2 -refs 2 -bf 1 -me_range 16 out.avi"},
    {"-i in.mp4 -bidir_refine 1 -b_strategy 1 out.avi",
     "-i in.mp4 -bidir_refine 1 -b_strategy 1 out.avi"},
    {"-i in.mp4 -flags +aic+mv4+trell -mbd 2 out.avi",
     "-i in.mp4 -trellis 1 -flags +aic+mv4 -mbd 2 out.avi"},
    {"-i in.mp4 -flags +loop out.avi", "-i in.mp4 -flags +loop out.avi"},
    {"-i in.mp4 -flags +trell out.avi", "-i in.mp4 -trellis 1 out.avi"},
    {"-i in.mp4 -flags2 +mixed_refs+brdo -me_range 16 out.avi", "-i in.mp4 -me_range 16 out.avi"},
    {"-i in.mp4 -rc_eq \"blurCplx^(1-qComp)\" -qcomp 0.6 out.avi", "-i in.mp4 -qcomp 0.6 out.avi"},
    // options only libx264 takes: kept for it, dropped for every other encoder
    {"-i in.mp4 -vcodec libx264 -level 30 -coder 0 out.avi",
     "-i in.mp4 -c:v libx264 -level 30 -coder 0 out.avi"},
    {"-i in.mp4 -vcodec mpeg4 -level 30 -coder 0 out.avi", "-i in.mp4 -c:v mpeg4 out.avi"},
    {"-i in.mp4 -vcodec libx264 -vlevel 13 out.avi", "-i in.mp4 -c:v libx264 -level:v 13 out.avi"},
    {"-i in.mp4 -vcodec mpeg4 -vlevel 13 out.avi", "-i in.mp4 -c:v mpeg4 out.avi"},
    {"-i in.mp4 -vcodec libx264 -partitions +parti4x4+partp8x8 out.avi",
     "-i in.mp4 -c:v libx264 -partitions +parti4x4+partp8x8 out.avi"},
    {"-i in.mp4 -vcodec h263 -partitions +parti4x4 out.avi", "-i in.mp4 -c:v h263 out.avi"},
    {"-i in.mp4 -vcodec libx264 -me umh out.avi", "-i in.mp4 -c:v libx264 -me_method umh out.avi"},
    {"-i in.mp4 -vcodec mpeg4 -me umh out.avi", "-i in.mp4 -c:v mpeg4 out.avi"},
    // the user's choices are enc's own: FFmpeg never sees them
    {"-i in.mp4 -audio_track 1 -default_tracks 1,2 -burn_subtitles 3 -crop_box 2:2:0:0 -denoise "
     "light -deblock -grayscale -turn 90 -flip vertical -deinterlace off out.avi",
     "-i in.mp4 out.avi"},
    // an option the table does not know passes through with its value
    {"-i in.mp4 -threads 2 out.avi", "-i in.mp4 -threads 2 out.avi"},
};

class OptionRowTest : public testing::TestWithParam<RowCase> {};

TEST_P(OptionRowTest, TranslatesForFfmpeg51) {
    EXPECT_EQ(Translate(GetParam().legacy), GetParam().expected) << GetParam().legacy;
}

INSTANTIATE_TEST_SUITE_P(EveryRow, OptionRowTest, testing::ValuesIn(kRowCases),
                         [](const testing::TestParamInfo<RowCase>& info) {
                             return "Case" + std::to_string(info.index);
                         });

TEST(OptionTableTest, EveryRowHasACase) {
    for (const enc::OptionRow& row : enc::OptionRows()) {
        bool covered = false;
        for (const RowCase& rowCase : kRowCases) {
            std::vector<std::string> arguments = SplitCommandLine(rowCase.legacy);
            covered = covered || std::find(arguments.begin(), arguments.end(),
                                           std::string(row.legacy)) != arguments.end();
        }
        EXPECT_TRUE(covered) << row.legacy << " has no translation case";
    }
}

TEST(OptionTableTest, LegacyNamesAreUnique) {
    auto rows = enc::OptionRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t j = i + 1; j < rows.size(); ++j)
            EXPECT_NE(rows[i].legacy, rows[j].legacy);
    }
}

TEST(OptionTableTest, NumberFormsAreExact) {
    EXPECT_EQ(enc::ApplyValueForm(enc::ValueForm::Kilobits, "128.00k"), "128k");
    EXPECT_EQ(enc::ApplyValueForm(enc::ValueForm::Kilobits, "12.20k"), "12.2k");
    EXPECT_EQ(enc::ApplyValueForm(enc::ValueForm::Kilobits, "fast"), "fast");
    EXPECT_EQ(enc::ApplyValueForm(enc::ValueForm::WholeNumber, "44100.00"), "44100");
    EXPECT_EQ(enc::ApplyValueForm(enc::ValueForm::WholeNumber, "22050.5"), "22050.5");
    EXPECT_EQ(enc::ApplyValueForm(enc::ValueForm::WholeNumber, ""), "");
}

} // namespace
} // namespace kiv::test
