// kiv-convert run as a program: dry runs, exit statuses, JSON progress and
// Ctrl-C, on real files.

#include "TestFiles.h"
#include "TestMedia.h"
#include "TestProcess.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <map>
#include <regex>
#include <sstream>
#include <thread>

using namespace kiv::test;

namespace {

std::filesystem::path media;

class KivConvert : public testing::Test {
protected:
    static void SetUpTestSuite() {
        media = ScratchFolder("kiv-convert-media");
        ASSERT_TRUE(MakeClip(media / "clip.part1.mp4", 3));
        ASSERT_TRUE(MakeClip(media / "second.avi", 2));
        WriteFile(media / "notes.avi", "just text\n");
    }
    void SetUp() override {
        home_ = ScratchFolder("kiv-convert-home");
        out_ = home_ / "out";
    }
    ProgramResult Convert(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), BinDirectory() + "kiv-convert");
        return RunProgram(arguments, {"KIV_HOME=" + home_.string()});
    }
    std::filesystem::path home_, out_;
};

} // namespace

TEST_F(KivConvert, DryRunPrintsExactlyTheCommandLines) {
    std::string clip = (media / "clip.part1.mp4").string();
    std::string avi = (media / "second.avi").string();
    ProgramResult r =
        Convert({"--dry-run", "--format", "To AVI/DIVX/XVID", "--profile", "XVID Video",
                 "--output-dir", out_.string(), "--end", "00:00:02", clip, avi});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    std::string enc = "\"" + BinDirectory() + "enc\" quillon-transcode-gates  -async 24 -vsync 24";
    std::string tail = " -b 1150k -s 320x240 -r 29.97 -scodec copy  -ab 192.00k  -ac 2 -ar "
                       "44100.00 -vol 256 -ss 00:00:00 -t 2 -f avi -vcodec libxvid -vtag xvid  "
                       "-acodec libmp3lame -y \"" +
                       out_.string() + "/";
    // The input script lives in the run's own folder, "run-<pid>-XXXXXX".
    std::string out = std::regex_replace(r.out, std::regex("/run-[0-9]+-[A-Za-z0-9]{6}/"), "/RUN/");
    EXPECT_EQ(Lines(out),
              (std::vector<std::string>{enc + " -i \"" + home_.string() + "/RUN/edit.avs\"" + tail +
                                            "clip_libxvid_libmp3lame.avi\"",
                                        enc + " -i \"" + avi + "\"" + tail +
                                            "second_libxvid_libmp3lame.avi\""}));
    EXPECT_FALSE(std::filesystem::exists(out_)); // nothing ran
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home_),
                            std::filesystem::directory_iterator()),
              1) // the log only
        << "the run folder outlived the run";
}

TEST_F(KivConvert, TodaysFormatsAreListedTakenByNameAndDryRun) {
    ProgramResult list = Convert({"--list"});
    ASSERT_EQ(list.exitStatus, 0) << list.err;
    std::vector<std::string> lines = Lines(list.out);
    ASSERT_GE(lines.size(), 70u + 10u + 7u); // later profiles are appended
    EXPECT_EQ(lines[70], "9\t0\tTo MP4/MKV/WebM (today's devices and the web)\tH.264 MP4, same "
                         "size (plays everywhere)");
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "10\t6\tTo audio only (MP3/AAC/FLAC/Opus/WAV)\tThe audio track as it "
                        "is (no re-encoding)"),
              lines.end());

    std::string clip = (media / "clip.part1.mp4").string();
    ProgramResult r =
        Convert({"--dry-run", "--format", "To audio only (MP3/AAC/FLAC/Opus/WAV)", "--profile",
                 "FLAC (lossless)", "--output-dir", out_.string(), "--end", "00:00:02", clip});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(Lines(r.out), (std::vector<std::string>{
                                "\"" + BinDirectory() + "enc\" quillon-transcode-gates -i \"" +
                                clip + "\" -ss 00:00:00 -t 2 -map 0:a:0 -c:a flac -f flac -y \"" +
                                out_.string() + "/clip.flac\""}));
}

