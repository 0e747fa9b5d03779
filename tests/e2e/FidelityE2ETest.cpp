// What the source holds comes out as it was: kiv-convert converts sources
// like the ones people have (an interlaced video, a phone's variable rate,
// 5.1 sound, HDR10, a song with its cover, a film trimmed with its
// subtitles), and libavformat and FFmpeg's filters look at what came out.

#include "FixedText.h"
#include "TestFiles.h"
#include "TestMedia.h"
#include "TestProcess.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

extern "C" {
#include <libavformat/avformat.h>
}

namespace kiv::e2e {
namespace {

namespace fs = std::filesystem;

enum class Source { Interlaced, VariableRate, Surround, HdrTen, SongWithCover, FilmWithSubtitles };

// Made once in the shared media folder, small and short.
std::string SourcePath(Source source) {
    fs::path folder = test::SharedMediaFolder();
    const std::vector<std::string> picture = {"-f", "lavfi", "-i",
                                              "testsrc2=size=160x120:rate=25:duration=2"};
    auto with = [&picture](std::vector<std::string> more) {
        more.insert(more.begin(), picture.begin(), picture.end());
        return more;
    };
    fs::path path;
    switch (source) {
    case Source::Interlaced:
        // 25 frames a second of fields woven bottom first, softened as a
        // camera's picture is (idet takes sharp moving detail for fields).
        path = folder / "interlaced-bff-soft.avi";
        test::MakeMedia(path, {"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=50:duration=2",
                               "-vf", "gblur=sigma=1,tinterlace=interleave_bottom,setfield=bff",
                               "-c:v", "mpeg4", "-q:v", "2"});
        break;
    case Source::VariableRate: // one second at 25 fps, then one at 15
        path = folder / "variable-rate.mkv";
        test::MakeMedia(path, {"-f", "lavfi", "-i",
                               "testsrc2=size=160x120:rate=25,settb=1/90000,"
                               "setpts='if(lt(N,25),N/25,1+(N-25)/15)/TB'",
                               "-frames:v", "40", "-c:v", "libx264", "-preset", "ultrafast",
                               "-fps_mode", "passthrough", "-enc_time_base", "1/90000"});
        break;
    case Source::Surround: // 5.1 AC-3 as a DVD has it: side channels
        path = folder / "surround-ac3.mkv";
        test::MakeMedia(path, with({"-f", "lavfi", "-i",
                                    "aevalsrc=sin(440*2*PI*t)|sin(550*2*PI*t)|sin(660*2*PI*t)|"
                                    "0.2*sin(50*2*PI*t)|sin(770*2*PI*t)|sin(880*2*PI*t):"
                                    "s=48000:d=2:c=5.1(side)",
                                    "-c:v", "libx264", "-preset", "ultrafast", "-c:a", "ac3"}));
        break;
    case Source::HdrTen:
        path = folder / "hdr10-mastered.mkv";
        test::MakeMedia(path,
                        with({"-c:v", "libx265", "-preset", "ultrafast", "-pix_fmt", "yuv420p10le",
                              "-color_primaries", "bt2020", "-color_trc", "smpte2084",
                              "-colorspace", "bt2020nc", "-x265-params",
                              "log-level=error:hdr10=1:master-display=G(13250,34500)B(7500,3000)"
                              "R(34000,16000)WP(15635,16450)L(10000000,1):max-cll=1000,400"}));
        break;
    case Source::SongWithCover: {
        fs::path cover = folder / "cover.png";
        test::MakeMedia(cover, {"-f", "lavfi", "-i", "testsrc2=size=64x64", "-frames:v", "1"});
        path = folder / "song-with-cover.mp3";
        test::MakeMedia(path, {"-f",
                               "lavfi",
                               "-i",
                               "sine=frequency=523:duration=2",
                               "-i",
                               cover.string(),
                               "-map",
                               "0",
                               "-map",
                               "1",
                               "-c:a",
                               "libmp3lame",
                               "-c:v",
                               "png",
                               "-disposition:v",
                               "attached_pic",
                               "-metadata",
                               "title=Morning song",
                               "-metadata",
                               "artist=The Testers"});
        break;
    }
    case Source::FilmWithSubtitles: {
        fs::path cues = folder / "film6.srt";
        if (!fs::exists(cues))
            test::WriteFile(cues, "1\n00:00:00,500 --> 00:00:03,000\nHello\n\n"
                                  "2\n00:00:03,500 --> 00:00:05,000\nAgain\n\n");
        path = folder / "film6-subtitled.mkv";
        test::MakeMedia(
            path, {"-f",   "lavfi",       "-i",      "testsrc2=size=160x120:rate=25:duration=6",
                   "-f",   "lavfi",       "-i",      "sine=duration=6",
                   "-i",   cues.string(), "-map",    "0",
                   "-map", "1",           "-map",    "2",
                   "-c:v", "libx264",     "-preset", "ultrafast",
                   "-c:a", "aac",         "-c:s",    "srt"});
        break;
    }
    }
    return path.string();
}

// What each case looks at in the output.
enum class Check {
    NoCombing,  // idet finds (nearly) every picture progressive
    FieldsKept, // interlaced, bottom field first, and marked so
    FrameTimes, // the source's frame intervals (40 ms, then 66.7 ms)
    Channels,   // the sound's channel count
    HdrTen,     // the first picture carries mastering display and light level
    Cover,      // an attached picture, and the title tag
    Length,     // the trim's length, and the first cue cut to start it
};

struct FidelityCase {
    const char* name;
    Source source;
    int category;
    int profile;
    Check check;
    int channels = 0;                   // for Check::Channels
    const char* note = nullptr;         // a line of enc's in the log
    std::vector<std::string> trim = {}; // --start/--end
};

// clang-format off
const FidelityCase kCases[] = {
    {"InterlacedToH264IsDeinterlaced", Source::Interlaced, 9, 0, Check::NoCombing, 0,
     "enc: video: interlaced source (bottom field first, found by idet): deinterlaced with bwdif"},
    {"InterlacedToPalDvdKeepsItsFields", Source::Interlaced, 4, 0, Check::FieldsKept, 0,
     "kept interlaced, bottom field first"},
    {"VariableRateKeepsItsFrameTimes", Source::VariableRate, 9, 0, Check::FrameTimes},
    {"SurroundToFlacKeepsSixChannels", Source::Surround, 10, 3, Check::Channels, 6},
    {"SurroundToAv1MkvKeepsSixChannels", Source::Surround, 9, 6, Check::Channels, 6,
     "enc: audio: stream #0:1 (5.1(side)) keeps its 6 channels at 320kb/s"},
    {"SurroundToMp3IsStereo", Source::Surround, 10, 1, Check::Channels, 2,
     "down-mixed to stereo: MP3 carries at most 2 channels"},
    {"SurroundToAnOldProfileIsStereo", Source::Surround, 5, 2, Check::Channels, 2,
     "down-mixed to stereo: the profile names 2 channels"},
    {"HdrTenToH265KeepsItsMetadata", Source::HdrTen, 9, 4, Check::HdrTen},
    {"CoverStaysInM4a", Source::SongWithCover, 10, 2, Check::Cover},
    {"CoverStaysInFlac", Source::SongWithCover, 10, 3, Check::Cover},
    {"TrimmedFilmLastsTheTrim", Source::FilmWithSubtitles, 9, 6, Check::Length, 0, nullptr,
     {"--start", "00:00:02", "--end", "00:00:05"}},
};
// clang-format on

struct Opened {
    AVFormatContext* context = nullptr;
    explicit Opened(const std::string& path) {
        if (avformat_open_input(&context, path.c_str(), nullptr, nullptr) == 0)
            avformat_find_stream_info(context, nullptr);
    }
    ~Opened() { avformat_close_input(&context); }
};

const AVStream* FirstOf(const AVFormatContext* context, AVMediaType type, bool cover = false) {
    for (unsigned i = 0; i < context->nb_streams; ++i) {
        const AVStream* stream = context->streams[i];
        bool isCover = (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) != 0;
        if (stream->codecpar->codec_type == type && isCover == cover)
            return stream;
    }
    return nullptr;
}

// The intervals between the video's frames in milliseconds, and how often
// each comes.
std::map<int, int> FrameIntervals(const std::string& path) {
    Opened file(path);
    std::vector<double> times;
    const AVStream* video = file.context ? FirstOf(file.context, AVMEDIA_TYPE_VIDEO) : nullptr;
    AVPacket* packet = av_packet_alloc();
    while (video && av_read_frame(file.context, packet) >= 0) {
        if (packet->stream_index == video->index && packet->pts != AV_NOPTS_VALUE)
            times.push_back(static_cast<double>(packet->pts) * av_q2d(video->time_base));
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    std::sort(times.begin(), times.end());
    std::map<int, int> intervals;
    for (std::size_t i = 1; i < times.size(); ++i)
        ++intervals[static_cast<int>(std::lround((times[i] - times[i - 1]) * 1000))];
    return intervals;
}

// The subtitle cues: start and end in seconds.
std::vector<std::pair<double, double>> Cues(const std::string& path) {
    Opened file(path);
    std::vector<std::pair<double, double>> cues;
    const AVStream* subtitles =
        file.context ? FirstOf(file.context, AVMEDIA_TYPE_SUBTITLE) : nullptr;
    AVPacket* packet = av_packet_alloc();
    while (subtitles && av_read_frame(file.context, packet) >= 0) {
        if (packet->stream_index == subtitles->index) {
            double tick = av_q2d(subtitles->time_base);
            cues.emplace_back(static_cast<double>(packet->pts) * tick,
                              static_cast<double>(packet->pts + packet->duration) * tick);
        }
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    return cues;
}

// What FFmpeg's filters print about the video: idet's counts, showinfo's
// side data of the first picture.
std::string FilterReport(const std::string& path, const std::string& filter) {
    return test::RunProgram({"ffmpeg", "-hide_banner", "-nostdin", "-i", path, "-map", "0:V:0",
                             "-vf", filter, "-an", "-sn", "-f", "null", "-"})
        .err;
}

// idet's single-picture counts: top first, bottom first, progressive.
std::array<int, 3> IdetCounts(const std::string& path) {
    std::string report = FilterReport(path, "idet");
    std::array<int, 3> counts{};
    std::size_t at = report.rfind("Single frame detection:");
    if (at != std::string::npos)
        std::sscanf(report.c_str() + at, "Single frame detection: TFF: %d BFF: %d Progressive: %d",
                    &counts[0], &counts[1], &counts[2]);
    return counts;
}

void CheckOutput(const FidelityCase& c, const std::string& path) {
    Opened file(path);
    ASSERT_NE(file.context, nullptr) << path;
    const AVStream* video = FirstOf(file.context, AVMEDIA_TYPE_VIDEO);
    const AVStream* audio = FirstOf(file.context, AVMEDIA_TYPE_AUDIO);
    switch (c.check) {
    case Check::NoCombing: {
        std::array<int, 3> counts = IdetCounts(path);
        EXPECT_GT(counts[2], 40);
        EXPECT_LE(counts[0] + counts[1], (counts[0] + counts[1] + counts[2]) / 20);
        ASSERT_NE(video, nullptr);
        EXPECT_EQ(video->codecpar->field_order, AV_FIELD_PROGRESSIVE);
        break;
    }
    case Check::FieldsKept: {
        std::array<int, 3> counts = IdetCounts(path);
        EXPECT_GT(counts[1], 4 * (counts[0] + counts[2])) << counts[0] << " " << counts[2];
        ASSERT_NE(video, nullptr);
        EXPECT_EQ(video->codecpar->field_order, AV_FIELD_BB);
        break;
    }
    case Check::FrameTimes: {
        std::map<int, int> source = FrameIntervals(SourcePath(c.source));
        EXPECT_EQ(source.at(40), 25); // as made: then 66.7 ms, stored to the millisecond
        EXPECT_EQ(FrameIntervals(path), source);
        break;
    }
    case Check::Channels:
        ASSERT_NE(audio, nullptr);
        EXPECT_EQ(audio->codecpar->ch_layout.nb_channels, c.channels);
        break;
    case Check::HdrTen: {
        std::string report = FilterReport(path, "showinfo");
        EXPECT_NE(report.find("mastering display: has_primaries:1 has_luminance:1"),
                  std::string::npos)
            << report;
        EXPECT_NE(report.find("Content Light Level information: MaxCLL=1000, MaxFALL=400"),
                  std::string::npos)
            << report;
        break;
    }
    case Check::Cover: {
        const AVStream* cover = FirstOf(file.context, AVMEDIA_TYPE_VIDEO, true);
        ASSERT_NE(cover, nullptr);
        EXPECT_EQ(cover->codecpar->codec_id, AV_CODEC_ID_PNG);
        const AVDictionaryEntry* title = av_dict_get(file.context->metadata, "title", nullptr, 0);
        ASSERT_NE(title, nullptr);
        EXPECT_STREQ(title->value, "Morning song");
        break;
    }
    case Check::Length: {
        test::MediaInspection output = test::Inspect(path);
        EXPECT_NEAR(output.seconds, 3.0, 0.2);
        EXPECT_EQ(output.subtitleTracks, 1);
        // The cue on screen at the trim's start shows from the start, the
        // last one ends with the trim.
        std::vector<std::pair<double, double>> cues = Cues(path);
        ASSERT_EQ(cues.size(), 2u);
        EXPECT_NEAR(cues[0].first, 0.0, 0.05);
        EXPECT_NEAR(cues[0].second, 1.0, 0.05);
        EXPECT_NEAR(cues[1].first, 1.5, 0.05);
        EXPECT_NEAR(cues[1].second, 3.0, 0.05);
        break;
    }
    }
}

class FidelityTest : public testing::TestWithParam<FidelityCase> {};

TEST_P(FidelityTest, TheOutputKeepsWhatTheSourceHeld) {
    const FidelityCase& c = GetParam();
    fs::path folder = test::ScratchFolder("fidelity") / c.name;
    fs::remove_all(folder);
    std::vector<std::string> command = {test::BinDirectory() + "kiv-convert",
                                        "--quiet",
                                        "--format",
                                        std::to_string(c.category),
                                        "--profile",
                                        std::to_string(c.profile),
                                        "--output-dir",
                                        (folder / "out").string()};
    command.insert(command.end(), c.trim.begin(), c.trim.end());
    command.push_back(SourcePath(c.source));
    test::ProgramResult run = test::RunProgram(command, {"KIV_HOME=" + (folder / "home").string()},
                                               std::chrono::seconds(240));
    std::string log = test::ReadFile(folder / "home" / "kiv-convert.log");
    ASSERT_EQ(run.exitStatus, 0) << run.err << log;
    std::vector<std::string> lines = test::Lines(run.out);
    ASSERT_FALSE(lines.empty());
    SCOPED_TRACE(log);
    CheckOutput(c, lines.back());
    if (c.note) {
        EXPECT_NE(log.find(c.note), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, FidelityTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<FidelityCase>& info) {
                             return info.param.name;
                         });

} // namespace
} // namespace kiv::e2e
