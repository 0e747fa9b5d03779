// The container and codec repairs, each with a line that FFmpeg 5.1 would
// refuse (or write unreadably) as it stands, and one it takes unchanged.

#include "Repairs.h"
#include "TranslationTestSupport.h"

#include <gtest/gtest.h>

namespace kiv::test {
namespace {

struct RepairCase {
    const char* name;
    const char* legacy;
    const char* expected;
};

const RepairCase kRepairCases[] = {
    {"NoExtensionGetsAvi", "-i in.mp4 -vcodec mjpeg -acodec pcm_s16le -y /o/clip_mjpeg_pcm",
     "-i in.mp4 -c:v mjpeg -c:a pcm_s16le -f avi /o/clip_mjpeg_pcm"},
    {"NoExtensionWithFormatKeepsIt", "-i in.mp4 -f flv -y /o/clip", "-i in.mp4 -f flv /o/clip"},
    {"DotInFolderIsNoExtension", "-i in.mp4 -vcodec mpeg4 -y /o.d/clip_mpeg4_aac",
     "-i in.mp4 -c:v mpeg4 -f avi /o.d/clip_mpeg4_aac"},
    {"ThreeGpTakesNoMp3", "-i in.mp4 -vcodec mpeg4 -acodec libmp3lame -f 3gp o.3gp",
     "-i in.mp4 -c:v mpeg4 -c:a aac -f 3gp o.3gp"},
    {"ThreeG2TakesNoMp2", "-i in.mp4 -vcodec mpeg4 -acodec mp2 -f 3g2 o.3g2",
     "-i in.mp4 -c:v mpeg4 -c:a aac -f 3g2 o.3g2"},
    {"ThreeGpKeepsAac", "-i in.mp4 -vcodec h263 -acodec libfaac -f 3gp o.3gp",
     "-i in.mp4 -c:v h263 -c:a aac -f 3gp o.3gp"},
    {"Mp4WithH263BecomesThreeGp", "-i in.mp4 -vcodec h263 -acodec libfaac -f mp4 o.mp4",
     "-i in.mp4 -c:v h263 -c:a aac -f 3gp o.mp4"},
    {"Mp4WithAmrBecomesThreeGp", "-i in.mp4 -vcodec mpeg4 -acodec libamr_nb -f mp4 o.mp4",
     "-i in.mp4 -c:v mpeg4 -c:a libopencore_amrnb -f 3gp -ar 8000 -ac 1 o.mp4"},
    {"Mp4WithMp3BecomesThreeGpAac", "-i in.mp4 -vcodec h263 -acodec libmp3lame -f mp4 o.mp4",
     "-i in.mp4 -c:v h263 -c:a aac -f 3gp o.mp4"},
    {"ProgramStreamTakesNoAac", "-i in.mp4 -vcodec mpeg4 -acodec libfaac o.mpg",
     "-i in.mp4 -c:v mpeg4 -c:a mp2 o.mpg"},
    {"ProgramStreamTakesNoH263", "-i in.mp4 -vcodec h263 -acodec mp2 o.mpg",
     "-i in.mp4 -c:v mpeg1video -c:a mp2 o.mpg"},
    {"FlvTakesNoMjpeg", "-i in.mp4 -vcodec mjpeg -acodec pcm_s16le  -f flv  o.flv",
     "-i in.mp4 -c:v flv -c:a pcm_s16le -f flv o.flv"},
    {"AmrNarrowBandIsMono8000",
     "-i in.mp4 -ab 12.20k -ac 2 -ar 44100.00 -vn -acodec libamr_nb o.amr",
     "-i in.mp4 -b:a 12.2k -ac 1 -ar 8000 -vn -c:a libopencore_amrnb o.amr"},
    {"AmrWideBandIsMono16000",
     "-i in.mp4 -ab 128.00k -ac 2 -ar 48000.00 -vn -acodec libamr_wb o.amr",
     "-i in.mp4 -b:a 128k -ac 1 -ar 16000 -vn -c:a libvo_amrwbenc o.amr"},
    {"SmafIsMonoAtItsRates", "-i in.mp4 -ac 2 -ar 48000.00 -vn -acodec adpcm_yamaha -f mmf o.mmf",
     "-i in.mp4 -ac 1 -ar 44100 -vn -c:a adpcm_yamaha -f mmf o.mmf"},
    {"SmafRateIsTheNearest", "-i in.mp4 -ac 1 -ar 24000.00 -vn -acodec adpcm_yamaha -f mmf o.mmf",
     "-i in.mp4 -ac 1 -ar 22050 -vn -c:a adpcm_yamaha -f mmf o.mmf"},
    {"FlvMp3Rates", "-i in.mp4 -ar 8000.00 -f flv -vcodec flv -acodec libmp3lame o.flv",
     "-i in.mp4 -ar 11025 -f flv -c:v flv -c:a libmp3lame o.flv"},
    {"SwfMp3Rates", "-i in.mp4 -ar 48000.00 -g 0 -f swf -acodec libmp3lame o.swf",
     "-i in.mp4 -ar 44100 -g 0 -f swf -c:a libmp3lame o.swf"},
    {"SwfKeepsGoodRate", "-i in.mp4 -ar 22050.00 -g 0 -f swf -acodec libmp3lame o.swf",
     "-i in.mp4 -ar 22050 -g 0 -f swf -c:a libmp3lame o.swf"},
    {"Mp2Rate", "-i in.mp4 -ar 8000.00 -vn -acodec mp2 o.mp2",
     "-i in.mp4 -ar 16000 -vn -c:a mp2 o.mp2"},
    {"Mp2BitrateAtHighRates", "-i in.mp4 -ab 448.00k -ar 48000.00 -vn -acodec mp2 o.mp2",
     "-i in.mp4 -b:a 384k -ar 48000 -vn -c:a mp2 o.mp2"},
    {"Mp2BitrateTooLow", "-i in.mp4 -ab 12.20k -ar 44100.00 -vn -acodec mp2 o.mp2",
     "-i in.mp4 -b:a 32k -ar 44100 -vn -c:a mp2 o.mp2"},
    {"Mp2BitrateAtLowRates", "-i in.mp4 -ab 192.00k -ar 22050.00 -vn -acodec mp2 o.mp2",
     "-i in.mp4 -b:a 160k -ar 22050 -vn -c:a mp2 o.mp2"},
    {"Mp2BitrateUnderDvdPreset",
     "-i in.mp4 -ab 448.00k -ar 22050.00 -target pal-svcd -acodec mp2 o.mpg",
     "-i in.mp4 -b:a 384k -ar 22050 -target pal-svcd -c:a mp2 o.mpg"},
    {"Ac3Rate", "-i in.mp4 -ar 22050.00 -vn -acodec ac3 o.ac3",
     "-i in.mp4 -ar 32000 -vn -c:a ac3 o.ac3"},
    {"WmaBitrateFloor", "-i in.mp4 -ab 12.20k -vn -acodec wmav2 o.wma",
     "-i in.mp4 -b:a 24k -vn -c:a wmav2 o.wma"},
    {"VorbisUsesQuality", "-i in.mp4 -ab 128.00k -ac 1 -ar 22050.00 -vn -f ogg o.ogg",
     "-i in.mp4 -ac 1 -ar 22050 -vn -f ogg -q:a 4 o.ogg"},
    {"H263Sizes", "-i in.mp4 -s 320x240 -vcodec h263 -acodec libfaac -f 3gp o.3gp",
     "-i in.mp4 -s 176x144 -c:v h263 -c:a aac -f 3gp o.3gp"},
    {"H263KeepsItsSizes", "-i in.mp4 -s 352x288 -vcodec h263 -acodec libfaac -f 3gp o.3gp",
     "-i in.mp4 -s 352x288 -c:v h263 -c:a aac -f 3gp o.3gp"},
    {"OddSizesBecomeEven", "-i in.mp4 -s 321x241 -vcodec libx264 -f avi o.avi",
     "-i in.mp4 -s 320x240 -c:v libx264 -f avi o.avi"},
    {"Mpeg1UnofficialRates", "-i in.mp4 -r 15.00 -vcodec mpeg1video -acodec mp2 o.mpg",
     "-i in.mp4 -r 15.00 -c:v mpeg1video -c:a mp2 -strict unofficial o.mpg"},
    {"Mpeg1StandardRates", "-i in.mp4 -r 25.00 -vcodec mpeg1video -acodec mp2 o.mpg",
     "-i in.mp4 -r 25.00 -c:v mpeg1video -c:a mp2 o.mpg"},
    {"Mpeg2TakesAllRates", "-i in.mp4 -r 15.00 -vcodec mpeg2video -acodec mp2 o.mpg",
     "-i in.mp4 -r 15.00 -c:v mpeg2video -c:a mp2 o.mpg"},
    {"VcdPresetBitrateCap", "-i in.mp4 -b 2000k -target ntsc-vcd -acodec mp2 o.mpg",
     "-i in.mp4 -target ntsc-vcd -c:a mp2 o.mpg"},
    {"VcdPresetKeepsLowerBitrate", "-i in.mp4 -b 1150k -target pal-vcd -acodec mp2 o.mpg",
     "-i in.mp4 -b:v 1150k -target pal-vcd -c:a mp2 o.mpg"},
    {"PspH264IsMain", "-i in.mp4 -vcodec libx264 -acodec libfaac -f psp  -bufsize 10M o.mp4",
     "-i in.mp4 -c:v libx264 -c:a aac -f psp -bufsize 10M -profile:v main -pix_fmt yuv420p o.mp4"},
    {"PspMpeg4HasNoProfile", "-i in.mp4 -vcodec mpeg4 -acodec libfaac -f psp  -bufsize 10M o.mp4",
     "-i in.mp4 -c:v mpeg4 -c:a aac -f psp -bufsize 10M o.mp4"},
    {"IpodH264IsBaseline", "-i in.mp4 -f mp4  -vcodec libx264 -acodec libfaac -qmin 10 o.mp4",
     "-i in.mp4 -f mp4 -c:v libx264 -c:a aac -qmin 10 -profile:v baseline -pix_fmt yuv420p o.mp4"},
    {"IpodMovH264IsBaseline", "-i in.mp4 -f mov  -vcodec libx264 -acodec libfaac -qmin 10 o.mov",
     "-i in.mp4 -f mov -c:v libx264 -c:a aac -qmin 10 -profile:v baseline -pix_fmt yuv420p o.mov"},
    {"ThreeGpFamilyMp4KeepsHigh", "-i in.mp4 -vcodec libx264 -acodec libfaac -f mp4 o.mp4",
     "-i in.mp4 -c:v libx264 -c:a aac -f mp4 o.mp4"},
    {"QuickTimeKeepsHigh", "-i in.mp4 -f mov -vcodec libx264 -acodec libfaac o.mov",
     "-i in.mp4 -f mov -c:v libx264 -c:a aac o.mov"},
};

class RepairTest : public testing::TestWithParam<RepairCase> {};

TEST_P(RepairTest, GivesALineFfmpegTakes) {
    EXPECT_EQ(Translate(GetParam().legacy), GetParam().expected) << GetParam().legacy;
}

INSTANTIATE_TEST_SUITE_P(Repairs, RepairTest, testing::ValuesIn(kRepairCases),
                         [](const testing::TestParamInfo<RepairCase>& info) {
                             return info.param.name;
                         });

TEST(OutputFactsTest, FormatFromOptionPresetOrName) {
    enc::FfmpegPlan plan;
    plan.outputPath = "/o/clip.WMV";
    EXPECT_EQ(enc::ReadOutputFacts(plan).format, "asf");
    EXPECT_EQ(enc::ReadOutputFacts(plan).audioCodec, "wmav2");
    plan.Set("-target", "ntsc-dvd");
    EXPECT_EQ(enc::ReadOutputFacts(plan).format, "dvd");
    EXPECT_EQ(enc::ReadOutputFacts(plan).videoCodec, "mpeg2video");
    plan.Set("-f", "vob");
    EXPECT_EQ(enc::ReadOutputFacts(plan).format, "vob");
    plan = {};
    plan.outputPath = "clip.mkv"; // not an output of the program, but known
    EXPECT_EQ(enc::ReadOutputFacts(plan).format, "matroska");
    plan.outputPath = "clip.nosuchformat";
    EXPECT_EQ(enc::ReadOutputFacts(plan).format, "");
}

TEST(OutputFactsTest, UnknownExtensionGetsAvi) {
    EXPECT_EQ(Translate("-i in.mp4 -y clip.nosuchformat"), "-i in.mp4 -f avi clip.nosuchformat");
}

} // namespace
} // namespace kiv::test
