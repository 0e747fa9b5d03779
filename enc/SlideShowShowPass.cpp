// The show pass: the timeline drawn at the output's own size and frame rate
// by a row of producers (a few pictures each) into a pipe, and encoded by
// one FFmpeg that adds the captions and the sound, with the line's own
// options, into the line's output file. Nothing it writes can land on
// something already there: the captions and graphs are new files in the
// show's private folder, and the output never replaces a file.

#include "AtomicOutput.h"
#include "CaptionText.h"
#include "CommandLine.h"
#include "ExclusiveFiles.h"
#include "FrameProducers.h"
#include "MediaLibrary.h"
#include "PictureFiles.h"
#include "ShowMusic.h"
#include "SlideShowPasses.h"
#include "SlideShowScriptReader.h"

#include <fcntl.h>
#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv::enc {

namespace {

constexpr int kPicturesPerProducer = 8;
// A producer slower than a frame a second has hung.
constexpr long long kProducerSecondsPerFrame = 1;
constexpr long long kProducerStartSeconds = 600;

// Files the pass made for itself, removed however it ends.
class OwnFiles {
public:
    ~OwnFiles() {
        for (const std::string& path : paths_)
            ::unlink(path.c_str());
    }
    bool Write(const std::string& path, const std::string& text, std::string& error) {
        if (!WriteNewFile(path, text, error))
            return false;
        paths_.push_back(path);
        return true;
    }

private:
    std::vector<std::string> paths_;
};

struct MusicInput {
    std::string path; // empty: silence
    MusicFacts facts;
    bool loops = false;
};

bool ReadMusic(const std::string& path, double showSeconds, MusicInput& music, std::string& error) {
    MediaFacts facts;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        error = "cannot read the music file '" + path + "': no such file";
        return false;
    }
    if (DetectMediaOnDemand(path, facts) != 0 || !facts.hasAudio) {
        error = "cannot read the music file '" + path + "': no sound FFmpeg can decode";
        return false;
    }
    music.path = path;
    music.facts.seconds = facts.audioDuration;
    // Music about as long as the show, or shorter, is measured exactly: its
    // restarts and its ending decide the fades.
    if (facts.audioDuration <= 0 || facts.audioDuration < showSeconds + 1) {
        MusicFacts measured = MeasureMusic(path);
        if (measured.seconds > 0)
            music.facts = measured;
    }
    music.loops = music.facts.seconds <= 0 || music.facts.seconds < showSeconds;
    return true;
}

// A pipe with both ends at descriptor 10 or above.
bool MakeFramePipe(int& readEnd, int& writeEnd) {
    int raw[2];
    if (::pipe2(raw, O_CLOEXEC) != 0)
        return false;
    readEnd = ::fcntl(raw[0], F_DUPFD_CLOEXEC, 10);
    writeEnd = ::fcntl(raw[1], F_DUPFD_CLOEXEC, 10);
    ::close(raw[0]);
    ::close(raw[1]);
    return readEnd >= 0 && writeEnd >= 0;
}

