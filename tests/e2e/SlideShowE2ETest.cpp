// Slideshows made for real: kiv-convert --slideshow, the engine's passes and
// enc drawing the scripts with FFmpeg, with the results decoded and looked at.

#include "CFFmpegEncoder.h"
#include "EncTestSupport.h"
#include "FixedText.h"
#include "Log.h"
#include "SlideShowScripts.h"
#include "TestFiles.h"
#include "TestMedia.h"
#include "TestProcess.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <sstream>

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

// One decoded frame of a video at a time, as 320 x 240 RGB.
struct Frame {
    std::string pixels;
    Rgb At(int x, int y) const {
        std::size_t i = (static_cast<std::size_t>(y) * 320 + static_cast<std::size_t>(x)) * 3;
        if (i + 2 >= pixels.size())
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

Frame FrameAt(const std::string& video, double seconds) {
    ProgramResult r =
        RunProgram({"ffmpeg", "-v", "error", "-ss", std::to_string(seconds), "-i", video,
                    "-frames:v", "1", "-s", "320x240", "-f", "rawvideo", "-pix_fmt", "rgb24", "-"});
    EXPECT_EQ(r.out.size(), 320u * 240u * 3u) << r.err;
    return {r.out};
}

bool IsRed(Rgb c) {
    return c.r > 180 && c.g < 90 && c.b < 90;
}
bool IsGreen(Rgb c) {
    return c.g > 90 && c.r < 80 && c.b < 80;
}
bool IsBlue(Rgb c) {
    return c.b > 160 && c.r < 90 && c.g < 90;
}
bool IsBackground(Rgb c) {
    return c.b > c.r + 30 && c.g > c.r; // the slate-blue gradient
}

// The first and last position along a line where the colour test holds.
template <typename Test> std::pair<int, int> Extent(const Frame& f, bool row, int at, Test test) {
    int first = -1, last = -1;
    for (int i = 0; i < (row ? 320 : 240); ++i) {
        if (test(row ? f.At(i, at) : f.At(at, i))) {
            first = first < 0 ? i : first;
            last = i;
        }
    }
    return {first, last};
}

// A picture shown 1 s (25 frames), transitions 0.4 s (10 frames), with
// music. The timeline (frames at 25 per second, after the first 2 are cut):
// picture 1 to 22, transition 23-32, picture 2 to 67, transition 68-77,
// picture 3 to 112: 113 frames, 4.52 s.
constexpr double kShowSeconds = 113 / 25.0;
constexpr double kRedHeld = 0.44, kFirstTransition = 1.12, kGreenHeld = 2.0, kBlueHeld = 3.8;

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
    ProgramResult KivConvert(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), BinDirectory() + "kiv-convert");
        return RunProgram(arguments, {"KIV_HOME=" + home_.string()});
    }
    ProgramResult Show(const fs::path& folder, const std::vector<std::string>& captions) {
        std::vector<std::string> arguments = {"--slideshow",
                                              "--format",
                                              "To iPod/iPhone/AppleTV",
                                              "--profile",
                                              "iPod Classic(Normal Quality)",
                                              "--output-dir",
                                              folder.string(),
                                              "--music",
                                              (media / "music.mp3").string(),
                                              "--picture-seconds",
                                              "1",
                                              "--transition-seconds",
                                              "0.4"};
        for (const std::string& caption : captions)
            arguments.insert(arguments.end(), {"--caption", caption});
        for (const std::string& picture : Pictures())
            arguments.push_back(picture);
        return KivConvert(arguments);
    }
    fs::path home_;
};

std::string Trimmed(std::string text) {
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

} // namespace

