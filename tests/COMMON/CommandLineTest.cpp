// Exact encoder command lines, byte for byte, for every target builder and
// every option set.

#include "CFFmpegEncoder.h"
#include "EncoderTestSupport.h"
#include "JobFixture.h"
#include "Log.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <regex>

using namespace kiv;
using namespace kiv::test;

namespace {

struct Row {
    int kind, variant;
    const char *videoCodec, *audioCodec;
    std::string tail; // everything after the shared prefix
};

const std::string kL30 =
    " -flags +loop -cmp +chroma -partitions +parti4x4+partp4x4+partp8x8+partb8x8 -me umh -subq 7 "
    "-trellis 2 -refs 1 -coder 0 -me_range 16 -g 300 -keyint_min 25 -sc_threshold 40 -i_qfactor "
    "0.71 -maxrate 10M -bufsize 10M -rc_eq \"blurCplx^(1-qComp)\" -qcomp 0.6 -qmin 10 -qmax 51 "
    "-qdiff 4 -level 30 ";
const std::string kL21 =
    " -flags +loop -cmp +chroma -partitions +parti4x4+partp8x8+partb8x8 -flags2 +mixed_refs+brdo "
    "-me umh -subq 7 -trellis 2 -bidir_refine 1 -refs 2 -bf 1 -b_strategy 1 -coder 1 -me_range 16 "
    "-g 300 -keyint_min 25 -sc_threshold 40 -i_qfactor 0.71 -bt 48k -maxrate 768k -bufsize 10M "
    "-rc_eq \"blurCplx^(1-qComp)\" -qcomp 0.6 -qmin 10 -qmax 51 -qdiff 4 -level 21 ";
const std::string kMp4 = " -f mp4  -vcodec libx264 -acodec libfaac";
const std::string kPsp = " -vcodec libx264 -acodec libfaac -f psp  -bufsize 10M ";
const std::string kMp4Out = " -y \"/out/clip_libx264_libfaac.mp4\"";

const Row kRows[] = {
    // AVI
    {1, 0, "libxvid", "libmp3lame",
     " -f avi -vcodec libxvid -vtag xvid  -acodec libmp3lame -y "
     "\"/out/clip_libxvid_libmp3lame.avi\""},
    {1, 1, "divx", "libmp3lame",
     " -f avi -vcodec  mpeg4 -vtag divx  -acodec libmp3lame -y \"/out/clip_divx_libmp3lame.avi\""},
    {1, 2, "msmpeg4", "libmp3lame",
     " -f avi -vcodec msmpeg4 -vtag MP43  -acodec libmp3lame -y "
     "\"/out/clip_msmpeg4_libmp3lame.avi\""},
    {1, -1, "libx264", "libmp3lame",
     " -f avi -vcodec libx264 -acodec libmp3lame -y \"/out/clip_libx264_libmp3lame.avi\""},
    // ASF and WMV
    {2, 2, "wmv2", "wmav2", " -vcodec wmv2 -acodec wmav2 -y \"/out/clip_wmv2_wmav2.wmv\""},
    {2, 4, "wmv2", "wmav2", " -vcodec wmv2 -acodec wmav2  -f asf  -y \"/out/clip_wmv2_wmav2.wmv\""},
    {2, 3, "msmpeg4", "wmav2",
     " -vcodec msmpeg4 -acodec wmav2  -f asf  -y \"/out/clip_msmpeg4_wmav2.asf\""},
    {2, 1, "wmv1", "wmav1", " -vcodec wmv1 -acodec wmav1 -y \"/out/clip_wmv1_wmav1.wmv\""},
    {2, 0, "msmpeg4v2", "wmav2",
     " -vcodec msmpeg4v2 -acodec wmav2 -y \"/out/clip_msmpeg4v2_wmav2.asf\""},
    // MPEG program stream
    {3, 5, "pal-dvd", "ac3",
     " -target pal-dvd -acodec ac3 -mbd 2 -qmin 2  -y \"/out/clip_pal-dvd_ac3.mpg\""},
    {3, 0, "mpeg2video", "mp2",
     " -vcodec mpeg2video -acodec mp2 -mbd 2 -qmin 2  -y \"/out/clip_mpeg2video_mp2.mpg\""},
    {3, 0, "mpeg1video", "mp2",
     " -vcodec mpeg1video -acodec mp2 -mbd 2 -qmin 2  -y \"/out/clip_mpeg1video_mp2.mpg\""},
    // MP4 option sets
    {4, 0, "libx264", "libfaac", kMp4 + " -qmin 10 -qmax 31 -maxrate 768k -bufsize 10M " + kMp4Out},
    {4, 1, "libx264", "libfaac", kMp4 + " -qmin 10 -qmax 31 -maxrate 768k -bufsize 10M " + kMp4Out},
    {4, 3, "libx264", "libfaac", kMp4 + " -qmin 2 -qmax 31 -maxrate 768k -bufsize 10M " + kMp4Out},
    {4, 5, "libx264", "libfaac",
     kMp4 + " -qmin 2 -qmax 31 -level 13 -g 250 -coder 0 -maxrate 6000k -bufsize 10M " + kMp4Out},
    {4, 6, "libx264", "libfaac",
     kMp4 + " -qmin 10 -qmax 31 -level 21 -g 250 -coder 0 -maxrate 6000k -bufsize 10M " + kMp4Out},
    {4, 9, "libx264", "libfaac",
     kMp4 + " -coder 0 -g 250 -level 30 -qmin 10 -qmax 51 -maxrate 10000k -bufsize 10M " + kMp4Out},
    {4, 10, "mpeg4", "libfaac",
     " -f mp4  -vcodec mpeg4 -acodec libfaac -flags +aic+mv4+trell -mbd 2 -cmp 2 -subcmp 2 -g 250 "
     "-qmin 10 -qmax 51 -y \"/out/clip_mpeg4_libfaac.mp4\""},
    {4, 11, "libx264", "libfaac", kMp4 + kL30 + kMp4Out},
    {4, 12, "libx264", "libfaac",
     " -f mov  -vcodec libx264 -acodec libfaac -qmin 10 -qmax 31 -maxrate 768k -bufsize 10M  -y "
     "\"/out/clip_libx264_libfaac.mov\""},
    {4, 13, "libx264", "libfaac", kMp4 + kMp4Out},
    // 3GP family, both kinds
    {9, 0, "h263", "libfaac",
     " -vcodec h263 -acodec libfaac -f 3gp  -y \"/out/clip_h263_libfaac.3gp\""},
    {5, 1, "mpeg4", "libfaac",
     " -vcodec mpeg4 -acodec libfaac -f 3g2  -y \"/out/clip_mpeg4_libfaac.3g2\""},
    {9, 2, "mpeg4", "libmp3lame",
     " -vcodec mpeg4 -acodec libmp3lame -f avi  -y \"/out/clip_mpeg4_libmp3lame.avi\""},
    {5, 3, "mpeg4", "mp2", " -vcodec mpeg4 -acodec mp2 -f avi  -y \"/out/clip_mpeg4_mp2.avi\""},
    {9, 4, "mpeg4", "libfaac", " -vcodec mpeg4 -acodec libfaac -y \"/out/clip_mpeg4_libfaac.wmv\""},
    {9, 5, "mpeg4", "libfaac",
     " -vcodec mpeg4 -acodec libfaac -f mp4  -y \"/out/clip_mpeg4_libfaac.mp4\""},
    {5, 6, "libx264", "libfaac",
     " -vcodec libx264 -acodec libfaac -f mp4  -y \"/out/clip_libx264_libfaac.mp4\""},
    {9, 7, "mpeg4", "libfaac", " -vcodec mpeg4 -acodec libfaac -y \"/out/clip_mpeg4_libfaac.mpg\""},
    {5, 8, "mpeg4", "libfaac", " -vcodec mpeg4 -acodec libfaac -y \"/out/clip_mpeg4_libfaac.mov\""},
    {9, 9, "mpeg4", "libfaac", " -vcodec mpeg4 -acodec libfaac -y \"/out/clip_mpeg4_libfaac\""},
    // Flash
    {6, 0, "swf", "libmp3lame",
     " -g 0 -f swf -acodec libmp3lame -qmin 10 -qmax 31 -sameq  -y "
     "\"/out/clip_swf_libmp3lame.swf\""},
    {6, 1, "flv", "libmp3lame",
     " -f flv -vcodec flv -acodec libmp3lame -qmin 10 -qmax 31 -sameq  -y "
     "\"/out/clip_flv_libmp3lame.flv\""},
    // QuickTime
    {7, 1, "divx", "libmp3lame",
     " -f mov -vcodec  mpeg4  -acodec libmp3lame -y \"/out/clip_divx_libmp3lame.mov\""},
    {7, 2, "libx264", "libfaac",
     " -f mov -vcodec libx264 -acodec libfaac -y \"/out/clip_libx264_libfaac.mov\""},
    // PSP option sets
    {8, 1, "libx264", "libfaac", kPsp + " -maxrate 1500k -coder 1 -g 250 " + kMp4Out},
    {8, 2, "libx264", "libfaac", kPsp + " -maxrate 1500k -coder 1 -g 250 " + kMp4Out},
    {8, 3, "libx264", "libfaac", kPsp + kL21 + kMp4Out},
    {8, 4, "libx264", "libfaac",
     kPsp + " -g 250 -coder 1 -bufsize 10M -qmin 10 -qmax 51 -sameq -maxrate 6000k" + kMp4Out},
    {8, 5, "libx264", "libfaac", kPsp + " -maxrate 768k " + kMp4Out},
    {8, 6, "libx264", "libfaac", kPsp + " -qscale 4 -bitexact -maxrate 768k " + kMp4Out},
    {8, 7, "libx264", "libfaac", kPsp + " -qscale 7 -bitexact -maxrate 768k " + kMp4Out},
    {8, 8, "libx264", "libfaac", kPsp + " -qscale 10 -bitexact -maxrate 768k " + kMp4Out},
    {8, 9, "libx264", "libfaac",
     kPsp + " -maxrate 1500k -coder 1 -g 250 -qscale 25 -bitexact " + kMp4Out},
    {8, 0, "libx264", "libfaac", kPsp + kMp4Out},
    // Audio-only kinds: the file name carries no codec names.
    {11, 0, "libx264", "libfaac", " -vn -acodec wmav2  -y \"/out/clip.wma\""},
    {12, 0, "libx264", "libfaac", " -vn -acodec mp3  -y \"/out/clip.mp3\""},
    {13, 0, "libx264", "libfaac", " -vn -f ogg  -y \"/out/clip.ogg\""},
    {14, 0, "libx264", "libfaac", " -vn -acodec libfaac  -y \"/out/clip.aac\""},
    {15, 0, "libx264", "libfaac", " -vn -acodec mp2  -y \"/out/clip.mp2\""},
    {16, 0, "libx264", "libfaac", " -vn -acodec mpeg4aac  -y \"/out/clip.m4a\""},
    {17, 0, "libx264", "libfaac", " -vn -acodec ac3  -y \"/out/clip.ac3\""},
    {18, 0, "libx264", "libfaac", " -vn -acodec libamr_nb  -y \"/out/clip.amr\""},
    {19, 0, "libx264", "libfaac", " -vn -acodec libamr_wb  -y \"/out/clip.amr\""},
    {20, 0, "libx264", "libfaac", " -vn -acodec pcm_s16le  -y \"/out/clip.wav\""},
    {21, 0, "libx264", "libfaac", " -vn -acodec adpcm_yamaha -f mmf  -y \"/out/clip.mmf\""},
    // Source quality
    {22, 0, "mjpeg", "pcm_s16le",
     " -vcodec mjpeg -acodec pcm_s16le -y \"/out/clip_mjpeg_pcm_s16le\""},
    {22, 1, "flv", "libmp3lame",
     " -vcodec flv -acodec libmp3lame -f flv  -y \"/out/clip_flv_libmp3lame.flv\""},
    {22, 2, "mjpeg", "pcm_s16le",
     " -vcodec mjpeg -acodec pcm_s16le -f avi -sameq -qmin 10 -qmax 31  -y "
     "\"/out/clip_mjpeg_pcm_s16le.avi\""},
    {22, 3, "mjpeg", "libmp3lame",
     " -vcodec mjpeg -acodec libmp3lame -sameq  -y \"/out/clip_mjpeg_libmp3lame.mov\""},
};

class CommandLine : public testing::Test {
protected:
    void SetUp() override {
        folder_ = ScratchFolder("command-line");
        ASSERT_TRUE(OpenLog((folder_ / "kiv.dmp").string()));
        ASSERT_EQ(encoder_.bInit(&init_), 1);
    }
    void TearDown() override { CloseLog(); }
    std::string Log() { return ReadFile(folder_ / "kiv.dmp"); }