TEST_F(KivConvert, DefaultsComeFromTheSettingsFile) {
    WriteFile(home_ / "kivinfo.ini",
              "[Options]\nFolder=" + out_.string() +
                  "\nCore=0\n[Video]\nKind=8\nClass=1\n"
                  "VCodec=1\nACodec=1\nVBR=6\nABR=0\nASR=0\nVFR=1\nSize=6\nApsect=0\nACH=0\n");
    ProgramResult r = Convert({"--dry-run", (media / "second.avi").string()});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_NE(r.out.find(" -b 512k -s 176x144 -r 12.00 -scodec copy  -ab 12.20k  -ac 1 -ar 8000.00 "
                         "-vol 256 -ss 00:00:00 -t 3 -vcodec h263 -acodec libamr_nb -f 3gp  -y \"" +
                         out_.string() + "/second_h263_libamr_nb.3gp\""),
              std::string::npos)
        << r.out;
    // --format alone takes the format's first profile.
    ProgramResult first = Convert({"--dry-run", "--format", "3", (media / "second.avi").string()});
    EXPECT_NE(first.out.find("-f flv -vcodec flv"), std::string::npos) << first.out;
}

// The help follows the desktop's language and names every option the
// English one does; the messages scripts read stay English.
TEST_F(KivConvert, OnlyTheHelpSpeaksTheDesktopsLanguage) {
    const auto run = [this](const std::string& language, const std::string& argument) {
        return RunProgram({BinDirectory() + "kiv-convert", argument},
                          {"KIV_HOME=" + home_.string(), "LANGUAGE=" + language,
                           "LC_ALL=", "LC_MESSAGES=", "LANG=C"});
    };
    const std::string english = run("", "--help").out;
    EXPECT_EQ(english.substr(0, english.find('\n')), "Usage: kiv-convert [OPTION]... FILE...");
    const std::regex option("\n  (-h|--[a-z-]+)");
    const struct {
        const char* language;
        const char* firstWord;
    } helps[] = {{"de_AT:en", "Aufruf:"}, {"fr", "Usage :"}, {"es", "Uso:"}, {"zh_CN", "用法："}};
    for (const auto& help : helps) {
        const std::string text = run(help.language, "--help").out;
        EXPECT_EQ(text.rfind(help.firstWord, 0), 0u) << text;
        for (auto it = std::sregex_iterator(english.begin(), english.end(), option);
             it != std::sregex_iterator(); ++it)
            EXPECT_TRUE(std::regex_search(text, std::regex("\\n  " + (*it)[1].str() + "[ ,]")))
                << help.language << " lacks " << (*it)[1];
    }
    EXPECT_EQ(run("zh_TW:it", "--help").out, english);
    EXPECT_EQ(run("de", "--bogus").err,
              "kiv-convert: unknown option '--bogus'\nTry 'kiv-convert --help'.\n");
}

TEST_F(KivConvert, ExitStatuses) {
    std::string clip = (media / "clip.part1.mp4").string();
    EXPECT_EQ(Convert({}).exitStatus, 2);
    EXPECT_EQ(Convert({"--bogus", clip}).exitStatus, 2);
    EXPECT_EQ(Convert({"--format", "To Nowhere", clip}).exitStatus, 2);
    EXPECT_EQ(Convert({"--format", "0", "--profile", "9", clip}).exitStatus, 2);
    EXPECT_EQ(Convert({"--help"}).exitStatus, 0);
    ProgramResult version = Convert({"--version"});
    EXPECT_EQ(version.out, "kiv-convert 1.0.0\n");

    ProgramResult unreadable =
        Convert({"--output-dir", out_.string(), clip, (media / "notes.avi").string()});
    EXPECT_EQ(unreadable.exitStatus, 2);
    EXPECT_NE(unreadable.err.find("cannot read '" + (media / "notes.avi").string() + "'"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out_)); // nothing converted

    ProgramResult failed = Convert({"--output-dir", "/proc/kiv-cannot-write", clip});
    EXPECT_EQ(failed.exitStatus, 1);
    EXPECT_NE(failed.err.find("converting '" + clip + "' failed: "), std::string::npos)
        << failed.err;
    EXPECT_NE(failed.err.find("kiv-convert: the log is " + home_.string() + "/kiv-convert.log\n"),
              std::string::npos);

    ProgramResult ok = Convert({"--quiet", "--format", "8", "--output-dir", out_.string(), clip});
    ASSERT_EQ(ok.exitStatus, 0) << ok.err;
    EXPECT_EQ(ok.out, out_.string() + "/clip_h263_libfaac.3gp\n");
    EXPECT_EQ(ok.err, "");
    EXPECT_GT(std::filesystem::file_size(out_ / "clip_h263_libfaac.3gp"), 0u);

    ProgramResult probed = Convert({"--probe", clip});
    ASSERT_EQ(probed.exitStatus, 0);
    EXPECT_EQ(probed.out.substr(0, clip.size() + 15), clip + "\tduration=4.00\t");
    EXPECT_NE(probed.out.find("\tvideo=1\taudio=1\twidth=320\theight=240\tfps=25.00\t"),
              std::string::npos);
    EXPECT_NE(probed.out.find("\tsamplerate=48000\tchannels=2\tscript=1\n"), std::string::npos);
}