TEST_F(SlideShowE2E, PicturesCaptionsAndMusicBecomeOneVideo) {
    // Characters FFmpeg's filter graphs treat specially, in the output folder.
    fs::path captioned = home_ / "with captions, it's [1]; a: b";
    ProgramResult withCaptions = Show(captioned, {"Red", "Green", "Blue"});
    ASSERT_EQ(withCaptions.exitStatus, 0) << withCaptions.err;
    std::string shown = Trimmed(withCaptions.out);
    EXPECT_TRUE(std::regex_match(fs::path(shown).filename().string(),
                                 std::regex(R"(slideshow[0-9]+_mpeg4_libfaac\.mp4)")))
        << shown;
    EXPECT_EQ(fs::path(shown).parent_path(), captioned);
    EXPECT_FALSE(fs::exists(captioned / "slideshowkiv")); // the work folder is cleared away

    kiv::test::MediaInspection output = kiv::test::Inspect(shown);
    EXPECT_EQ(output.videoCodec, "mpeg4");
    EXPECT_EQ(output.width, 320);
    EXPECT_EQ(output.audioCodec, "aac");
    EXPECT_NEAR(output.seconds, kShowSeconds, 0.2);
    EXPECT_TRUE(kiv::test::DecodesCleanly(shown));

    fs::path plain = home_ / "plain";
    ProgramResult without = Show(plain, {});
    ASSERT_EQ(without.exitStatus, 0) << without.err;
    std::string plainShow = Trimmed(without.out);

    // A held picture: the portrait, centred on the background.
    Frame red = FrameAt(plainShow, kRedHeld);
    auto [left, right] = Extent(red, true, 120, IsRed);
    auto [top, bottom] = Extent(red, false, 160, IsRed);
    EXPECT_NEAR(left + right, 319, 4) << left << ".." << right;
    EXPECT_NEAR(top + bottom, 239, 4) << top << ".." << bottom;
    EXPECT_NEAR(right - left + 1, 276 * 320 / 720, 4); // fitted to 276 x 460 of 720 x 576
    EXPECT_TRUE(IsBackground(red.At(20, 120)));
    EXPECT_TRUE(IsBackground(red.At(300, 120)));
    Frame green = FrameAt(plainShow, kGreenHeld);
    EXPECT_TRUE(IsGreen(green.At(160, 120)));
    EXPECT_TRUE(IsBackground(green.At(160, 5))); // 576 x 460 leaves a band above
    Frame blue = FrameAt(plainShow, kBlueHeld);
    EXPECT_TRUE(IsBlue(blue.At(160, 120)));
    EXPECT_TRUE(IsBackground(blue.At(160, 100))); // the tiny picture stays tiny

    // A transition: unlike the picture before and the one after it.
    Frame between = FrameAt(plainShow, kFirstTransition);
    EXPECT_GT(between.Difference(red, 0, 0, 320, 240), 5);
    EXPECT_GT(between.Difference(green, 0, 0, 320, 240), 5);

    // A caption: the captioned frame differs where the text is drawn (the
    // two captions then on screen, low in the middle) and hardly elsewhere.
    Frame captionedGreen = FrameAt(shown, kGreenHeld);
    EXPECT_GT(captionedGreen.ChangedPixels(green, 120, 175, 200, 220), 100);
    EXPECT_LT(captionedGreen.ChangedPixels(green, 0, 0, 320, 170), 5);
}

TEST_F(SlideShowE2E, DryRunPrintsTheScriptsAndTheEncoderLines) {
    std::vector<std::string> pictures = Pictures();
    ProgramResult r = KivConvert({"--slideshow", "--dry-run", "--format", "5", "--profile", "2",
                                  "--output-dir", (home_ / "out").string(), pictures[0]});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    std::string work = (home_ / "out" / "slideshowkiv").string();
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

    std::vector<kiv::SlideShowPicture> pictures(2, kiv::SlideShowPicture{});
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        kiv::SetText(pictures[i].imagePath, Pictures()[i + 1]);
        pictures[i].displayFrames = 15;
        pictures[i].transitionFrames = 5;
    }
    kiv::SlideShow show{};
    show.pictures = pictures.data();
    show.pictureCount = 2;
    show.targetKind = 4;
    show.target = {};
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
    std::string prefix = (home_ / "show").string();
    kiv::SetText(show.outputPrefix, prefix);

    // A folder of someone else's where the work folder would go stays untouched.
    fs::create_directories(prefix + "kiv");
    kiv::test::WriteFile(prefix + "kiv/mine.txt", "mine");
    EXPECT_EQ(encoder.bMakeSlideShowImageScript(&show), 0);
    EXPECT_EQ(kiv::test::ReadFile(prefix + "kiv/mine.txt"), "mine");
    fs::remove_all(prefix + "kiv");

    ASSERT_EQ(encoder.bMakeSlideShowImageScript(&show), 1);
    EXPECT_EQ(fs::current_path(), fs::path(prefix + "kiv"));
    ASSERT_EQ(encoder.bRenderSlideShowImages(1), 1) << encoder.LastResult().reason;
    ASSERT_EQ(encoder.bMakeSlideShowScriptSilent(&show), 1);
    ASSERT_EQ(encoder.bEncodeSlideShow(&show), 1) << encoder.LastResult().reason;
    EXPECT_TRUE(kiv::test::DecodesCleanly(show.outputPrefix));
    EXPECT_NE(progress.size(), 0u);
    for (int value : progress)
        EXPECT_TRUE(value == 10 || value == 100) << value;

    // The encoder fails without a frame image: 0 and why, no output.
    fs::remove(show.outputPrefix);
    fs::remove(prefix + "kiv/aya000002.ebmp");
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
    kiv::CloseLog();
    fs::current_path(home_);
}