    std::filesystem::path folder_;
    ProgressRecord record_;
    EncoderInit init_ = MakeInit(record_, "/opt/kiv/", 0);
    CFFmpegEncoder encoder_;
};

} // namespace

TEST_F(CommandLine, EveryBuilderAndOptionSetByteForByte) {
    for (const Row& row : kRows) {
        ConversionJob job = MakeJob(row.kind, row.variant, row.videoCodec, row.audioCodec);
        ASSERT_EQ(encoder_.bPrepareConvert(&job), 1) << row.kind << "/" << row.variant;
        EXPECT_EQ(encoder_.CommandLine(), kPrefix + row.tail) << row.kind << "/" << row.variant;
        std::string quoted = row.tail.substr(row.tail.rfind(" -y \"") + 5);
        EXPECT_EQ(GetText(job.outputPath), quoted.substr(0, quoted.size() - 1));
        EXPECT_EQ(encoder_.ProgressTotal(), 90);
    }
}

TEST_F(CommandLine, FailuresLeaveTheOutputPathAndLogTheirReason) {
    std::string expectedLog;
    for (auto [kind, variant] : {std::pair{6, 2}, {0, 0}, {10, 0}, {23, 0}, {-1, 0}}) {
        ConversionJob job = MakeJob(kind, variant, "flv", "libmp3lame");
        EXPECT_EQ(encoder_.bPrepareConvert(&job), 0) << kind;
        EXPECT_EQ(GetText(job.outputPath), "/out/clip");
        std::string reason = "no command line can be built for target kind " +
                             std::to_string(kind) + " with these settings";
        EXPECT_EQ(encoder_.LastResult().reason, reason);
        EXPECT_TRUE(encoder_.LastResult().Failed());
        expectedLog += "Module:COMMON/CFFmpegEncode,Error Info :" + reason + "\r\n";
    }
    EXPECT_EQ(Log(), expectedLog);
}