namespace {

// Each line of standard output as a JSON object; a line that is not one
// fails the test.
std::vector<QJsonObject> JsonLines(const std::string& out) {
    std::vector<QJsonObject> objects;
    for (const std::string& line : Lines(out)) {
        QJsonParseError error;
        QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
        EXPECT_TRUE(document.isObject()) << line;
        objects.push_back(document.object());
    }
    return objects;
}

// Every line of a --json run's standard output but the last, the summary,
// as a JSON object with the fields every event has.
std::vector<QJsonObject> JsonEvents(const std::string& out) {
    std::vector<QJsonObject> events;
    std::vector<QJsonObject> objects = JsonLines(out);
    EXPECT_TRUE(!objects.empty() && objects.back().contains("summary"));
    if (!objects.empty())
        objects.pop_back();
    for (const QJsonObject& event : objects) {
        const std::string line = QJsonDocument(event).toJson(QJsonDocument::Compact).toStdString();
        EXPECT_TRUE(event["file"].isString()) << line;
        EXPECT_TRUE(event["percent"].isDouble()) << line;
        EXPECT_TRUE(event["state"].isString()) << line;
        EXPECT_TRUE(event["speed"].isDouble() || event["speed"].isNull()) << line;
        EXPECT_TRUE(event["eta_seconds"].isDouble() || event["eta_seconds"].isNull()) << line;
        EXPECT_TRUE(event["elapsed_seconds"].isDouble()) << line;
        // Only a file's last event tells what became of it.
        EXPECT_EQ(event.contains("result"),
                  event["state"] != "converting" && event["state"] != "paused")
            << line;
        events.push_back(event);
    }
    return events;
}

} // namespace

TEST_F(KivConvert, JsonProgressLinesParseAndPlainProgressGoesToStandardError) {
    std::string clip = (media / "clip.part1.mp4").string();
    ProgramResult r = Convert({"--json", "--format", "5", "--output-dir", out_.string(), clip,
                               (media / "second.avi").string()});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    std::vector<std::string> outputs;
    for (const QJsonObject& event : JsonEvents(r.out)) {
        if (event["result"] == "done") {
            EXPECT_EQ(event["state"], "done");
            EXPECT_EQ(event["percent"], 100);
            EXPECT_EQ(event["eta_seconds"], 0);
            EXPECT_FALSE(event.contains("reason"));
            outputs.push_back(event["output"].toString().toStdString());
        }
    }
    std::sort(outputs.begin(), outputs.end()); // they convert at once: either may end first
    EXPECT_EQ(outputs, (std::vector<std::string>{(out_ / "clip_libx264_libfaac.mp4").string(),
                                                 (out_ / "second_libx264_libfaac.mp4").string()}));
    EXPECT_NE(r.err.find("kiv-convert: 2 files converted in 0:"), std::string::npos) << r.err;

    ProgramResult plain =
        Convert({"--format", "8", "--output-dir", out_.string(), (media / "second.avi").string()});
    ASSERT_EQ(plain.exitStatus, 0);
    EXPECT_EQ(plain.out, out_.string() + "/second_h263_libfaac.3gp\n");
    EXPECT_EQ(plain.err.find('\r'), std::string::npos); // not a terminal: no redraws
    EXPECT_NE(plain.err.find("100% done " + (media / "second.avi").string() + "\n"),
              std::string::npos)
        << plain.err;

    // A failure's last event says why.
    ProgramResult failed = Convert({"--json", "--output-dir", "/proc/kiv-cannot-write", clip});
    EXPECT_EQ(failed.exitStatus, 1);
    std::vector<QJsonObject> events = JsonEvents(failed.out);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back()["result"], "failed");
    EXPECT_TRUE(events.back()["output"].isNull());
    EXPECT_FALSE(events.back()["reason"].toString().isEmpty());
}

