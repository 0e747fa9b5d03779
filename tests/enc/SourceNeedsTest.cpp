// What enc adds to a line for what the source holds, byte for byte: the
// deinterlacer or the kept fields, the frame times, the crop of an odd
// size, HDR10's parameters, the channels per output stream, and the notes
// the log gets; and the pieces that read FFmpeg's output (idet's counts, an
// ASS script cut to a trim).

#include "FieldDetection.h"
#include "PictureFit.h"
#include "SoundFit.h"
#include "SubtitleTiming.h"
#include "TranslationTestSupport.h"

#include <cstring>
#include <gtest/gtest.h>

namespace kiv::test {
namespace {

StreamFacts Video(int index, const char* codec, int width, int height, double rate,
                  FieldOrder order) {
    StreamFacts video;
    video.index = index;
    video.type = static_cast<int>(StreamType::Video);
    std::strncpy(video.codec, codec, sizeof video.codec - 1);
    video.width = width;
    video.height = height;
    video.frameRate = rate;
    video.fieldOrder = static_cast<int>(order);
    return video;
}

StreamFacts HdrTen() {
    StreamFacts video = Video(0, "hevc", 3840, 2160, 25, FieldOrder::Progressive);
    video.hdr = 1;
    video.bitsPerSample = 10;
    video.hdrTen = {1, {13250, 34500}, {7500, 3000}, {34000, 16000}, {15635, 16450}, 10000000, 1,
                    1, 1000,           400};
    return video;
}

StreamFacts Audio(int index, int channels, const char* layout) {
    StreamFacts audio;
    audio.index = index;
    audio.type = static_cast<int>(StreamType::Audio);
    std::strncpy(audio.codec, "ac3", sizeof audio.codec - 1);
    audio.channels = channels;
    std::strncpy(audio.layout, layout, sizeof audio.layout - 1);
    return audio;
}

const StreamFacts kSurround = Audio(1, 6, "5.1(side)");
const StreamFacts kMono = Audio(2, 1, "mono");
const StreamFacts kDvd = Video(0, "mpeg2video", 720, 576, 25, FieldOrder::BottomFirst);

struct NeedsCase {
    const char* name;
    std::string line; // a legacy line, or one of today's with its maps made explicit
    std::optional<StreamFacts> video;
    std::vector<StreamFacts> audio;
    bool perStream;       // today's formats
    std::string expected; // FFmpeg's arguments after the fixed ones
    std::vector<std::string> notes;
    FieldOrder detected = FieldOrder::Unknown; // what idet would find
};

const std::string kDeinterlaced =
    "video: interlaced source (bottom field first, as the stream says): deinterlaced with bwdif "
    "for a progressive picture";

const NeedsCase kCases[] = {
    {"OldProfileDeinterlaces",
     "-i in.mpg -s 320x240 -r 29.97 -f avi -vcodec xvid o.avi",
     kDvd,
     {},
     false,
     "-i in.mpg -s 320x240 -r 29.97 -f avi -c:v libxvid "
     "-vf bwdif=mode=send_frame:parity=bff:deint=all o.avi",
     {kDeinterlaced}},
    {"DvdKeepsTheFieldsAndDownMixes",
     "-i in.mpg -s 720x576 -r 25.00 -ac 2 -target pal-dvd -acodec ac3 o.mpg",
     kDvd,
     {kSurround},
     false,
     "-i in.mpg -s 720x576 -r 25.00 -ac 2 -target pal-dvd -c:a ac3 -flags +ildct+ilme -top 0 o.mpg",
     {"video: interlaced source (bottom field first, as the stream says): kept interlaced, bottom "
      "field first",
      "audio: stream #0:1 (5.1(side)) down-mixed to stereo: the profile names 2 channels"}},
    {"DvdOfAnotherRateIsDeinterlaced",
     "-i in.mpg -s 720x480 -r 29.97 -target ntsc-dvd o.mpg",
     kDvd,
     {},
     false,
     "-i in.mpg -s 720x480 -r 29.97 -target ntsc-dvd "
     "-vf bwdif=mode=send_frame:parity=bff:deint=all o.mpg",
     {kDeinterlaced}},
    {"IdetDecidesWhereTheStreamDoesNotSay",
     "-i in.avi -s 320x240 -r 25.00 -f avi -vcodec mpeg4 o.avi",
     Video(0, "mpeg4", 320, 240, 25, FieldOrder::Unknown),
     {},
     false,
     "-i in.avi -s 320x240 -r 25.00 -f avi -c:v mpeg4 "
     "-vf bwdif=mode=send_frame:parity=tff:deint=all o.avi",
     {"video: interlaced source (top field first, found by idet): deinterlaced with bwdif for a "
      "progressive picture"},
     FieldOrder::TopFirst},
    {"OddSizeIsCroppedAndMonoStaysMono",
     "-i in.mp4 -s 321x241 -ac 2 -f avi -vcodec h264 -acodec mp3 o.avi",
     Video(0, "h264", 321, 241, 25, FieldOrder::Progressive),
     {kMono},
     false,
     "-i in.mp4 -s 320x240 -ac 1 -f avi -c:v libx264 -c:a libmp3lame -vf crop=320:240:0:0 o.avi",
     {"video: 321x241 cropped to 320x240 (the encoder needs even sides)",
      "audio: stream #0:2 (mono) stays mono"}},
    {"TodaysLineKeepsFrameTimesAndHdrTen",
     "-i in.mkv -map 0:0 -c:v libx265 -x265-params log-level=error -fps_mode:v vfr "
     "-pix_fmt yuv420p10le -f mp4 o.mp4",
     HdrTen(),
     {},
     true,
     "-i in.mkv -map 0:0 -c:v libx265 -x265-params log-level=error:master-display=G(13250,34500)"
     "B(7500,3000)R(34000,16000)WP(15635,16450)L(10000000,1):max-cll=1000,400 -fps_mode:v vfr "
     "-pix_fmt yuv420p10le -f mp4 -enc_time_base:v -1 o.mp4",
     {"video: HDR10 mastering display and light levels passed to the encoder"}},
    {"SvtAv1TakesHdrTenInItsOwnNumbers",
     "-i in.mkv -map 0:0 -c:v libsvtav1 -r 25.00 -pix_fmt yuv420p10le -f matroska o.mkv",
     HdrTen(),
     {},
     true,
     "-i in.mkv -map 0:0 -c:v libsvtav1 -r 25.00 -pix_fmt yuv420p10le -f matroska -svtav1-params "
     "mastering-display=G(0.2650,0.6900)B(0.1500,0.0600)R(0.6800,0.3200)WP(0.3127,0.3290)"
     "L(1000.0000,0.0001):content-light=1000,400 o.mkv",
     {"video: HDR10 mastering display and light levels passed to the encoder"}},
    {"AacKeepsSurroundAtItsRateAndMonoAsItIs",
     "-i in.mkv -map 0:1 -map 0:2 -c:a aac -b:a 160k -af volume=1.5 -f mp4 o.mp4",
     std::nullopt,
     {kSurround, kMono},
     true,
     "-i in.mkv -map 0:1 -map 0:2 -c:a aac -b:a 160k -af volume=1.5 -f mp4 -b:a:0 400k "
     "-filter:a:0 aformat=channel_layouts=5.1,volume=1.5 o.mp4",
     {"audio: stream #0:1 (5.1(side)) keeps its 6 channels at 400kb/s"}},
    {"Mp3CarriesTwoChannels",
     "-i in.mkv -map 0:1 -c:a libmp3lame -b:a 320k -f mp3 o.mp3",
     std::nullopt,
     {kSurround},
     true,
     "-i in.mkv -map 0:1 -c:a libmp3lame -b:a 320k -f mp3 -ac:a:0 2 o.mp3",
     {"audio: stream #0:1 (5.1(side)) down-mixed to stereo: MP3 carries at most 2 channels"}},
    {"AnEditedStereoLeavesMonoAlone",
     "-i in.mkv -map 0:2 -c:a flac -ac 2 -f flac o.flac",
     std::nullopt,
     {kMono},
     true,
     "-i in.mkv -map 0:2 -c:a flac -ac 2 -f flac -ac:a:0 1 o.flac",
     {}},
};

class SourceNeedsTest : public testing::TestWithParam<NeedsCase> {};

TEST_P(SourceNeedsTest, AddsWhatTheSourceNeeds) {
    const NeedsCase& c = GetParam();
    enc::FfmpegPlan plan;
    std::string error;
    ASSERT_TRUE(enc::BuildPlan(SplitCommandLine(c.line), plan, error)) << error;
    std::vector<std::string> notes;
    bool probed = false;
    if (c.video) {
        enc::FitPicture(
            plan, *c.video, 0,
            [&](int, double) {
                probed = true;
                return c.detected;
            },
            enc::DeinterlaceChoice::Auto, notes);
    }
    std::vector<const StreamFacts*> audio;
    for (const StreamFacts& stream : c.audio)
        audio.push_back(&stream);
    enc::FitSound(plan, audio, c.perStream, notes);
    std::vector<std::string> arguments = enc::FfmpegArguments(plan, plan.outputPath);
    arguments.erase(arguments.begin(), arguments.begin() + static_cast<long>(kFixedGlobals.size()));
    EXPECT_EQ(JoinForDisplay(arguments), c.expected);
    EXPECT_EQ(notes, c.notes);
    EXPECT_EQ(probed, c.detected != FieldOrder::Unknown);
}

INSTANTIATE_TEST_SUITE_P(Lines, SourceNeedsTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<NeedsCase>& info) {
                             return info.param.name;
                         });

TEST(FieldCounts, MostPicturesDecide) {
    const std::pair<const char*, FieldOrder> reports[] = {
        {"[idet] Multi frame detection: TFF:    12 BFF:     0 Progressive:    88 Undetermined: 0",
         FieldOrder::Progressive},
        {"[idet] Multi frame detection: TFF:     2 BFF:    90 Progressive:     8 Undetermined: 0",
         FieldOrder::BottomFirst},
        {"Single frame detection: TFF: 0 BFF: 9 Progressive: 0 Undetermined: 0\n"
         "Multi frame detection: TFF: 60 BFF: 5 Progressive: 35 Undetermined: 0",
         FieldOrder::TopFirst},
        {"Multi frame detection: TFF: 0 BFF: 0 Progressive: 0 Undetermined: 7",
         FieldOrder::Unknown},
        {"Conversion failed!", FieldOrder::Unknown},
    };
    for (const auto& [report, order] : reports)
        EXPECT_EQ(enc::ReadFieldCounts(report), order) << report;
}

TEST(AssScript, CuesAreCutToTheTrimAndShifted) {
    const std::string head = "[Script Info]\nScriptType: v4.00+\n\n[Events]\n"
                             "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, "
                             "Effect, Text\n";
    const std::string script =
        head + "Dialogue: 0,0:00:00.50,0:00:01.00,Default,,0,0,0,,Before\n"
               "Dialogue: 0,0:00:01.50,0:00:03.00,Default,,0,0,0,,Across, the start\n"
               "Dialogue: 0,0:00:03.50,0:00:04.00,Default,,0,0,0,,Within\n"
               "Dialogue: 1,0:01:04.25,1:00:00.00,Default,,0,0,0,,Across the end\n"
               "Dialogue: 0,1:00:00.00,1:00:01.00,Default,,0,0,0,,After\n";
    EXPECT_EQ(enc::CutAssScript(script, 2, 70),
              head + "Dialogue: 0,0:00:00.00,0:00:01.00,Default,,0,0,0,,Across, the start\n"
                     "Dialogue: 0,0:00:01.50,0:00:02.00,Default,,0,0,0,,Within\n"
                     "Dialogue: 1,0:01:02.25,0:01:10.00,Default,,0,0,0,,Across the end\n");
}

} // namespace
} // namespace kiv::test
