// Whole command lines as the program builds them (the executable and the
// fixed first token already split off), and what FFmpeg runs for them.

#include "TranslationTestSupport.h"

#include <gtest/gtest.h>

namespace kiv::test {
namespace {

constexpr const char* kAsync = "aresample=async=24:min_hard_comp=0.100000:first_pts=0";

std::string Expected(const std::string& middle, const std::string& output) {
    return middle + " -fps_mode:v cfr -af " + kAsync + " " + output;
}

TEST(FullLineTest, DivxAvi) {
    EXPECT_EQ(Translate(" -async 24 -vsync 24 -i \"/in/clip one.mp4\" -b 1150k -s 320x240 -r 29.97 "
                        "-scodec copy  -ab 192.00k  -ac 2 -ar 44100.00 -vol 256 -ss 00:00:00 -t 10 "
                        "-f avi -vcodec  mpeg4 -vtag divx  -acodec libmp3lame -y "
                        "\"/out/clip_divx_libmp3lame.avi\""),
              Expected("-ss 00:00:00 -i \"/in/clip one.mp4\" -b:v 1150k -s 320x240 -r 29.97 -sn "
                       "-b:a 192k -ac 2 -ar 44100 -t 10 -f avi -c:v mpeg4 -tag:v divx -c:a "
                       "libmp3lame",
                       "/out/clip_divx_libmp3lame.avi"));
}

TEST(FullLineTest, IpodExcellentIsBaselineH264) {
    EXPECT_EQ(
        Translate(" -async 24 -vsync 24 -i \"/in/c.mp4\" -b 2500k -s 640x480 -r 30.00 -scodec "
                  "copy  -ab 160.00k  -ac 2 -ar 48000.00 -vol 256 -ss 00:00:00 -t 10 -f mp4  "
                  "-vcodec libx264 -acodec libfaac -coder 0 -g 250 -level 30 -qmin 10 -qmax "
                  "51 -maxrate 10000k -bufsize 10M  -y \"/out/c_libx264_libfaac.mp4\""),
        Expected("-ss 00:00:00 -i /in/c.mp4 -b:v 2500k -s 640x480 -r 30.00 -sn -b:a 160k "
                 "-ac 2 -ar 48000 -t 10 -f mp4 -c:v libx264 -c:a aac -coder 0 -g 250 -level "
                 "30 -qmin 10 -qmax 51 -maxrate 10000k -bufsize 10M",
                 "-profile:v baseline -pix_fmt yuv420p /out/c_libx264_libfaac.mp4"));
}

TEST(FullLineTest, AppleTvLevel30Set) {
    EXPECT_EQ(
        Translate(
            " -async 24 -vsync 24 -i \"/in/c.mp4\" -b 5000k -s 1280x720 -r 24.00 -scodec copy "
            " -ab 160.00k  -ac 2 -ar 44100.00 -vol 256 -ss 00:00:00 -t 10 -f mp4  -vcodec "
            "libx264 -acodec libfaac -flags +loop -cmp +chroma -partitions "
            "+parti4x4+partp4x4+partp8x8+partb8x8 -me umh -subq 7 -trellis 2 -refs 1 -coder 0 "
            "-me_range 16 -g 300 -keyint_min 25 -sc_threshold 40 -i_qfactor 0.71 -maxrate 10M "
            "-bufsize 10M -rc_eq \"blurCplx^(1-qComp)\" -qcomp 0.6 -qmin 10 -qmax 51 -qdiff 4 "
            "-level 30  -y \"/out/c_libx264_libfaac.mp4\""),
        Expected("-ss 00:00:00 -i /in/c.mp4 -b:v 5000k -s 1280x720 -r 24.00 -sn -b:a 160k -ac 2 "
                 "-ar 44100 -t 10 -f mp4 -c:v libx264 -c:a aac -flags +loop -cmp +chroma "
                 "-partitions +parti4x4+partp4x4+partp8x8+partb8x8 -me_method umh -subq 7 -trellis "
                 "2 -refs 1 -coder 0 -me_range 16 -g 300 -keyint_min 25 -sc_threshold 40 "
                 "-i_qfactor 0.71 -maxrate 10M -bufsize 10M -qcomp 0.6 -qmin 10 -qmax 51 -qdiff 4 "
                 "-level 30",
                 "-profile:v baseline -pix_fmt yuv420p /out/c_libx264_libfaac.mp4"));
}

TEST(FullLineTest, IpodTvOutMpeg4) {
    EXPECT_EQ(
        Translate(" -async 24 -vsync 24 -i \"/in/c.mp4\" -b 1500k -s 512x384 -r 24.00 -scodec "
                  "copy  -ab 160.00k  -ac 2 -ar 48000.00 -vol 256 -ss 00:00:00 -t 10 -f mp4  "
                  "-vcodec mpeg4 -acodec libfaac -flags +aic+mv4+trell -mbd 2 -cmp 2 -subcmp "
                  "2 -g 250 -qmin 10 -qmax 51 -y \"/out/c_mpeg4_libfaac.mp4\""),
        Expected("-ss 00:00:00 -i /in/c.mp4 -b:v 1500k -s 512x384 -r 24.00 -sn -b:a 160k -ac "
                 "2 -ar 48000 -t 10 -f mp4 -c:v mpeg4 -c:a aac -trellis 1 -flags +aic+mv4 "
                 "-mbd 2 -cmp 2 -subcmp 2 -g 250 -qmin 10 -qmax 51",
                 "/out/c_mpeg4_libfaac.mp4"));
}

TEST(FullLineTest, PspLevel21SetIsMainH264) {
    EXPECT_EQ(
        Translate(" -async 24 -vsync 24 -i \"/in/c.mp4\" -b 768k -s 720x480 -r 29.97 -scodec copy  "
                  "-ab 128.00k  -ac 2 -ar 48000.00 -vol 256 -ss 00:00:00 -t 10 -vcodec libx264 "
                  "-acodec libfaac -f psp  -bufsize 10M  -flags +loop -cmp +chroma -partitions "
                  "+parti4x4+partp8x8+partb8x8 -flags2 +mixed_refs+brdo -me umh -subq 7 -trellis 2 "
                  "-bidir_refine 1 -refs 2 -bf 1 -b_strategy 1 -coder 1 -me_range 16 -g 300 "
                  "-keyint_min 25 -sc_threshold 40 -i_qfactor 0.71 -bt 48k -maxrate 768k -bufsize "
                  "10M -rc_eq \"blurCplx^(1-qComp)\" -qcomp 0.6 -qmin 10 -qmax 51 -qdiff 4 -level "
                  "21  -y \"/out/c_libx264_libfaac.mp4\""),
        Expected("-ss 00:00:00 -i /in/c.mp4 -b:v 768k -s 720x480 -r 29.97 -sn -b:a 128k -ac 2 -ar "
                 "48000 -t 10 -c:v libx264 -c:a aac -f psp -bufsize 10M -flags +loop -cmp +chroma "
                 "-partitions +parti4x4+partp8x8+partb8x8 -me_method umh -subq 7 -trellis 2 "
                 "-bidir_refine 1 -refs 2 -bf 1 -b_strategy 1 -coder 1 -me_range 16 -g 300 "
                 "-keyint_min 25 -sc_threshold 40 -i_qfactor 0.71 -bt 48k -maxrate 768k -bufsize "
                 "10M -qcomp 0.6 -qmin 10 -qmax 51 -qdiff 4 -level 21",
                 "-profile:v main -pix_fmt yuv420p /out/c_libx264_libfaac.mp4"));
}

TEST(FullLineTest, PspQscaleSet) {
    EXPECT_EQ(Translate(" -async 24 -vsync 24 -i \"/in/c.mp4\" -b 768k -s 320x240 -r 29.97 -scodec "
                        "copy  -ab 128.00k  -ac 2 -ar 44100.00 -vol 256 -ss 00:00:00 -t 10 -vcodec "
                        "mpeg4 -acodec libfaac -f psp  -bufsize 10M  -qscale 4 -bitexact -maxrate "
                        "768k  -y \"/out/c_mpeg4_libfaac.mp4\""),
              Expected("-ss 00:00:00 -i /in/c.mp4 -b:v 768k -s 320x240 -r 29.97 -sn -b:a 128k -ac "
                       "2 -ar 44100 -t 10 -c:v mpeg4 -c:a aac -f psp -bufsize 10M -q:v 4 "
                       "-bitexact -maxrate 768k",
                       "/out/c_mpeg4_libfaac.mp4"));
}

TEST(FullLineTest, PalDvdPreset) {
    EXPECT_EQ(
        Translate(" -async 24 -vsync 24 -i \"/in/c.mp4\" -b 6000k -s 720x576 -r 25.00 -aspect "
                  "4:3 -scodec copy  -ab 448.00k  -ac 2 -ar 44100.00 -vol 256 -ss 00:00:00 -t "
                  "10 -target pal-dvd -acodec ac3 -mbd 2 -qmin 2  -y "
                  "\"/out/c_pal-dvd_ac3.mpg\""),
        Expected("-ss 00:00:00 -i /in/c.mp4 -b:v 6000k -s 720x576 -r 25.00 -aspect 4:3 -sn "
                 "-b:a 448k -ac 2 -ar 44100 -t 10 -target pal-dvd -c:a ac3 -mbd 2 -qmin 2",
                 "/out/c_pal-dvd_ac3.mpg"));
}

TEST(FullLineTest, SwfVariantZero) {
    EXPECT_EQ(
        Translate(" -async 24 -vsync 24 -i \"/in/c.mp4\" -b 1150k -s 320x240 -r 23.97 -scodec "
                  "copy  -ab 256.00k  -ac 2 -ar 44100.00 -vol 256 -ss 00:00:00 -t 10 -g 0 -f "
                  "swf -acodec libmp3lame -qmin 10 -qmax 31 -sameq  -y "
                  "\"/out/c_swf_libmp3lame.swf\""),
        Expected("-ss 00:00:00 -i /in/c.mp4 -b:v 1150k -s 320x240 -r 23.97 -sn -b:a 256k -ac "
                 "2 -ar 44100 -t 10 -g 0 -f swf -c:a libmp3lame -qmin 10 -qmax 31",
                 "/out/c_swf_libmp3lame.swf"));
}

TEST(FullLineTest, ThreeGpAmr) {
    EXPECT_EQ(Translate(" -async 24 -vsync 24 -i \"/in/c.mp4\" -b 512k -s 176x144 -r 12.00 -scodec "
                        "copy  -ab 12.20k  -ac 1 -ar 8000.00 -vol 256 -ss 00:00:00 -t 10 -vcodec "
                        "h263 -acodec libamr_nb -f 3gp  -y \"/out/c_h263_libamr_nb.3gp\""),
              Expected("-ss 00:00:00 -i /in/c.mp4 -b:v 512k -s 176x144 -r 12.00 -sn -b:a 12.2k -ac "
                       "1 -ar 8000 -t 10 -c:v h263 -c:a libopencore_amrnb -f 3gp",
                       "/out/c_h263_libamr_nb.3gp"));
}

TEST(FullLineTest, AudioOnlySourceWithVolume) {
    EXPECT_EQ(Translate(" -async 24 -vsync 24 -i \"/in/song.mp3\" -ab 128.00k  -ac 2 -ar 44100.00 "
                        "-vol 384 -ss 00:00:05 -t 20 -vn -acodec wmav2  -y \"/out/song.wma\""),
              "-ss 00:00:05 -i /in/song.mp3 -b:a 128k -ac 2 -ar 44100 -t 20 -vn -c:a wmav2 "
              "-fps_mode:v cfr -af " +
                  std::string(kAsync) + ",volume=1.5 /out/song.wma");
}

TEST(FullLineTest, VideoOnlySourceHasNoAudioFilter) {
    EXPECT_EQ(
        Translate(" -async 24 -vsync 24 -i \"/in/v.mp4\" -b 1150k -s 320x240 -r 25.00 "
                  "-scodec copy  -vol 512 -vcodec wmv2 -acodec wmav2 -y \"/out/v_wmv2_wmav2.wmv\""),
        "-i /in/v.mp4 -b:v 1150k -s 320x240 -r 25.00 -sn -c:v wmv2 -c:a wmav2 -fps_mode:v cfr "
        "/out/v_wmv2_wmav2.wmv");
}

TEST(FullLineTest, SourceQualityWithoutExtension) {
    EXPECT_EQ(
        Translate(" -async 24 -vsync 24 -i \"/in/c.mp4\" -b 1150k -s 320x240 -r 25.00 -scodec "
                  "copy  -ab 128.00k  -ac 2 -ar 44100.00 -vol 256 -vcodec mjpeg -acodec "
                  "pcm_s16le -y \"/out/c_mjpeg_pcm_s16le\""),
        "-i /in/c.mp4 -b:v 1150k -s 320x240 -r 25.00 -sn -b:a 128k -ac 2 -ar 44100 -c:v mjpeg "
        "-c:a pcm_s16le -fps_mode:v cfr -af " +
            std::string(kAsync) + " -f avi /out/c_mjpeg_pcm_s16le");
}

TEST(FullLineTest, SlideshowMusicAndLevel) {
    EXPECT_EQ(Translate("-i \"/m/music.mp3\" -i \"/w/kiv.avs\" -shortest -vcodec libx264 -coder 1 "
                        "-coder 1 -g 250 -vlevel 13 -y \"/o/show.mp4\""),
              "-i /m/music.mp3 -i /w/kiv.avs -shortest -c:v libx264 -coder 1 -coder 1 -g 250 "
              "-level:v 13 /o/show.mp4");
}

TEST(FullLineTest, MalformedLines) {
    EXPECT_EQ(Translate("-i in.mp4"), "error: no output file");
    EXPECT_EQ(Translate("-b 100k out.avi"), "error: no input file");
    EXPECT_EQ(Translate("-i in.mp4 stray out.avi"), "error: unexpected argument \"stray\"");
    EXPECT_EQ(Translate("-i"), "error: option -i needs a value");
    EXPECT_EQ(Translate(""), "error: no output file");
}

// Numbers no encoder could take are refused before any arithmetic reads
// them; edge values and what is no number at all go on.
TEST(FullLineTest, NumbersOutOfRange) {
    const struct {
        const char* options;
        const char* error; // empty: the line translates
    } rows[] = {
        {"-ar 4.5e15", "the sample rate 4.5e15 is out of range: it lies between 1 and 1000000 Hz"},
        {"-ar 0", "the sample rate 0 is out of range: it lies between 1 and 1000000 Hz"},
        {"-ac 65", "the channel count 65 is out of range: it lies between 1 and 64"},
        {"-ab 123456k",
         "the audio bit rate 123456k is out of range: it lies between 0 and 100000 kb/s"},
        {"-b -5k", "the video bit rate -5k is out of range: it lies between 0 and 1000000 kb/s"},
        {"-r 30000/0",
         "the frame rate 30000/0 is out of range: it lies between 0.001 and 1000 frames a second"},
        {"-s 99999999999x2",
         "the frame size 99999999999x2 is out of range: it lies between 1 and 16384 pixels a side"},
        {"-aspect 4:0", "the aspect 4:0 is out of range: it lies between 0.001 and 1000"},
        {"-ar 1000000 -ac 64 -ab 0.5k -b 0 -r 30000/1001 -s 16384x16384 -aspect 1e-3", ""},
        {"-ar cd -s vga -r ntsc", ""},
    };
    for (const auto& row : rows) {
        std::string result = Translate(std::string("-i in.wav ") + row.options + " out.mkv");
        if (*row.error)
            EXPECT_EQ(result, std::string("error: ") + row.error) << row.options;
        else
            EXPECT_EQ(result.rfind("error", 0), std::string::npos) << result;
    }
}

} // namespace
} // namespace kiv::test