// --jobs 2 converts two files at once: every event and every record of the
// log names its file, each file ends once, and a file that fails does not
// stop the others.
TEST_F(KivConvert, TwoJobsNameTheirFileInEveryEventAndLogRecord) {
    const std::string clip = (media / "clip.part1.mp4").string();
    const std::string second = (media / "second.avi").string();
    const std::string silent = (home_ / "silent.mp4").string();
    ASSERT_TRUE(
        MakeMedia(silent, {"-f", "lavfi", "-i", "testsrc=s=160x120:d=2", "-c:v", "libx264"}));
    ProgramResult r = Convert({"--jobs", "2", "--json", "--format", "10", "--profile", "3",
                               "--output-dir", out_.string(), clip, silent, second});
    EXPECT_EQ(r.exitStatus, 1) << r.err;
    std::map<std::string, std::string> ends;
    for (const QJsonObject& event : JsonEvents(r.out)) {
        const std::string file = event["file"].toString().toStdString();
        ASSERT_TRUE(file == clip || file == silent || file == second) << file;
        if (event.contains("result")) {
            EXPECT_TRUE(ends.emplace(file, event["result"].toString().toStdString()).second);
        }
    }
    EXPECT_EQ(ends, (std::map<std::string, std::string>{
                        {clip, "done"}, {silent, "failed"}, {second, "done"}}));
    const QJsonArray files = JsonLines(r.out).back()["files"].toArray();
    ASSERT_EQ(files.size(), 3);
    EXPECT_EQ(files[2].toObject()["result"], "done");
    // The encoders' lines of both files, each under its file's name.
    const std::string log = ReadFile(home_ / "kiv-convert.log");
    for (const std::string& file : {clip, second})
        EXPECT_NE(log.find("\n[" + file + "] "), std::string::npos) << log;
}

// With --json standard output holds JSON only, in every mode: each file's
// result (a failed one does not end the run, and the last line names what
// became of every file), the dry run's lines, the probe and the list; a
// name that is not UTF-8 is carried whole in base64.
TEST_F(KivConvert, JsonIsJsonInEveryModeAndNamesEveryFile) {
    const std::string clip = (media / "clip.part1.mp4").string();
    const std::string silent = (home_ / "silent.mp4").string();
    ASSERT_TRUE(
        MakeMedia(silent, {"-f", "lavfi", "-i", "testsrc=s=160x120:d=2", "-c:v", "libx264"}));
    const std::string latin = (home_ / "caf\xe9.wav").string(); // Latin-1, not UTF-8
    ASSERT_TRUE(MakeTone(latin, 2));
    ProgramResult r = Convert({"--json", "--format", "10", "--profile", "3", "--output-dir",
                               out_.string(), clip, silent, latin});
    EXPECT_EQ(r.exitStatus, 1) << r.err;
    std::vector<QJsonObject> events = JsonEvents(r.out);
    // The files convert at once: the Latin-1 one's last event is found by its field.
    const auto last = std::find_if(events.begin(), events.end(), [](const QJsonObject& event) {
        return event.contains("file_base64") && event.contains("result");
    });
    ASSERT_NE(last, events.end());
    EXPECT_EQ((*last)["file_base64"].toString().toStdString(),
              QByteArray::fromStdString(latin).toBase64().toStdString());
    EXPECT_EQ((*last)["output_base64"].toString().toStdString(),
              QByteArray::fromStdString((out_ / "caf\xe9.flac").string()).toBase64().toStdString());
    const QJsonObject summary = JsonLines(r.out).back();
    EXPECT_EQ(summary["summary"].toString().left(24), "2 converted, 1 failed in");
    EXPECT_EQ(summary["converted"], 2);
    EXPECT_EQ(summary["failed"], 1);
    EXPECT_EQ(summary["not_tried"], 0);
    const QJsonArray files = summary["files"].toArray();
    ASSERT_EQ(files.size(), 3);
    EXPECT_EQ(files[0].toObject()["result"], "done");
    EXPECT_EQ(files[1].toObject()["result"], "failed");
    EXPECT_EQ(files[1].toObject()["reason"],
              "the file has no sound, and the profile makes sound only");
    EXPECT_EQ(files[2].toObject()["result"], "done");
    EXPECT_TRUE(std::filesystem::exists(out_ / "caf\xe9.flac"));
    // Without --json the summary names each file too.
    ProgramResult plain =
        Convert({"--format", "10", "--profile", "3", "--output-dir", out_.string(), silent, clip});
    EXPECT_EQ(plain.exitStatus, 1);
    EXPECT_NE(plain.err.find("kiv-convert:   failed: " + silent +
                             ": the file has no sound, and the profile makes sound only\n"),
              std::string::npos)
        << plain.err;
    EXPECT_NE(plain.err.find("kiv-convert:   done: " + clip + " ("), std::string::npos)
        << plain.err;

    ProgramResult dry = Convert({"--json", "--dry-run", "--output-dir", out_.string(), latin});
    ASSERT_EQ(dry.exitStatus, 0) << dry.err;
    std::vector<QJsonObject> lines = JsonLines(dry.out);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(QByteArray::fromBase64(lines[0]["command_line_base64"].toString().toLatin1())
                  .toStdString()
                  .find("\"" + latin + "\""),
              std::string::npos)
        << dry.out;
    EXPECT_TRUE(lines[0]["output"].isString());

    ProgramResult probe = Convert({"--json", "--probe", clip, (media / "notes.avi").string()});
    EXPECT_EQ(probe.exitStatus, 2);
    lines = JsonLines(probe.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]["duration"], 4);
    EXPECT_EQ(lines[0]["width"], 320);
    EXPECT_EQ(lines[1]["error"], "not a media file the encoder can open");

    ProgramResult list = Convert({"--json", "--list"});
    lines = JsonLines(list.out);
    ASSERT_GT(lines.size(), 70u);
    EXPECT_EQ(lines[0]["format_name"], "To AVI/DIVX/XVID");
}

