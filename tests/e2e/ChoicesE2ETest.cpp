// What the user chooses to go into the file, through kiv-convert, enc and
// FFmpeg: the tracks kept of a film with three languages and two kinds of
// subtitles, subtitles burned into the picture (looked at where the cue is
// and where it is not), and black bars found in samples of a film, but no
// bars made up in a dark scene.

#include "TestFiles.h"
#include "TestMedia.h"
#include "TestProcess.h"
#include "TrackFilm.h"
#include "media/CropDetection.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

extern "C" {
#include <libavformat/avformat.h>
}

namespace kiv::e2e {
namespace {

namespace fs = std::filesystem;

struct Converted {
    std::string output;
    std::string log;
};

// Converts the film with the options; the output's path, or empty.
Converted ConvertWith(const std::string& name, const std::string& source,
                      const std::vector<std::string>& options) {
    static const fs::path scratch = test::ScratchFolder("choices"); // fresh once a run
    fs::path folder = scratch / name;
    fs::remove_all(folder);
    std::vector<std::string> command = {test::BinDirectory() + "kiv-convert", "--quiet",
                                        "--output-dir", (folder / "out").string()};
    command.insert(command.end(), options.begin(), options.end());
    command.push_back(source);
    test::ProgramResult run = test::RunProgram(command, {"KIV_HOME=" + (folder / "home").string()},
                                               std::chrono::seconds(240));
    Converted converted{{}, test::ReadFile(folder / "home" / "kiv-convert.log")};
    EXPECT_EQ(run.exitStatus, 0) << run.err << converted.log;
    std::vector<std::string> lines = test::Lines(run.out);
    if (run.exitStatus == 0 && !lines.empty())
        converted.output = lines.back();
    return converted;
}

// "audio:aac:ger" for each stream of the file, in order.
std::vector<std::string> Streams(const std::string& path) {
    std::vector<std::string> streams;
    AVFormatContext* context = nullptr;
    if (avformat_open_input(&context, path.c_str(), nullptr, nullptr) != 0)
        return streams;
    avformat_find_stream_info(context, nullptr);
    for (unsigned i = 0; i < context->nb_streams; ++i) {
        const AVStream* stream = context->streams[i];
        const AVDictionaryEntry* language = av_dict_get(stream->metadata, "language", nullptr, 0);
        streams.push_back(
            std::string(av_get_media_type_string(stream->codecpar->codec_type)) + ":" +
            avcodec_get_name(stream->codecpar->codec_id) + ":" +
            (language && std::string(language->value) != "und" ? language->value : ""));
    }
    avformat_close_input(&context);
    return streams;
}

struct TrackCase {
    const char* name;
    std::vector<std::string> options;
    std::vector<std::string> streams;
};

TEST(Choices, TheFileKeepsExactlyTheTracksChosen) {
    // clang-format off
    const TrackCase kCases[] = {
        {"GermanAndFrenchEverySubtitle",
         {"--format", "9", "--profile", "8", "--audio-tracks", "de,French", "--subtitles", "all"},
         {"video:h264:", "audio:aac:ger", "audio:aac:fre", "subtitle:subrip:eng",
          "subtitle:hdmv_pgs_subtitle:ger"}},
        {"FirstSoundGermanPictures",
         {"--format", "9", "--profile", "8", "--audio-tracks", "first", "--subtitles", "ger"},
         {"video:h264:", "audio:aac:eng", "subtitle:hdmv_pgs_subtitle:ger"}},
        {"EnglishToMp4NoSubtitles",
         {"--format", "9", "--profile", "0", "--audio-tracks", "eng", "--subtitles", "none"},
         {"video:h264:", "audio:aac:eng"}},
    };
    // clang-format on
    for (const TrackCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Converted converted = ConvertWith(c.name, test::TrackFilm(), c.options);
        EXPECT_EQ(Streams(converted.output), c.streams) << converted.log;
    }
}

// The grey picture at a time, one byte a pixel.
std::string GreyPicture(const std::string& path, double seconds) {
    return test::RunProgram({"ffmpeg", "-v", "error", "-nostdin", "-ss", std::to_string(seconds),
                             "-i", path, "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "gray",
                             "-"})
        .out;
}

struct Area {
    int x, y, width, height;
};

// How far the pictures are apart within the area: the mean difference of
// their pixels (0 to 255).
double Difference(const std::string& a, const std::string& b, int width, const Area& area) {
    if (a.size() != b.size() || a.empty())
        return -1;
    double sum = 0;
    for (int y = area.y; y < area.y + area.height; ++y)
        for (int x = area.x; x < area.x + area.width; ++x) {
            std::size_t at = static_cast<std::size_t>(y * width + x);
            sum += std::abs(static_cast<unsigned char>(a[at]) - static_cast<unsigned char>(b[at]));
        }
    return sum / (area.width * area.height);
}

struct BurnCase {
    const char* name;
    std::vector<std::string> burned;
    std::vector<std::string> plain;
    int width, height; // the output's picture
    Area cue;          // where the cue shows in it
};

TEST(Choices, BurnedSubtitlesChangeThePictureWhereTheCueIs) {
    const std::vector<std::string> mp4 = {"--format", "9", "--profile", "0"};
    auto with = [&mp4](std::vector<std::string> more) {
        more.insert(more.begin(), mp4.begin(), mp4.end());
        return more;
    };
    // The text cue is drawn at the bottom; the box cue lies in the lower
    // bar, and on a cropped picture its lower half is moved up into it.
    const BurnCase kCases[] = {
        {"Text",
         with({"--subtitles", "burn:1"}),
         with({"--subtitles", "none"}),
         320,
         240,
         {100, 210, 120, 26}},
        {"Pictures",
         with({"--subtitles", "burn:2"}),
         with({"--subtitles", "none"}),
         320,
         240,
         {test::kBoxCue.x, test::kBoxCue.y, test::kBoxCue.width, test::kBoxCue.height}},
        {"PicturesOnCroppedPicture",
         with({"--crop", "auto", "--subtitles", "burn:2"}),
         with({"--crop", "auto", "--subtitles", "none"}),
         320,
         160,
         {test::kBoxCue.x, test::kBoxCue.y - 80, test::kBoxCue.width, test::kBoxCue.height}},
    };
    const double during = (test::kCueStartSeconds + test::kCueEndSeconds) / 2;
    const double before = test::kCueStartSeconds / 2;
    for (const BurnCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Converted burned =
            ConvertWith(std::string(c.name) + "-burned", test::TrackFilm(), c.burned);
        Converted plain = ConvertWith(std::string(c.name) + "-plain", test::TrackFilm(), c.plain);
        test::MediaInspection output = test::Inspect(burned.output);
        EXPECT_EQ(output.width, c.width);
        EXPECT_EQ(output.height, c.height);
        EXPECT_EQ(output.subtitleTracks, 0);
        EXPECT_GT(Difference(GreyPicture(burned.output, during), GreyPicture(plain.output, during),
                             c.width, c.cue),
                  8.0)
            << burned.log;
        double quiet = Difference(GreyPicture(burned.output, before),
                                  GreyPicture(plain.output, before), c.width, c.cue);
        EXPECT_GE(quiet, 0.0);
        EXPECT_LT(quiet, 1.0);
    }
}

TEST(Choices, CropFindsBarsButNoneInADarkScene) {
    // A night scene: a lamp in the middle of a nearly black room whose
    // edges are dark, not black.
    fs::path dark = test::SharedMediaFolder() / "dark-scene.mkv";
    ASSERT_TRUE(test::MakeMedia(dark, {"-f", "lavfi", "-i",
                                       "color=c=0x060606:size=320x240:rate=25:duration=4,"
                                       "drawbox=x=130:y=90:w=60:h=60:color=0xffffaa:t=fill",
                                       "-c:v", "libx264", "-preset", "ultrafast", "-g", "25",
                                       "-pix_fmt", "yuv420p"}));
    BlackBars night = FindBlackBars(dark.string());
    EXPECT_TRUE(night.readable);
    EXPECT_GE(night.lit, 2);
    EXPECT_FALSE(night.keep.has_value()) << CropBoxText(*night.keep);

    BlackBars film = FindBlackBars(test::TrackFilm());
    ASSERT_TRUE(film.keep.has_value());
    EXPECT_EQ(CropBoxText(*film.keep), "320:160:0:40");

    // The conversion cuts them off and says so in the log.
    Converted converted = ConvertWith("CropAuto", test::TrackFilm(),
                                      {"--format", "9", "--profile", "0", "--crop", "auto"});
    EXPECT_EQ(test::Inspect(converted.output).height, 160);
    EXPECT_NE(converted.log.find("crop: black bars found ("), std::string::npos) << converted.log;
}

} // namespace
} // namespace kiv::e2e