std::string Folder(const std::string& path) {
    std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

// What the producers are planned from.
struct ProducerPlanning {
    const ShowScriptFacts& facts;
    const ShowTimeline& timeline;
    const ShowGeometry& geometry;
    std::map<int, PictureInfo>& pictures;
    const std::string& graphStem;
    bool panZoom;
};

// One producer per few pictures, the first trimmed as the script says;
// their graphs are written as new files of the pass.
bool PlanProducers(const ProducerPlanning& planning, OwnFiles& own, std::vector<ProducerRun>& runs,
                   std::string& error) {
    const ShowTimeline& timeline = planning.timeline;
    const ShowGeometry& geometry = planning.geometry;
    long long trim = timeline.leadingTrim;
    std::vector<std::pair<std::size_t, std::size_t>> ranges =
        PieceRuns(timeline, kPicturesPerProducer);
    for (std::size_t r = 0; r < ranges.size(); ++r) {
        ProducerGraphPlan producer;
        producer.first = ranges[r].first;
        producer.end = ranges[r].second;
        long long stretch = 0;
        for (std::size_t i = producer.first; i < producer.end; ++i)
            stretch += timeline.pieces[i].Frames();
        producer.trimFrames = std::min(trim, stretch);
        trim -= producer.trimFrames;
        if (producer.trimFrames == stretch)
            continue; // nothing of it is shown
        producer.pictures = PicturesOf(timeline, producer.first, producer.end);
        for (int picture : producer.pictures)
            producer.sizes.push_back(planning.pictures[picture].shown);
        producer.panZoom = planning.panZoom;
        std::string graphPath = planning.graphStem + "-frames" + std::to_string(r) + ".graph";
        if (!own.Write(graphPath, ProducerGraph(timeline, producer, geometry), error))
            return false;
        ProducerRun run;
        run.argv = {FfmpegExecutable(), "-hide_banner",   "-nostdin", "-v", "error",
                    "-framerate",       geometry.rateText};
        std::vector<std::string> input = PictureInput(planning.facts.backgroundPath);
        run.argv.insert(run.argv.end(), input.begin(), input.end());
        for (int picture : producer.pictures) {
            // A photo is decoded only as large as it is shown.
            const PictureInfo& info = planning.pictures[picture];
            if (info.jpeg) {
                PictureSize fitted = FitOnFrame(info.shown, geometry);
                if (info.turned)
                    std::swap(fitted.width, fitted.height);
                run.argv.insert(
                    run.argv.end(),
                    {"-lowres", std::to_string(LowresFor(info.stored.width, info.stored.height,
                                                         fitted.width, fitted.height))});
            }
            input = PictureInput(planning.facts.FrameImagePath(picture));
            run.argv.insert(run.argv.end(), {"-framerate", geometry.rateText});
            run.argv.insert(run.argv.end(), input.begin(), input.end());
        }
        run.argv.insert(run.argv.end(),
                        {"-filter_complex_script", graphPath, "-map", "[out]", "-fps_mode",
                         "passthrough", "-f", "rawvideo", "-pix_fmt", "yuv420p", "pipe:1"});
        run.limit =
            std::chrono::seconds(kProducerStartSeconds + stretch * kProducerSecondsPerFrame);
        runs.push_back(std::move(run));
    }
    return true;
}

// The encoding FFmpeg: the frames from the pipe, the music, the graph, the
// line's own options; the output file is appended by the caller.
std::vector<std::string> EncoderArguments(const FfmpegPlan& plan, const ShowGeometry& geometry,
                                          const MusicInput& music, const std::string& graph) {
    std::vector<std::string> argv = GlobalArguments();
    // A stop before the first frame leaves no file, not a header alone.
    argv.insert(argv.end(), {"-abort_on", "empty_output"});
    argv.insert(argv.end(), {"-f", "rawvideo", "-pixel_format", "yuv420p", "-video_size",
                             std::to_string(geometry.width) + "x" + std::to_string(geometry.height),
                             "-framerate", geometry.rateText, "-i",
                             // Not "pipe:4": FFmpeg stops listening for
                             // the "q" on its standard input when an input
                             // is named so, and a stop would wait for
                             // SIGTERM.
                             "/dev/fd/" + std::to_string(kVideoInputDescriptor)});
    if (!music.path.empty()) {
        if (music.loops)
            argv.insert(argv.end(), {"-stream_loop", "-1"});
        argv.insert(argv.end(), {"-i", music.path});
    }
    argv.insert(argv.end(), {"-filter_complex_script", graph, "-map", "[v]", "-map", "[a]"});
    for (const PlanOption& option : plan.options) {
        argv.push_back(option.name);
        if (option.hasValue)
            argv.push_back(option.value);
    }
    return argv;
}

// Runs the producers into the encoding FFmpeg and judges the end: enc's
// exit status. A stop ends the show early and what was written is kept, as
// for conversions (the producers then fail only because the encoding
// ended); a producer that fails by itself fails the show.
int EncodeShow(const std::vector<std::string>& argv, std::vector<ProducerRun> runs, bool atomic,
               const std::string& written, const std::string& output) {
    int readEnd = -1, writeEnd = -1;
    if (!MakeFramePipe(readEnd, writeEnd))
        return Fail("cannot make the pipe for the slideshow's frames", kRunError);
    InstallStopHandlers();
    FrameProducers producers(std::move(runs), writeEnd);
    RunResult result = RunFfmpeg(argv, readEnd);
    if (!result.started || result.abandoned || (result.exitCode != 0 && !result.signalled))
        producers.Stop();
    std::string producerFailure;
    bool readerLeft = false;
    bool produced = producers.Finish(producerFailure, readerLeft);

    auto discard = [&](const std::string& message, int status) {
        if (atomic)
            DiscardOutput(written);
        return Fail(message, status);
    };
    if (result.abandoned)
        return discard("slideshow abandoned", kAbandoned);
    if (!result.started)
        return discard(result.startError, kRunError);
    bool stopped = result.signalled || readerLeft;
    if (!produced && !stopped && result.exitCode == 0)
        return discard(producerFailure, kRunError);
    bool ended = (result.exitCode == 0 || result.signalled) && (!atomic || IsNonEmptyFile(written));
    if (!ended)
        return discard(FailureReason(result, "encoding the slideshow"),
                       result.exitCode > 0 ? result.exitCode : kRunError);
    if (!atomic)
        return 0;
    std::string error;
    bool committed = CommitAsNewFile(written, output, error);
    ReleaseOutputLock(written);
    return committed ? 0 : Fail(error, kRunError);
}

} // namespace

