// Slideshows made for real: kiv-convert --slideshow, the engine's passes and
// enc drawing the scripts with FFmpeg, with the results decoded and looked at.

#include "CEncoderCntl.h"
#include "CFFmpegEncoder.h"
#include "EncTestSupport.h"
#include "FixedText.h"
#include "Log.h"
#include "TestFiles.h"
#include "TestMedia.h"
#include "TestProcess.h"
#include "runs/SlideShowRun.h"
#include "slideshow/SlideShowScripts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <csignal>
#include <regex>
#include <set>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;
using kiv::test::BinDirectory;
using kiv::test::MakeMedia;
using kiv::test::ProgramResult;
using kiv::test::RunProgram;

namespace {

fs::path media;

struct Rgb {
    int r, g, b;
};

// One decoded frame of a video at a time, as RGB (320 x 240 unless asked).
struct Frame {
    std::string pixels;
    int width = 320;
    int height = 240;
    Rgb At(int x, int y) const {
        std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                         static_cast<std::size_t>(x)) *
                        3;
        if (x < 0 || y < 0 || x >= width || i + 2 >= pixels.size())
            return {-1, -1, -1};
        auto byte = [this](std::size_t k) { return static_cast<unsigned char>(pixels[k]); };
        return {byte(i), byte(i + 1), byte(i + 2)};
    }
    // Mean absolute difference over the pixels of [x0, x1) x [y0, y1).
    double Difference(const Frame& other, int x0, int y0, int x1, int y1) const {
        double sum = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                Rgb a = At(x, y), b = other.At(x, y);
                sum += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
            }
        }
        return sum / ((x1 - x0) * (y1 - y0) * 3.0);
    }
    // Pixels of [x0, x1) x [y0, y1) that differ plainly (not by coding noise).
    int ChangedPixels(const Frame& other, int x0, int y0, int x1, int y1) const {
        int changed = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                Rgb a = At(x, y), b = other.At(x, y);
                changed += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) > 150;
            }
        }
        return changed;
    }
};

// The frame at that time, scaled to width x height: for the 4:3 outputs
// here 4:3 sizes show the frame as it is displayed.
Frame FrameAt(const std::string& video, double seconds, int width = 320, int height = 240) {
    std::string size = std::to_string(width) + "x" + std::to_string(height);
    ProgramResult r =
        RunProgram({"ffmpeg", "-v", "error", "-ss", std::to_string(seconds), "-i", video,
                    "-frames:v", "1", "-s", size, "-f", "rawvideo", "-pix_fmt", "rgb24", "-"});
    EXPECT_EQ(r.out.size(), std::size_t(width) * std::size_t(height) * 3u) << r.err;
    return {r.out, width, height};
}

// The smallest box around the pixels where the test holds: x0, y0, x1, y1
// (inclusive); x0 is -1 when there are none.
template <typename Test> std::array<int, 4> Box(const Frame& f, Test test, int fromY = 0) {
    std::array<int, 4> box = {-1, -1, -1, -1};
    for (int y = fromY; y < f.height; ++y) {
        for (int x = 0; x < f.width; ++x) {
            if (!test(f.At(x, y)))
                continue;
            box[0] = box[0] < 0 ? x : std::min(box[0], x);
            box[1] = box[1] < 0 ? y : box[1];
            box[2] = std::max(box[2], x);
            box[3] = y;
        }
    }
    return box;
}

double BoxAspect(const std::array<int, 4>& box) {
    return double(box[2] - box[0] + 1) / (box[3] - box[1] + 1);
}

bool IsWhite(Rgb c) {
    return c.r > 200 && c.g > 200 && c.b > 200;
}

// Loudness of a stretch of a file's sound: the RMS of 8 kHz mono samples.
double Loudness(const std::string& file, double from, double to) {
    ProgramResult r = RunProgram({"ffmpeg", "-v", "error", "-i", file, "-vn", "-ac", "1", "-ar",
                                  "8000", "-f", "s16le", "-"});
    std::size_t first = static_cast<std::size_t>(from * 8000) * 2;
    std::size_t last = std::min(r.out.size(), static_cast<std::size_t>(to * 8000) * 2);
    double sum = 0;
    std::size_t count = 0;
    for (std::size_t i = first; i + 1 < last; i += 2, ++count) {
        auto sample = static_cast<std::int16_t>(static_cast<unsigned char>(r.out[i]) |
                                                static_cast<unsigned char>(r.out[i + 1]) << 8);
        sum += double(sample) * sample;
    }
    return count ? std::sqrt(sum / count) : -1;
}

bool IsRed(Rgb c) {
    return c.r > 180 && c.g < 90 && c.b < 90;
}
bool IsBlue(Rgb c) {
    return c.b > 160 && c.r < 90 && c.g < 90;
}