TEST_F(CommandLine, TheLogHoldsTheCommandFromItsFirstInputOption) {
    ConversionJob job = MakeJob(12, 0, "h264", "mp3");
    ASSERT_EQ(encoder_.bPrepareConvert(&job), 1);
    EXPECT_EQ(Log(), encoder_.CommandLine().substr(encoder_.CommandLine().find("-i")) + "\n");
}

TEST_F(CommandLine, StreamsTrimsAndTexts) {
    const std::string head =
        "\"/opt/kiv/enc\" quillon-transcode-gates  -async 24 -vsync 24 -i \"/in/clip.mp4\"";
    const std::string video = " -b 1150k -s 320x240 -r 29.97 -scodec copy ";
    const std::string audio = " -ab 128.00k  -ac 2 -ar 44100.00";

    ConversionJob noAudio = MakeJob(12, 0, "x", "y");
    noAudio.hasAudio = 0;
    SetText(noAudio.trimEnd, "");
    SetText(noAudio.trimStart, "00:00:10");
    ASSERT_EQ(encoder_.bPrepareConvert(&noAudio), 1);
    EXPECT_EQ(encoder_.CommandLine(),
              head + video + " -vol 256 -ss 00:00:10 -vn -acodec mp3  -y \"/out/clip.mp3\"");
    EXPECT_EQ(encoder_.ProgressTotal(), 125); // the whole video duration

    ConversionJob noVideo = MakeJob(1, 3, "libx264", "libmp3lame");
    noVideo.hasVideo = 0;
    SetText(noVideo.trimStart, "00:00:10");
    SetText(noVideo.trimEnd, "00:01:00");
    noVideo.target.volume = 512;
    ASSERT_EQ(encoder_.bPrepareConvert(&noVideo), 1);
    EXPECT_EQ(encoder_.CommandLine(),
              head + audio +
                  " -vol 512 -ss 00:00:10 -t 50 -f avi -vcodec libx264 -acodec libmp3lame -y "
                  "\"/out/clip_libx264_libmp3lame.avi\"");
    EXPECT_EQ(encoder_.ProgressTotal(), 50); // the clip's length, not its end

    ConversionJob untrimmed = MakeJob(20, 0, "x", "y");
    untrimmed.hasVideo = 0;
    SetText(untrimmed.trimStart, "");
    SetText(untrimmed.trimEnd, "");
    ASSERT_EQ(encoder_.bPrepareConvert(&untrimmed), 1);
    EXPECT_EQ(encoder_.CommandLine(),
              head + audio + " -vol 256 -vn -acodec pcm_s16le  -y \"/out/clip.wav\"");
    EXPECT_EQ(encoder_.ProgressTotal(), 61); // the audio duration without video

    ConversionJob zero = MakeJob(20, 0, "x", "y");
    SetText(zero.trimEnd, "00:00:00");
    ASSERT_EQ(encoder_.bPrepareConvert(&zero), 1);
    EXPECT_NE(encoder_.CommandLine().find(" -t 0 -vn"), std::string::npos);
    EXPECT_EQ(encoder_.ProgressTotal(), 0);

    ConversionJob tagged = MakeJob(7, 2, "libx264", "libfaac");
    SetText(tagged.target.aspect, "16:9");
    SetText(tagged.target.title, "My Film");
    SetText(tagged.target.author, "Ann");
    SetText(tagged.target.comment, "c");
    ASSERT_EQ(encoder_.bPrepareConvert(&tagged), 1);
    EXPECT_EQ(encoder_.CommandLine(),
              head + " -b 1150k -s 320x240 -r 29.97 -aspect 16:9 -scodec copy  -title \"My Film\"  "
                     "-ab 128.00k  -ac 2 -ar 44100.00 -author \"Ann\" -comment \"c\" -vol 256 -ss "
                     "00:00:00 -t 90 -f mov -vcodec libx264 -acodec libfaac -y "
                     "\"/out/clip_libx264_libfaac.mov\"");
}