// Sources without a container's index or with an empty first track: a raw
// H.264 stream converts (also trimmed) in an older profile and a today's
// one, and "the audio track as it is" takes the first track that holds
// sound.
TEST_F(KivConvert, RawStreamsAndEmptyFirstTracksConvert) {
    const std::string raw = (home_ / "camera.h264").string();
    ASSERT_TRUE(MakeMedia(
        raw, {"-f", "lavfi", "-i", "testsrc=s=160x120:d=3", "-c:v", "libx264", "-f", "h264"}));
    const std::string tracks = (home_ / "tracks.mkv").string();
    ASSERT_TRUE(MakeMedia(tracks, {"-f",   "lavfi", "-i",          "testsrc=s=160x120:d=3",
                                   "-f",   "lavfi", "-i",          "sine=d=3",
                                   "-map", "0:v",   "-map",        "1:a",
                                   "-map", "1:a",   "-c:v",        "libx264",
                                   "-c:a", "aac",   "-frames:a:0", "0"}));
    const struct {
        std::vector<std::string> options;
        std::string source, made;
        double seconds;
    } rows[] = {
        {{"--format", "0"}, raw, "camera_divx_libmp3lame.avi", 3},
        {{"--format", "9", "--start", "00:00:01"}, raw, "camera_h264_aac.mp4", 2},
        {{"--format", "10", "--profile", "6"}, tracks, "tracks.m4a", 3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.made);
        std::vector<std::string> arguments = row.options;
        arguments.insert(arguments.end(), {"--quiet", "--output-dir", out_.string(), row.source});
        ProgramResult r = Convert(arguments);
        ASSERT_EQ(r.exitStatus, 0) << r.err;
        EXPECT_NEAR(Inspect((out_ / row.made).string()).seconds, row.seconds, 0.3);
    }
}

// A first start (no settings file) converts what the window names, "PAL
// DVD Video": 720x576 at 25 frames a second.
TEST_F(KivConvert, AFirstStartConvertsWithThePalDvdProfilesOwnValues) {
    ProgramResult r = Convert({"--output-dir", out_.string(), (media / "second.avi").string()});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(r.out, (out_ / "second_pal-dvd_ac3.mpg").string() + "\n");
    MediaInspection made = Inspect((out_ / "second_pal-dvd_ac3.mpg").string());
    EXPECT_EQ(made.videoCodec, "mpeg2video");
    EXPECT_EQ(made.width, 720);
    EXPECT_EQ(made.height, 576);
    EXPECT_NEAR(made.frameRate, 25.0, 0.01);
    EXPECT_EQ(made.audioCodec, "ac3");
}