// The everyday show: five pictures held 4 s each, transitions of 1 s,
// 30 s of music: 24 s, as asked. Its timeline in seconds: the circle to
// 4, the transition to 5, the phone photo to 9, a transition, the first
// caption's picture from 10 to 14, the second's from 15 to 19, the third's
// from 20 to the end at 24.
constexpr double kShowSeconds = 24;
constexpr double kCircleHeld = 2.0, kPhoneHeld = 7.0;
// The transition into the fourth picture pushes the third out to the east.
constexpr double kSlideFrom = 14;
constexpr double kCaptionsShown[] = {12.5, 17.9, 23.3};

class SlideShowE2E : public testing::Test {
protected:
    static void SetUpTestSuite() {
        media = kiv::test::ScratchFolder("slideshow-media");
        auto picture = [](const std::string& name, const std::string& colour,
                          const std::string& size) {
            ASSERT_TRUE(
                MakeMedia(media / name, {"-f", "lavfi", "-i", "color=" + colour + ":size=" + size,
                                         "-frames:v", "1"}));
        };
        picture("portrait 100%.png", "red",
                "300x500"); // a '%' in the name, as FFmpeg reads patterns
        picture("large.jpg", "0x00a000", "1000x800");
        picture("tiny.png", "blue", "40x30");
        ASSERT_TRUE(
            MakeMedia(media / "music.mp3",
                      {"-f", "lavfi", "-i", "sine=frequency=330:sample_rate=44100:duration=2"}));
        kiv::test::WriteFile(media / "notes.jpg", "not a picture\n");

        // The everyday set: a white disc, a phone's portrait photo stored
        // lying on its side (red above, blue below when upright), and
        // three plain pictures for the captions.
        ASSERT_TRUE(MakeMedia(media / "circle.png",
                              {"-f", "lavfi", "-i",
                               "nullsrc=size=400x300,format=gray,geq=lum='if(lt(hypot(X-200,Y-150),"
                               "120),255,0)'",
                               "-frames:v", "1"}));
        ASSERT_TRUE(MakeMedia(media / "phone.jpg",
                              {"-f", "lavfi", "-i", "color=red:size=300x200", "-f", "lavfi", "-i",
                               "color=blue:size=300x200", "-filter_complex",
                               "[0][1]vstack,transpose=cclock", "-frames:v", "1", "-q:v", "2"}));
        ASSERT_TRUE(kiv::test::SetExifOrientation(media / "phone.jpg", 6));
        picture("green.png", "0x00a000", "640x480");
        picture("blue.jpg", "0x0000c0", "600x400");
        ASSERT_TRUE(MakeMedia(media / "song.mp3", {"-f", "lavfi", "-i",
                                                   "sine=frequency=440:sample_rate=44100:"
                                                   "duration=30"}));
    }
    void SetUp() override {
        home_ =
            kiv::test::ScratchFolder(std::string("slideshow-") +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    std::vector<std::string> Pictures() const {
        return {(media / "portrait 100%.png").string(), (media / "large.jpg").string(),
                (media / "tiny.png").string()};
    }
    // Bounded well inside the test's own limit: a loaded machine draws a
    // long show slowly.
    ProgramResult KivConvert(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), BinDirectory() + "kiv-convert");
        return RunProgram(arguments, {"KIV_HOME=" + home_.string()}, std::chrono::seconds(540));
    }
    // The everyday show in the folder with the profile; prints its file.
    ProgramResult EverydayShow(const fs::path& folder, const std::string& format,
                               const std::string& profile, std::vector<std::string> extra = {}) {
        std::vector<std::string> arguments = {"--slideshow",
                                              "--format",
                                              format,
                                              "--profile",
                                              profile,
                                              "--output-dir",
                                              folder.string(),
                                              "--music",
                                              (media / "song.mp3").string(),
                                              "--picture-seconds",
                                              "4",
                                              "--transition-seconds",
                                              "1",
                                              "--caption",
                                              "",
                                              "--caption",
                                              "",
                                              "--caption",
                                              "Kids birthday party",
                                              "--caption",
                                              "Kids {birthday} party",
                                              "--caption",
                                              "C:\\new\\table"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        for (const char* name :
             {"circle.png", "phone.jpg", "green.png", "blue.jpg", "portrait 100%.png"})
            arguments.push_back((media / name).string());
        return KivConvert(arguments);
    }
    fs::path home_;
};

// The names in a folder, sorted.
std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A two-picture show for the engine's own calls: mpeg4 and AAC in MP4.
struct EngineShow {
    std::vector<kiv::SlideShowPicture> pictures;
    kiv::SlideShow show{};