TEST_F(CommandLine, QuotedNamesGoByLinksQuotedTagsAndOverlongNamesAreRefused) {
    // A source whose name the command line cannot carry is given by a link
    // with a plain name; the output keeps its name.
    ConversionJob quoted = MakeJob(12, 0, "x", "y");
    SetText(quoted.sourcePath, "/in/say \"hi\".mp4");
    ASSERT_EQ(encoder_.bPrepareConvert(&quoted), 1);
    std::smatch link;
    ASSERT_TRUE(std::regex_search(encoder_.CommandLine(), link,
                                  std::regex(R"re(-i "([^"]*/source-[0-9]+\.mp4)")re")))
        << encoder_.CommandLine();
    EXPECT_EQ(std::filesystem::read_symlink(link[1].str()), "/in/say \"hi\".mp4");
    EXPECT_EQ(GetText(quoted.outputPath), "/out/clip.mp3");

    // A tag cannot be given that way: the refusal names the tag.
    ConversionJob titled = MakeJob(12, 0, "x", "y");
    SetText(titled.target.title, "a\" -y \"/etc/x");
    EXPECT_EQ(encoder_.bPrepareConvert(&titled), 0);
    EXPECT_EQ(encoder_.LastResult().reason, "the title tag holds a double quote, which cannot be "
                                            "given to the encoder: a\" -y \"/etc/x");
    // The next preparation removes the link of the last.
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link[1].str())));

    ConversionJob longName = MakeJob(4, 0, "libx264", "libfaac");
    std::string base = "/out/" + std::string(1000, 'n');
    SetText(longName.outputPath, base);
    EXPECT_EQ(encoder_.bPrepareConvert(&longName), 0);
    EXPECT_EQ(GetText(longName.outputPath), base);
    EXPECT_NE(Log().find("the output file name is longer than 1023 characters"), std::string::npos);
}