int RunShowPass(FfmpegPlan plan, std::size_t scriptInput, const std::string& scriptText,
                bool panZoom) {
    std::string scriptPath = plan.inputs[scriptInput];
    ShowScriptFacts facts;
    std::string error;
    if (!ReadShowScript(scriptText, facts, error))
        return Fail("cannot render the slideshow script " + scriptPath + ": " + error,
                    kUnreadableInput);
    long long scriptFrames = facts.TotalFrames() + facts.leadingTrim;
    if (facts.TotalFrames() <= 0)
        return Fail("the show script describes no frames", kUnreadableInput);
    if (scriptFrames > kLargestFrameCount)
        return Fail("the show script describes a show too long to draw", kUnreadableInput);
    std::string folder = Folder(scriptPath);
    if (!IsPrivateFolder(folder))
        return Fail("the slideshow's folder " + folder +
                        " is not a private folder of this user; nothing is written there",
                    kRunError);

    ShowGeometry geometry = ShowGeometryOf(plan);
    ShowTimeline timeline = TimelineAt(facts, geometry.rate);
    long long frames = timeline.TotalFrames();
    if (frames <= 0)
        return Fail("the show script describes no frames", kUnreadableInput);

    std::string musicPath = facts.musicPath;
    for (std::size_t i = 0; i < plan.inputs.size(); ++i) {
        if (i != scriptInput)
            musicPath = plan.inputs[i];
    }
    MusicInput music;
    if (!musicPath.empty() && !ReadMusic(musicPath, timeline.Seconds(), music, error))
        return Fail(error, kUnreadableInput);

    // The background and the frame images, each read once for its size.
    PictureInfo backgroundInfo;
    if (!ReadPicture(facts.backgroundPath, "background picture", backgroundInfo, error))
        return Fail(error, kUnreadableInput);
    std::vector<int> pictures = PicturesOf(timeline, 0, timeline.pieces.size());
    std::map<int, PictureInfo> sizes;
    for (int picture : pictures) {
        if (!ReadPicture(facts.FrameImagePath(picture), "frame image", sizes[picture], error))
            return Fail(error, kUnreadableInput);
    }
    OwnFiles own;
    std::string subtitles;
    if (facts.captionCount > 0 && !facts.subtitlePath.empty()) {
        // A link planted in the captions' place is never written through.
        if (!own.Write(facts.subtitlePath, WithLiteralCaptions(facts.subtitleText), error))
            return Fail("cannot write the captions: " + error, kRunError);
        subtitles = facts.drawnSubtitlePath.empty() ? facts.subtitlePath : facts.drawnSubtitlePath;
    }
    std::string graphStem = folder + "/kiv-" + std::to_string(::getpid());

    std::vector<ProducerRun> runs;
    if (!PlanProducers({facts, timeline, geometry, sizes, graphStem, panZoom}, own, runs, error))
        return Fail("cannot write the slideshow's graph: " + error, kRunError);

    EncoderGraphPlan encoder;
    encoder.frames = frames;
    encoder.subtitleFile = subtitles;
    encoder.withMusic = !music.path.empty();
    encoder.musicGain = MusicGainExpression(music.facts, timeline.Seconds());
    encoder.audioFilters = plan.Find("-af") ? *plan.Find("-af") : std::string();
    encoder.videoFilters = plan.Find("-vf") ? *plan.Find("-vf") : std::string();
    plan.Remove("-af");
    plan.Remove("-vf");
    std::string encoderGraph = graphStem + "-encode.graph";
    if (!own.Write(encoderGraph, EncoderGraph(encoder, geometry), error))
        return Fail("cannot write the slideshow's graph: " + error, kRunError);

    std::vector<std::string> argv = EncoderArguments(plan, geometry, music, encoderGraph);
    bool atomic = false;
    std::string written = WrittenPathFor(plan.outputPath, atomic, error);
    if (written.empty())
        return Fail(error, kRunError);
    argv.push_back(written);
    WriteAll(STDOUT_FILENO, JoinForDisplay(argv) + "\n");
    return EncodeShow(argv, std::move(runs), atomic, written, plan.outputPath);
}

} // namespace kiv::enc