    EngineShow(const std::vector<std::string>& paths, const std::string& prefix) {
        pictures.assign(paths.size(), kiv::SlideShowPicture{});
        for (std::size_t i = 0; i < paths.size(); ++i) {
            kiv::SetText(pictures[i].imagePath, paths[i]);
            pictures[i].displayFrames = 15;
            pictures[i].transitionFrames = 5;
        }
        show.pictures = pictures.data();
        show.pictureCount = static_cast<std::int32_t>(paths.size());
        show.targetKind = 4;
        kiv::SetText(show.target.videoCodec, "mpeg4");
        kiv::SetText(show.target.audioCodec, "aac");
        show.target.videoBitrate = 300;
        show.target.width = 176;
        show.target.height = 144;
        show.target.frameRate = 25;
        show.target.audioBitrate = 64;
        show.target.channels = 2;
        show.target.sampleRate = 44100;
        show.target.volume = 256;
        kiv::SetText(show.outputPrefix, prefix);
    }
};

std::string Trimmed(std::string text) {
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

} // namespace

// The everyday show on a DVD (720 x 576 shown at 4:3, 25 frames a second)
// and on an iPod (320 x 240, 30 a second, with --pan-zoom), looked at frame
// by frame: true proportions, the phone photo upright, captions as typed,
// music that fades out, and transitions drawn at the output's own rate.
TEST_F(SlideShowE2E, EverydayPicturesOnADvdAndAnIpod) {
    // Characters FFmpeg's filter graphs treat specially, in the output folder.
    fs::path dvdFolder = home_ / "dvd, it's [1]; a: b";
    ProgramResult dvd = EverydayShow(dvdFolder, "To DVD/SVCD/VCD/MPEG", "PAL DVD Video");
    ASSERT_EQ(dvd.exitStatus, 0) << dvd.err;
    std::string dvdShow = Trimmed(dvd.out);
    EXPECT_TRUE(std::regex_match(fs::path(dvdShow).filename().string(),
                                 std::regex(R"(slideshow[0-9]+_pal-dvd_ac3\.mpg)")))
        << dvdShow;
    EXPECT_EQ(Entries(dvdFolder), std::vector<std::string>{fs::path(dvdShow).filename()});
    kiv::test::MediaInspection inspected = kiv::test::Inspect(dvdShow);
    EXPECT_EQ(inspected.width, 720);
    EXPECT_NEAR(inspected.seconds, kShowSeconds, 0.3);

    ProgramResult ipod = EverydayShow(home_ / "ipod", "To iPod/iPhone/AppleTV",
                                      "iPod Classic(Normal Quality)", {"--pan-zoom", "--json"});
    ASSERT_EQ(ipod.exitStatus, 0) << ipod.err;
    // With --json standard output holds JSON lines alone; the last names the show.
    std::vector<std::string> events = kiv::test::Lines(ipod.out);
    ASSERT_FALSE(events.empty());
    for (const std::string& event : events)
        EXPECT_TRUE(event.front() == '{' && event.back() == '}') << event;
    const std::string named = "\"output\":\"";
    ASSERT_NE(events.back().find(named), std::string::npos) << events.back();
    ASSERT_NE(events.back().find(",\"result\":\"done\""), std::string::npos) << events.back();
    const std::size_t from = events.back().find(named) + named.size();
    std::string ipodShow = events.back().substr(from, events.back().find('"', from) - from);
    EXPECT_EQ(fs::path(ipodShow).parent_path(), home_ / "ipod");
    EXPECT_TRUE(kiv::test::DecodesCleanly(ipodShow));

    for (const std::string& show : {dvdShow, ipodShow}) {
        SCOPED_TRACE(show);
        // The disc is round on screen (both outputs are shown at 4:3).
        Frame circle = FrameAt(show, kCircleHeld, 640, 480);
        std::array<int, 4> disc = Box(circle, IsWhite);
        EXPECT_NEAR(BoxAspect(disc), 1.0, 0.02)
            << disc[0] << "," << disc[1] << " " << disc[2] << "," << disc[3];
        // The phone photo stands upright (red above blue) in its own 3:4.
        Frame phone = FrameAt(show, kPhoneHeld, 640, 480);
        std::array<int, 4> red = Box(phone, IsRed);
        std::array<int, 4> blue = Box(phone, IsBlue);
        ASSERT_GE(red[0], 0);
        ASSERT_GE(blue[0], 0);
        EXPECT_LT(red[3], blue[1]);
        EXPECT_NEAR(BoxAspect({red[0], red[1], blue[2], blue[3]}), 0.75, 0.02);
    }

    // Captions as typed: each caption's width against the plain one's is
    // what FFmpeg's drawtext gives the same texts in the same font.
    std::vector<double> drawn, reference;
    const char* texts[] = {"Kids birthday party", "Kids {birthday} party", "C:\\new\\table"};
    for (std::size_t i = 0; i < 3; ++i) {
        Frame frame = FrameAt(dvdShow, kCaptionsShown[i], 640, 480);
        std::array<int, 4> ink = Box(frame, IsWhite, 360);
        drawn.push_back(ink[2] - ink[0] + 1);
        fs::path text = home_ / ("caption" + std::to_string(i) + ".txt");
        kiv::test::WriteFile(text, texts[i]);
        ProgramResult plain = RunProgram(
            {"ffmpeg", "-v", "error", "-f", "lavfi", "-i", "color=black:size=1600x200", "-vf",
             "drawtext=font=serif:fontsize=60:fontcolor=white:expansion=none:x=20:y=60:textfile=" +
                 text.string(),
             "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "rgb24", "-"});
        std::array<int, 4> plainInk = Box(Frame{plain.out, 1600, 200}, IsWhite);
        reference.push_back(plainInk[2] - plainInk[0] + 1);
    }
    for (std::size_t i = 1; i < 3; ++i)
        EXPECT_NEAR(drawn[i] / drawn[0], reference[i] / reference[0], 0.04) << texts[i];

    // The music fades out: the last second is much quieter than the middle.
    EXPECT_LT(Loudness(dvdShow, kShowSeconds - 1, kShowSeconds), 0.6 * Loudness(dvdShow, 12, 13));

    // At 30 frames a second every frame of a transition is a new one (a show
    // drawn at 25 and repeated up to 30 would repeat every sixth).
    int firstFrame = static_cast<int>(kSlideFrom * 30) + 2;
    ProgramResult frames =
        RunProgram({"ffmpeg", "-v", "error", "-i", ipodShow, "-vf",
                    "select=between(n\\," + std::to_string(firstFrame) + "\\," +
                        std::to_string(firstFrame + 25) + ")",
                    "-fps_mode", "passthrough", "-f", "rawvideo", "-pix_fmt", "rgb24", "-"});
    std::size_t frameBytes = 320 * 240 * 3;
    ASSERT_EQ(frames.out.size(), 26 * frameBytes) << frames.err;
    for (std::size_t i = 1; i < 26; ++i) {
        Frame before{frames.out.substr((i - 1) * frameBytes, frameBytes)};
        Frame after{frames.out.substr(i * frameBytes, frameBytes)};
        EXPECT_GT(after.ChangedPixels(before, 0, 0, 320, 240), 100) << "frame " << i;
    }
    // --pan-zoom: a held picture moves; without it, it stands still.
    for (const std::string& show : {dvdShow, ipodShow}) {
        Frame early = FrameAt(show, kPhoneHeld - 1);
        Frame late = FrameAt(show, kPhoneHeld + 1);
        int moved = late.ChangedPixels(early, 0, 0, 320, 240);
        if (show == ipodShow) {
            EXPECT_GT(moved, 100);
        } else {
            EXPECT_LT(moved, 20);
        }
    }
}

TEST_F(SlideShowE2E, DryRunPrintsTheScriptsAndTheEncoderLines) {
    std::vector<std::string> pictures = Pictures();
    ProgramResult r = KivConvert({"--slideshow", "--dry-run", "--format", "5", "--profile", "2",
                                  "--output-dir", (home_ / "out").string(), pictures[0]});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    std::string work =
        (home_ / "out" / "slideshowkiv-XXXXXX").string(); // each show fills in its own
    std::string enc(1, '"');
    enc += BinDirectory() + "enc\" quillon-transcode-gates -i \"" + work + "/kiv.avs\"  ";
    std::istringstream lines(r.out);
    std::vector<std::string> printed;
    for (std::string line; std::getline(lines, line);)
        printed.push_back(line);
    ASSERT_EQ(printed.size(), 4u) << r.out;
    EXPECT_EQ(printed[0], work + "/kiv.avs");
    EXPECT_TRUE(std::regex_match(printed[1].substr(std::min(printed[1].size(), enc.size())),
                                 std::regex("-y \"" + work + "/[0-9]+\\.mpg\"")))
        << printed[1];
    EXPECT_EQ(printed[2], work + "/kiv.avs");
    EXPECT_TRUE(printed[3].starts_with(enc + "-b 768k -s 320x240 -r 30.00 -scodec copy  -ab "
                                             "128.00k  -ac 2 -ar 44100.00 -vol 256 -shortest  "
                                             "-vcodec mpeg4 -acodec libfaac"))
        << printed[3];
    EXPECT_FALSE(fs::exists(home_ / "out")); // nothing was written
}

TEST_F(SlideShowE2E, UnreadablePicturesStopBeforeAnythingIsWritten) {
    struct Row {
        std::string picture, message;
    } rows[] = {
        {(media / "missing.png").string(), "not a picture the encoder can open"},
        {(media / "notes.jpg").string(), "not a picture the encoder can open"},
        {(media / "say \"cheese\".png").string(), "it holds a double quote"},
    };
    for (const Row& row : rows) {
        ProgramResult r =
            KivConvert({"--slideshow", "--format", "5", "--profile", "2", "--output-dir",
                        (home_ / "out").string(), Pictures()[0], row.picture});
        EXPECT_EQ(r.exitStatus, 2) << row.picture;
        EXPECT_NE(r.err.find("'" + row.picture + "'"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(row.message), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(home_ / "out")) << row.picture;
    }
}

// enc itself, given scripts that name files it cannot read: one line that
// names the file, a failure status, and nothing left behind.
TEST_F(SlideShowE2E, EncNamesTheFileItCannotReadAndCleansUp) {
    std::vector<kiv::SlideShowPicture> pictures(2, kiv::SlideShowPicture{});
    kiv::SlideShow show{};
    show.pictures = pictures.data();
    show.pictureCount = 2;
    std::string work = (home_ / "work").string();
    fs::create_directories(work);
    fs::permissions(work, fs::perms::owner_all); // enc writes only into a private folder
    std::string script = work + "/kiv.avs";
    struct Row {
        std::string second, message;
    } rows[] = {
        {(media / "gone.png").string(), "': no such file"},
        {(media / "notes.jpg").string(), "': not a picture"},
    };
    for (const Row& row : rows) {
        kiv::SetText(pictures[0].imagePath, Pictures()[2]);
        kiv::SetText(pictures[1].imagePath, row.second);
        kiv::test::WriteFile(script, kiv::ImageScriptText(BinDirectory(), work, show));
        kiv::test::ProcessResult r = kiv::test::RunEnc({"-i", script, "-y", work + "/1.mpg"});
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_NE(r.output.find("enc: cannot read the picture '" + row.second + row.message),
                  std::string::npos)
            << r.output;
        EXPECT_EQ(std::distance(fs::directory_iterator(work), fs::directory_iterator()), 1);
    }

    // Frame images go only into a folder nobody else may write to.
    kiv::SetText(pictures[1].imagePath, Pictures()[1]);
    kiv::test::WriteFile(script, kiv::ImageScriptText(BinDirectory(), work, show));
    fs::permissions(work, fs::perms::all);
    kiv::test::ProcessResult shared = kiv::test::RunEnc({"-i", script, "-y", work + "/1.mpg"});
    EXPECT_NE(shared.exitCode, 0);
    EXPECT_NE(shared.output.find("is not a private folder of this user; nothing is written there"),
              std::string::npos)
        << shared.output;
    EXPECT_EQ(std::distance(fs::directory_iterator(work), fs::directory_iterator()), 1);
    fs::permissions(work, fs::perms::owner_all);

    // The show pass without its frame images.
    for (kiv::SlideShowPicture& picture : pictures) {
        picture.displayFrames = 25;
        picture.transitionFrames = 5;
        kiv::SetText(picture.caption, "Caption");
    }
    kiv::test::WriteFile(script,
                         kiv::ShowScriptText(BinDirectory(), work, show, kiv::ShowSound::Silent));
    std::string output = (home_ / "show.mp4").string();
    kiv::test::ProcessResult r =
        kiv::test::RunEnc({"-i", script, "-b", "300k", "-s", "320x240", "-vcodec", "mpeg4",
                           "-acodec", "aac", "-y", output});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.output.find("enc: cannot read the frame image '" + work +
                            "/aya000001.ebmp': no such file"),
              std::string::npos)
        << r.output;
    EXPECT_FALSE(fs::exists(output));
    EXPECT_FALSE(fs::exists(work + "/kiv.ssa"));
}

// The engine's passes judge the encoder's end: a pass whose encoder failed
// returns 0 with the reason, never 1.
TEST_F(SlideShowE2E, EnginePassesReportFailedEncoderRuns) {
    ASSERT_TRUE(kiv::OpenLog((home_ / "kiv.dmp").string()));
    std::vector<int> progress;
    kiv::EncoderInit init{};
    init.callback = [](int value, void* user) {
        static_cast<std::vector<int>*>(user)->push_back(value);
    };
    init.userData = &progress;
    kiv::SetText(init.appFolder, BinDirectory());
    kiv::CFFmpegEncoder encoder;
    ASSERT_EQ(encoder.bInit(&init), 1);

    std::string prefix = (home_ / "show").string();
    EngineShow fixture({Pictures()[1], Pictures()[2]}, prefix);
    kiv::SlideShow& show = fixture.show;
    std::vector<kiv::SlideShowPicture>& pictures = fixture.pictures;

    // The passes work in a folder of their own, entered by the first.
    fs::path before = fs::current_path();
    ASSERT_EQ(encoder.bMakeSlideShowImageScript(&show), 1);
    std::string work = fs::current_path().string();
    EXPECT_TRUE(work.starts_with(prefix + "kiv-")) << work;
    ASSERT_EQ(encoder.bRenderSlideShowImages(1), 1) << encoder.LastResult().reason;
    ASSERT_EQ(encoder.bMakeSlideShowScriptSilent(&show), 1);
    ASSERT_EQ(encoder.bEncodeSlideShow(&show), 1) << encoder.LastResult().reason;
    EXPECT_TRUE(kiv::test::DecodesCleanly(show.outputPrefix));
    EXPECT_NE(progress.size(), 0u);
    for (int value : progress)
        EXPECT_TRUE(value == 10 || value == 100) << value;

    // enc never writes a show over a file, not even one that appeared while
    // it was encoding; what it started is deleted.
    std::string existing(show.outputPrefix);
    std::string earlier = kiv::test::ReadFile(existing);
    kiv::test::ProcessResult again =
        kiv::test::RunEnc({"-i", work + "/kiv.avs", "-b", "300k", "-s", "176x144", "-vcodec",
                           "mpeg4", "-acodec", "aac", "-y", existing});
    EXPECT_NE(again.exitCode, 0);
    EXPECT_NE(again.output.find("enc: the file " + existing + " exists; it is kept"),
              std::string::npos)
        << again.output;
    EXPECT_EQ(kiv::test::ReadFile(existing), earlier);
    EXPECT_EQ(Entries(home_).size(), 3u); // kiv.dmp, the work folder, the show

    // The encoder fails without a frame image: 0 and why, no output.
    fs::remove(show.outputPrefix);
    fs::remove(work + "/aya000002.ebmp");
    kiv::SetText(show.outputPrefix, prefix);
    EXPECT_EQ(encoder.bEncodeSlideShow(&show), 0);
    EXPECT_NE(encoder.LastResult().reason.find("aya000002.ebmp"), std::string::npos)
        << encoder.LastResult().reason;
    EXPECT_FALSE(fs::exists(show.outputPrefix));

    // The image pass fails for a picture that is gone.
    kiv::SetText(pictures[1].imagePath, (media / "gone.png").string());
    ASSERT_EQ(encoder.bMakeSlideShowImageScript(&show), 1);
    EXPECT_EQ(encoder.bRenderSlideShowImages(1), 0);
    EXPECT_NE(encoder.LastResult().reason.find("gone.png"), std::string::npos);
    encoder.EndSlideShow(); // the folder goes and the former current directory comes back
    EXPECT_FALSE(fs::exists(work));
    EXPECT_EQ(fs::current_path(), before);
    kiv::CloseLog();
}

// The engine's show runner: the steps in order, a stop between the two
// steps honoured, failures named, and no work folder left by any of them.
TEST_F(SlideShowE2E, ShowRunnerStopsBetweenStepsAndLeavesNothingBehind) {
    ASSERT_TRUE(kiv::OpenLog((home_ / "kiv.dmp").string()));
    kiv::EncoderInit init{};
    init.callback = [](int, void*) {};
    kiv::SetText(init.appFolder, BinDirectory());
    kiv::CEncoderCntl controller;
    ASSERT_EQ(controller.bCreateEncoder(&init), 1);

    struct Recorder : kiv::SlideShowEvents {
        kiv::CEncoderCntl* stopAfterPictures = nullptr;
        std::vector<std::string> seen;
        void StepBegins(kiv::SlideShowStep step) override {
            seen.push_back(step == kiv::SlideShowStep::Pictures ? "pictures" : "show");
        }
        void StepEnds(kiv::SlideShowStep step, kiv::ConvertOutcome outcome) override {
            seen.push_back(outcome == kiv::ConvertOutcome::Done ? "done" : "not done");
            if (step == kiv::SlideShowStep::Pictures && stopAfterPictures)
                stopAfterPictures->StopConvert();
        }
    };
    fs::path folder = home_ / "shows";
    fs::create_directories(folder);
    std::string prefix = (folder / "show").string();

    Recorder done;
    EngineShow whole({Pictures()[1], Pictures()[2]}, prefix);
    kiv::SlideShowResult result = kiv::RunSlideShow(controller, whole.show, done);
    ASSERT_EQ(result.end, kiv::SlideShowEnd::Done) << result.failedStep << ": " << result.reason;
    EXPECT_EQ(done.seen, (std::vector<std::string>{"pictures", "done", "show", "done"}));
    EXPECT_TRUE(kiv::test::DecodesCleanly(result.outputPath));
    EXPECT_EQ(Entries(folder), std::vector<std::string>{fs::path(result.outputPath).filename()});
    fs::remove(result.outputPath);

    Recorder stopping;
    stopping.stopAfterPictures = &controller;
    EngineShow stopped({Pictures()[1], Pictures()[2]}, prefix);
    result = kiv::RunSlideShow(controller, stopped.show, stopping);
    EXPECT_EQ(result.end, kiv::SlideShowEnd::Stopped);
    EXPECT_EQ(result.outputPath, "");
    EXPECT_EQ(stopping.seen, (std::vector<std::string>{"pictures", "done"}));
    EXPECT_TRUE(Entries(folder).empty());

    Recorder failing;
    EngineShow broken({Pictures()[1], (media / "gone.png").string()}, prefix);
    result = kiv::RunSlideShow(controller, broken.show, failing);
    EXPECT_EQ(result.end, kiv::SlideShowEnd::Failed);
    EXPECT_EQ(result.failedStep, "preparing the pictures");
    EXPECT_NE(result.reason.find("gone.png"), std::string::npos) << result.reason;
    EXPECT_EQ(failing.seen, (std::vector<std::string>{"pictures", "not done"}));
    EXPECT_TRUE(Entries(folder).empty());
    kiv::CloseLog();
}

// Shows share an output folder without meeting: two at once each keep their
// own pictures, and a "slideshowkiv" planted there with links to someone
// else's file is never written through.
TEST_F(SlideShowE2E, ShowsInOneFolderKeepToThemselves) {
    fs::path out = home_ / "shared";
    fs::path planted = out / "slideshowkiv";
    fs::create_directories(planted);
    fs::path victim = home_ / "victim.txt";
    kiv::test::WriteFile(victim, "precious");
    for (const char* name : {"kiv.avs", "kiv.ssa", "kiv.lock", "aya000000.ebmp", "aya000001.ebmp"})
        fs::create_symlink(victim, planted / name);

    struct Run {
        std::string picture;
        bool (*colour)(Rgb);
        pid_t pid = 0;
        fs::path home;
    } runs[] = {{Pictures()[0], IsRed, 0, {}}, {Pictures()[2], IsBlue, 0, {}}};
    for (std::size_t i = 0; i < 2; ++i) {
        Run& run = runs[i];
        run.home = home_ / ("home" + std::to_string(i));
        fs::create_directories(run.home);
        run.pid = kiv::test::StartProgram(
            {BinDirectory() + "kiv-convert", "--slideshow", "--quiet", "--format", "5", "--profile",
             "2", "--output-dir", out.string(), "--picture-seconds", "1", "--transition-seconds",
             "0.2", "--caption", "Mine", run.picture, run.picture},
            {"KIV_HOME=" + run.home.string()}, (run.home / "out").string(),
            (run.home / "err").string());
    }
    std::set<std::string> shows;
    for (Run& run : runs) {
        ASSERT_EQ(kiv::test::WaitProgram(run.pid, std::chrono::seconds(240)), 0)
            << kiv::test::ReadFile(run.home / "err");
        std::string show = Trimmed(kiv::test::ReadFile(run.home / "out"));
        shows.insert(fs::path(show).filename().string());
        EXPECT_TRUE(run.colour(FrameAt(show, 0.5).At(160, 120))) << show;
        EXPECT_TRUE(run.colour(FrameAt(show, 1.5).At(160, 120))) << show;
    }
    EXPECT_EQ(kiv::test::ReadFile(victim), "precious");
    shows.insert("slideshowkiv");
    EXPECT_EQ(Entries(out), std::vector<std::string>(shows.begin(), shows.end()));
    EXPECT_EQ(Entries(planted).size(), 5u);
}

// Every way out the program sees leaves no work folder behind: a pass that
// fails, a Ctrl-C (the show stops at once, what was written is kept as
// "(partial)") and a second Ctrl-C (everything ends at once).
TEST_F(SlideShowE2E, NothingIsLeftBehind) {
    // A picture whose header is whole passes the checks; its damaged data
    // fails the preparation.
    std::string png = kiv::test::ReadFile(media / "green.png");
    for (std::size_t i = png.find("IDAT") + 8; i + 16 < png.size(); ++i)
        png[i] = static_cast<char>(png[i] * 7 + 13);
    kiv::test::WriteFile(home_ / "damaged.png", png);
    fs::path out = home_ / "out";
    ProgramResult failed =
        KivConvert({"--slideshow", "--format", "5", "--profile", "2", "--output-dir", out.string(),
                    Pictures()[1], (home_ / "damaged.png").string()});
    EXPECT_EQ(failed.exitStatus, 1);
    EXPECT_NE(
        failed.err.find("preparing the picture '" + (home_ / "damaged.png").string() + "' failed"),
        std::string::npos)
        << failed.err;
    EXPECT_TRUE(Entries(out).empty());

    for (int interrupts : {1, 2}) {
        fs::path folder = home_ / ("interrupted" + std::to_string(interrupts));
        std::vector<std::string> arguments = {BinDirectory() + "kiv-convert",
                                              "--slideshow",
                                              "--quiet",
                                              "--format",
                                              "4",
                                              "--profile",
                                              "0",
                                              "--output-dir",
                                              folder.string(),
                                              "--picture-seconds",
                                              "3"};
        for (int i = 0; i < 36; ++i)
            arguments.push_back(Pictures()[static_cast<std::size_t>(i % 3)]);
        pid_t show =
            kiv::test::StartProgram(arguments, {"KIV_HOME=" + home_.string()},
                                    (home_ / "show.out").string(), (home_ / "show.err").string());
        // One Ctrl-C comes once the show itself is being written, two while
        // the pictures are prepared.
        const char* mark = interrupts == 1 ? ".kivtmp-" : "slideshowkiv-";
        auto working = [&folder, mark] {
            std::error_code missing;
            for (fs::directory_iterator it(folder, missing), end; !missing && it != end; ++it) {
                if (it->path().filename().string().find(mark) != std::string::npos &&
                    (it->is_directory(missing) || it->file_size(missing) > (64 << 10)))
                    return true;
            }
            return false;
        };
        for (int wait = 0; wait < 2400 && !working(); ++wait)
            usleep(50 * 1000);
        ASSERT_TRUE(working());
        for (int i = 0; i < interrupts; ++i) {
            kill(show, SIGINT);
            usleep(100 * 1000);
        }
        EXPECT_EQ(kiv::test::WaitProgram(show, std::chrono::seconds(60)), 130)
            << kiv::test::ReadFile(home_ / "show.err");
        if (interrupts == 1) {
            // What was written is kept as cut, and the encoder heard the
            // "q" itself: it was not ended by the signals that follow.
            EXPECT_EQ(Entries(folder).size(), 1u);
            std::string log = kiv::test::ReadFile(home_ / "kiv-convert.log");
            EXPECT_NE(log.find("[q] command received"), std::string::npos) << log;
            EXPECT_EQ(log.find("received signal"), std::string::npos) << log;
        }
        for (const std::string& name : Entries(folder))
            EXPECT_TRUE(std::regex_match(
                name, std::regex(R"(slideshow[0-9]+_pal-dvd_ac3 \(partial\)\.mpg)")))
                << name << " after " << interrupts << " Ctrl-C";
    }
}

// Shows of many pictures: 300 small ones, drawn at 15 frames a second.
TEST_F(SlideShowE2E, ThreeHundredPictures) {
    fs::path pictures = home_ / "many";
    fs::create_directories(pictures);
    ProgramResult made =
        RunProgram({"ffmpeg", "-v", "error", "-f", "lavfi", "-i", "testsrc2=size=96x72:rate=25",
                    "-frames:v", "300", "-q:v", "5", (pictures / "p%03d.jpg").string()});
    ASSERT_EQ(made.exitStatus, 0) << made.err;
    std::vector<std::string> arguments = {"--slideshow",
                                          "--quiet",
                                          "--format",
                                          "To 3GP/MP4",
                                          "--profile",
                                          "3GP(mpeg4/aac)",
                                          "--output-dir",
                                          (home_ / "out").string(),
                                          "--picture-seconds",
                                          "0.2",
                                          "--transition-seconds",
                                          "0.04"};
    for (int i = 1; i <= 300; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "p%03d.jpg", i);
        arguments.push_back((pictures / name).string());
    }
    ProgramResult show = KivConvert(arguments);
    ASSERT_EQ(show.exitStatus, 0) << show.err;
    std::string file = Trimmed(show.out);
    EXPECT_TRUE(kiv::test::DecodesCleanly(file));
    // Pictures 1 and 2 are held 5 frames as asked, joined by 1; holds and
    // joins shorter than the scripts' 10 frames come out at 10 from then on.
    EXPECT_NEAR(kiv::test::Inspect(file).seconds, (5 + 1 + 5 + 298 * 20) / 25.0, 0.5);
    EXPECT_EQ(Entries(home_ / "out"), std::vector<std::string>{fs::path(file).filename()});
}