// Ctrl-Z pauses the encoder and FFmpeg with kiv-convert, fg goes on, and
// Ctrl-C stops as the window's Stop does: the partial file is kept under a
// name that says so, an earlier output of the file stays as it was, and no
// other file starts.
TEST_F(KivConvert, CtrlZPausesAndCtrlCStopsKeepingAPartialFileAndStartingNoOtherFile) {
    std::filesystem::create_directories(home_ / "first");
    ASSERT_TRUE(MakeClip(home_ / "first" / "long.mp4", 1, "640x360"));
    ProgramResult first = Convert({"--format", "5", "--profile", "15", "--output-dir",
                                   out_.string(), (home_ / "first" / "long.mp4").string()});
    ASSERT_EQ(first.exitStatus, 0) << first.err;
    const std::string earlier = ReadFile(out_ / "long_libx264_libfaac.mp4");
    ASSERT_FALSE(earlier.empty());

    ASSERT_TRUE(MakeClip(home_ / "long.mp4", 40, "640x360"));
    std::string outFile = (home_ / "stdout.txt").string();
    std::string errFile = (home_ / "stderr.txt").string();
    pid_t child = StartProgram({BinDirectory() + "kiv-convert", "--jobs", "1", "--json", "--format",
                                "5", "--profile", "15", "--output-dir", out_.string(),
                                (home_ / "long.mp4").string(), (media / "second.avi").string()},
                               {"KIV_HOME=" + home_.string()}, outFile, errFile);
    ASSERT_GT(child, 0);
    auto until = [](auto condition) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
        while (!condition() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return condition();
    };
    auto events = [&] { return Lines(ReadFile(outFile)).size(); };
    ASSERT_TRUE(until([&] {
        return ReadFile(outFile).find("\"percent\":2,") != std::string::npos;
    })) << ReadFile(errFile);

    kill(child, SIGTSTP);
    auto allStopped = [&] {
        std::vector<pid_t> encoders = PidsMentioning(out_.string()); // enc and FFmpeg
        std::erase(encoders, child);
        return ProcessState(child) == 'T' && encoders.size() == 2 &&
               std::all_of(encoders.begin(), encoders.end(),
                           [](pid_t pid) { return ProcessState(pid) == 'T'; });
    };
    ASSERT_TRUE(until(allStopped));
    kill(child, SIGCONT);
    const std::size_t before = events();
    ASSERT_TRUE(until([&] { return events() >= before + 2; })); // "converting" and on
    EXPECT_NE(ReadFile(outFile).find("\"state\":\"paused\""), std::string::npos);
    // A loaded machine converts slowly: the time left comes after a few
    // seconds of converting, however long that takes.
    ASSERT_TRUE(until([&] {
        const std::string sofar = ReadFile(outFile);
        for (std::size_t at = sofar.find("\"eta_seconds\":"); at != std::string::npos;
             at = sofar.find("\"eta_seconds\":", at + 1))
            if (std::isdigit(static_cast<unsigned char>(sofar[at + 14])))
                return true;
        return false;
    })) << ReadFile(outFile);

    kill(child, SIGINT);
    EXPECT_EQ(WaitProgram(child, std::chrono::seconds(90)), 130);
    std::string out = ReadFile(outFile);
    std::vector<QJsonObject> json = JsonEvents(out);
    ASSERT_FALSE(json.empty());
    const QJsonObject last = json.back();
    const std::string partial = (out_ / "long_libx264_libfaac (partial).mp4").string();
    EXPECT_EQ(last["result"], "stopped");
    EXPECT_EQ(last["output"].toString().toStdString(), partial);
    EXPECT_TRUE(std::any_of(json.begin(), json.end(), [](const QJsonObject& event) {
        return event["eta_seconds"].isDouble() && event["speed"].toDouble() > 0;
    })) << out;
    EXPECT_EQ(ReadFile(out_ / "long_libx264_libfaac.mp4"), earlier);
    EXPECT_FALSE(std::filesystem::exists(out_ / "second_libx264_libfaac.mp4"));
    EXPECT_NE(ReadFile(errFile).find("is in " + partial + "\n"), std::string::npos)
        << ReadFile(errFile);
    ProgramResult probe = RunProgram({BinDirectory() + "kiv-convert", "--probe", partial},
                                     {"KIV_HOME=" + home_.string()});
    EXPECT_EQ(probe.exitStatus, 0) << probe.err;
    EXPECT_NE(probe.out.find("\tvideo=1\t"), std::string::npos);
}
