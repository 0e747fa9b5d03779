// Fitting the lines of today's formats to a source's streams, with FFmpeg's
// own answer to which codecs a container holds.

#include "StreamFit.h"
#include "SourceFit.h"
#include "Translator.h"
#include "media/MediaStreams.h"

#include <cstring>
#include <gtest/gtest.h>

namespace kiv::enc {
namespace {

StreamFacts Stream(int index, StreamType type, const char* codec) {
    StreamFacts facts;
    facts.index = index;
    facts.type = static_cast<int>(type);
    std::strncpy(facts.codec, codec, sizeof facts.codec - 1);
    facts.textSubtitle = type == StreamType::Subtitle &&
                         std::strcmp(codec, "hdmv_pgs_subtitle") != 0 &&
                         std::strcmp(codec, "dvd_subtitle") != 0;
    facts.bitsPerSample = type == StreamType::Video ? 8 : 0;
    return facts;
}

constexpr StreamType kV = StreamType::Video;
constexpr StreamType kA = StreamType::Audio;
constexpr StreamType kS = StreamType::Subtitle;
constexpr StreamType kD = StreamType::Data;
constexpr StreamType kT = StreamType::Attachment;

// A film with two audio tracks, a text and a picture subtitle and a
// timecode track; a phone video; an old Windows file.
const std::vector<StreamFacts> kFilm = {Stream(0, kV, "h264"),
                                        Stream(1, kA, "aac"),
                                        Stream(2, kA, "ac3"),
                                        Stream(3, kS, "subrip"),
                                        Stream(4, kS, "hdmv_pgs_subtitle"),
                                        Stream(5, kD, "bin_data")};

std::vector<StreamFacts> Phone() {
    std::vector<StreamFacts> phone = {Stream(0, kV, "hevc"), Stream(1, kA, "aac")};
    phone[0].rotation = 90;
    phone[0].bitsPerSample = 10;
    phone[0].hdr = 1;
    return phone;
}

const std::vector<StreamFacts> kWindows = {Stream(0, kV, "wmv2"), Stream(1, kA, "wmav2")};

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

// The output options after fitting, as one text.
std::string Options(const FfmpegPlan& plan) {
    std::string text;
    for (const PlanOption& option : plan.options)
        text += " " + option.name + (option.hasValue ? " " + option.value : "");
    return text;
}

struct FitCase {
    const char* name;
    std::string line; // the options between the input and the output
    std::string output;
    std::vector<StreamFacts> streams;
    std::string options; // empty: the line cannot be converted
    std::vector<std::string> notes;
    std::string error;
};

const std::string kEncodeMp4 =
    "-map 0:V:0? -map 0:a? -map 0:s? -c:v libx264 -c:a aac -c:s mov_text -f mp4";
const std::string kCopy = "-map 0 -c:v copy -c:a copy -c:s ";

const FitCase kCases[] = {
    {"Mp4KeepsEveryTrackAndTextSubtitles",
     kEncodeMp4,
     "o.mp4",
     kFilm,
     " -map 0:0 -map 0:1 -map 0:2 -map 0:3 -c:s:0 mov_text -c:v libx264 -c:a aac -f mp4",
     {"not kept: stream #0:4 (subtitle hdmv_pgs_subtitle): MP4 holds text subtitles only, and "
      "these are pictures",
      "not kept: stream #0:5 (data bin_data): the profile keeps no data streams"},
     ""},
    {"SubtitleCodecBeforeTheMaps",
     "-c:s mov_text " + kEncodeMp4,
     "o.mp4",
     kFilm,
     " -map 0:0 -map 0:1 -map 0:2 -map 0:3 -c:s:0 mov_text -c:v libx264 -c:a aac -f mp4",
     {"not kept: stream #0:4 (subtitle hdmv_pgs_subtitle): MP4 holds text subtitles only, and "
      "these are pictures",
      "not kept: stream #0:5 (data bin_data): the profile keeps no data streams"},
     ""},
    {"WebMTurnsTextIntoWebVtt",
     "-map 0:V:0? -map 0:a? -map 0:s? -c:v libvpx-vp9 -c:a libopus -c:s webvtt -f webm",
     "o.webm",
     kFilm,
     " -map 0:0 -map 0:1 -map 0:2 -map 0:3 -c:s:0 webvtt -c:v libvpx-vp9 -c:a libopus -f webm",
     {"not kept: stream #0:4 (subtitle hdmv_pgs_subtitle): WebM holds text subtitles only, and "
      "these are pictures",
      "not kept: stream #0:5 (data bin_data): the profile keeps no data streams"},
     ""},
    {"MkvCopyKeepsPictureSubtitlesAndFonts",
     kCopy + "copy -f matroska",
     "o.mkv",
     {Stream(0, kV, "h264"), Stream(1, kA, "aac"), Stream(2, kS, "mov_text"),
      Stream(3, kS, "hdmv_pgs_subtitle"), Stream(4, kT, "ttf")},
     " -map 0:0 -map 0:1 -map 0:2 -map 0:3 -map 0:4 -c:s:0 srt -c:s:1 copy -c:v copy -c:a copy -f "
     "matroska",
     {},
     ""},
    {"Mp4CopyTagsHevcForApple",
     kCopy + "mov_text -f mp4",
     "o.mp4",
     Phone(),
     " -map 0:0 -map 0:1 -c:v copy -c:a copy -f mp4 -tag:v hvc1",
     {},
     ""},
    {"MkvCopyOfATurnedVideoIsRefused",
     kCopy + "copy -f matroska",
     "o.mkv",
     Phone(),
     "",
     {},
     "the video of stream #0:0 is shown turned by 90 degrees, and MKV cannot keep the turn when "
     "the "
     "streams are copied: choose \"MP4, same streams\" or a profile that converts the video"},
    {"Mp4CopyOfWindowsMediaIsRefused",
     kCopy + "mov_text -f mp4",
     "o.mp4",
     kWindows,
     "",
     {},
     "MP4 cannot hold the video codec wmv2 of stream #0:0 without re-encoding: choose a profile "
     "that converts it"},
    {"SoundAloneTakesTheFirstTrack",
     "-map 0:a:0 -c:a libmp3lame -f mp3",
     "o.mp3",
     kFilm,
     " -map 0:1 -c:a libmp3lame -f mp3",
     {"not kept: stream #0:0 (video h264): the profile makes sound only",
      "not kept: stream #0:2 (audio ac3): only the first audio track is kept",
      "not kept: stream #0:3 (subtitle subrip): the profile takes no subtitles",
      "not kept: stream #0:4 (subtitle hdmv_pgs_subtitle): the profile takes no subtitles",
      "not kept: stream #0:5 (data bin_data): the profile keeps no data streams"},
     ""},
    {"SoundAloneSkipsAnEmptyFirstTrack",
     "-map 0:a:0 -c:a libmp3lame -f mp3",
     "o.mp3",
     {Stream(0, kV, "h264"),
      [] {
          StreamFacts empty = Stream(1, kA, "aac");
          empty.emptyTrack = 1;
          return empty;
      }(),
      Stream(2, kA, "ac3")},
     " -map 0:2 -c:a libmp3lame -f mp3",
     {"not kept: stream #0:0 (video h264): the profile makes sound only",
      "not kept: stream #0:1 (audio aac): the track holds no sound"},
     ""},
    {"SoundAloneFromASilentFile",
     "-map 0:a:0 -c:a flac -f flac",
     "o.flac",
     {Stream(0, kV, "h264")},
     "",
     {},
     "the source has no sound, so there is nothing to write"},
    {"TenBitsStayInH265",
     "-map 0:V:0? -map 0:a? -c:v libx265 -c:a aac -f mp4",
     "o.mp4",
     Phone(),
     " -map 0:0 -map 0:1 -c:v libx265 -c:a aac -f mp4 -pix_fmt yuv420p10le",
     {},
     ""},
    {"HdrBecomesSdrInH264",
     "-map 0:V:0? -map 0:a? -c:v libx264 -pix_fmt yuv420p -vf scale=trunc(iw/2)*2:trunc(ih/2)*2 "
     "-c:a aac -f mp4",
     "o.mp4",
     Phone(),
     " -map 0:0 -map 0:1 -c:v libx264 -pix_fmt yuv420p -vf zscale=t=linear:npl=100,format="
     "gbrpf32le,zscale=p=bt709,tonemap=tonemap=hable:desat=0,zscale=t=bt709:m=bt709:r=tv,format="
     "yuv420p,scale=trunc(iw/2)*2:trunc(ih/2)*2 -c:a aac -f mp4 -color_primaries bt709 -color_trc "
     "bt709 -colorspace bt709",
     {},
     ""},
    {"SoundAloneKeepsTheCover",
     "-map 0:a:0 -c:a flac -f flac",
     "o.flac",
     {Stream(0, kA, "mp3"),
      [] {
          StreamFacts cover = Stream(1, kV, "png");
          cover.attachedPicture = 1;
          return cover;
      }()},
     " -map 0:0 -map 0:1 -c:a flac -f flac -c:v copy -disposition:v:0 attached_pic",
     {},
     ""},
    {"CoverArtIsNotVideo",
     "-map 0:V:0? -map 0:a? -c:v libx264 -c:a aac -f mp4",
     "o.mp4",
     {[] {
          StreamFacts cover = Stream(0, kV, "mjpeg");
          cover.attachedPicture = 1;
          return cover;
      }(),
      Stream(1, kA, "mp3")},
     " -map 0:1 -c:v libx264 -c:a aac -f mp4",
     {"not kept: stream #0:0 (cover art mjpeg): cover art is not converted"},
     ""},
};

class StreamFitTest : public testing::TestWithParam<FitCase> {};

TEST_P(StreamFitTest, FitsTheLineToTheSource) {
    const FitCase& fit = GetParam();
    std::vector<std::string> arguments = Words("-i in.mkv " + fit.line);
    arguments.push_back(fit.output);
    FfmpegPlan plan;
    std::string error;
    ASSERT_TRUE(BuildPlan(arguments, plan, error)) << error;
    ASSERT_TRUE(MapsStreams(plan));
    StreamFit result = FitStreams(plan, fit.streams, ContainerHolds);
    EXPECT_EQ(result.error, fit.error);
    EXPECT_EQ(result.notes, fit.notes);
    if (fit.error.empty()) {
        EXPECT_EQ(Options(plan), fit.options);
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, StreamFitTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<FitCase>& info) {
                             return info.param.name;
                         });

TEST(StreamFit, LinesOfTheOlderKindsAreLeftAlone) {
    FfmpegPlan plan;
    std::string error;
    ASSERT_TRUE(
        BuildPlan({"-i", "in.avi", "-vcodec", "mpeg4", "-acodec", "mp3", "o.avi"}, plan, error));
    EXPECT_FALSE(MapsStreams(plan));
    std::vector<std::string> notes;
    EXPECT_TRUE(FitToSource(plan, error, notes));
    EXPECT_TRUE(notes.empty());
    EXPECT_EQ(Options(plan), " -c:v mpeg4 -c:a libmp3lame");
}

} // namespace
} // namespace kiv::enc
