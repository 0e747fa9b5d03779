#include "SlideShowRender.h"

#include "AtomicOutput.h"
#include "CommandLine.h"
#include "FfmpegPlan.h"
#include "FfmpegRunner.h"
#include "InputScriptReader.h"
#include "MediaLibrary.h"
#include "SlideShowGraph.h"
#include "SlideShowScriptReader.h"
#include "Translator.h"

#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv::enc {

namespace {

constexpr int kUnreadableInput = 2;
constexpr int kRunError = 1;
constexpr int kAbandoned = 128 + SIGHUP;
constexpr std::size_t kLongestScript = 64u << 20;

int Fail(const std::string& message, int status) {
    WriteAll(STDERR_FILENO, "enc: " + message + "\n");
    return status;
}

bool ReadText(const std::string& path, std::string& text) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : -1;
    if (size < 0 || static_cast<std::size_t>(size) > kLongestScript)
        return false;
    text.assign(static_cast<std::size_t>(size), '\0');
    file.seekg(0);
    file.read(text.data(), size);
    return file.gcount() == size;
}

bool IsFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// A picture FFmpeg can decode: a video stream with a size. what names it in
// the message ("picture", "background picture", "frame image").
bool ReadPicture(const std::string& path, const char* what, PictureSize& size, std::string& error) {
    MediaFacts facts;
    if (!IsFile(path)) {
        error = std::string("cannot read the ") + what + " '" + path + "': no such file";
        return false;
    }
    if (DetectMediaOnDemand(path, facts) != 0 || !facts.hasVideo || facts.width <= 0 ||
        facts.height <= 0) {
        error = std::string("cannot read the ") + what + " '" + path + "': not a picture";
        return false;
    }
    size = PictureSize{facts.width, facts.height};
    return true;
}

bool ReadMusic(const std::string& path, std::string& error) {
    MediaFacts facts;
    if (!IsFile(path)) {
        error = "cannot read the music file '" + path + "': no such file";
        return false;
    }
    if (DetectMediaOnDemand(path, facts) != 0 || !facts.hasAudio) {
        error = "cannot read the music file '" + path + "': no sound FFmpeg can decode";
        return false;
    }
    return true;
}

// FFmpeg's image reader takes a '%' in a file name for a frame-number
// pattern. Such pictures are handed over through links with plain names in
// a private folder, removed again when the pass ends.
class PlainNames {
public:
    ~PlainNames() {
        for (const std::string& link : links_)
            ::unlink(link.c_str());
        if (!folder_.empty())
            ::rmdir(folder_.c_str());
    }

    std::string For(const std::string& path) {
        if (path.find('%') == std::string::npos)
            return path;
        if (folder_.empty()) {
            const char* base = std::getenv("TMPDIR");
            std::string pattern = std::string(base && *base ? base : "/tmp") + "/kiv-enc-XXXXXX";
            if (!::mkdtemp(pattern.data()))
                return path;
            folder_ = pattern;
        }
        std::string link = folder_ + "/input" + std::to_string(links_.size()) + Extension(path);
        if (::symlink(path.c_str(), link.c_str()) != 0)
            return path;
        links_.push_back(link);
        return link;
    }

private:
    std::string folder_;
    std::vector<std::string> links_;

    // The file's extension when it is letters and digits only, else none.
    static std::string Extension(const std::string& path) {
        std::size_t dot = path.rfind('.');
        if (dot == std::string::npos || path.find('/', dot) != std::string::npos)
            return {};
        for (std::size_t i = dot + 1; i < path.size(); ++i) {
            if (!std::isalnum(static_cast<unsigned char>(path[i])))
                return {};
        }
        return path.substr(dot);
    }
};

std::vector<std::string> GlobalArguments() {
    return {FfmpegExecutable(),
            "-hide_banner",
            "-nostats",
            "-progress",
            "pipe:" + std::to_string(kProgressDescriptor),
            "-y"};
}

std::string FrameImage(const std::string& prefix, int frame) {
    char number[16];
    std::snprintf(number, sizeof number, "%06d", frame);
    return prefix + number + ".ebmp";
}

std::string WithPercentDoubled(const std::string& text) {
    std::string result;
    for (char c : text) {
        result += c;
        if (c == '%')
            result += '%';
    }
    return result;
}

std::string FailureReason(const RunResult& result, const std::string& what) {
    std::string reason =
        what + " failed (FFmpeg exit status " + std::to_string(result.exitCode) + ")";
    if (result.signalled)
        reason = what + " was stopped";
    if (!result.errorLine.empty())
        reason += ": " + result.errorLine;
    return reason;
}

// The image pass writes the frame images in place; a pass that does not
// write every one of them leaves none. The encoder's own output file on
// the line is not made: nothing reads it.
int RunImagePass(const std::string& scriptPath, const std::string& scriptText) {
    ImageScriptFacts facts;
    std::string error;
    if (!ReadImageScript(scriptText, facts, error))
        return Fail("cannot render the slideshow script " + scriptPath + ": " + error,
                    kUnreadableInput);
    PictureSize background;
    std::vector<PictureSize> sizes(facts.picturePaths.size());
    if (!ReadPicture(facts.backgroundPath, "background picture", background, error))
        return Fail(error, kUnreadableInput);
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        if (!ReadPicture(facts.picturePaths[i], "picture", sizes[i], error))
            return Fail(error, kUnreadableInput);
    }
    int pictureCount = static_cast<int>(sizes.size());
    int frames = ImagePassFrameCount(pictureCount, facts.firstFrame, facts.lastFrame);
    if (frames == 0)
        return Fail("the image script writes no frame images", kUnreadableInput);

    PlainNames names;
    std::vector<std::string> argv = GlobalArguments();
    argv.insert(argv.end(), {"-i", names.For(facts.backgroundPath)});
    for (const std::string& picture : facts.picturePaths)
        argv.insert(argv.end(), {"-i", names.For(picture)});
    argv.insert(argv.end(),
                {"-filter_complex", ImagePassGraph(sizes, facts.firstFrame, facts.lastFrame),
                 "-map", "[out]", "-fps_mode", "passthrough", "-c:v", "bmp", "-f", "image2",
                 "-start_number", std::to_string(facts.firstFrame),
                 WithPercentDoubled(facts.framePrefix) + "%06d.ebmp"});
    WriteAll(STDOUT_FILENO, JoinForDisplay(argv) + "\n");

    RunResult result = RunFfmpeg(argv);
    bool complete = result.started && result.exitCode == 0 && !result.signalled;
    for (int f = facts.firstFrame; complete && f < facts.firstFrame + frames; ++f)
        complete = IsFile(FrameImage(facts.framePrefix, f));
    if (complete)
        return 0;
    for (int f = facts.firstFrame; f < facts.firstFrame + frames; ++f)
        ::unlink(FrameImage(facts.framePrefix, f).c_str());
    if (result.abandoned)
        return Fail("slideshow abandoned", kAbandoned);
    if (!result.started)
        return Fail(result.startError, kRunError);
    return Fail(FailureReason(result, "preparing the slideshow pictures"), kRunError);
}

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    return static_cast<bool>(file.flush());
}

// The show pass: the timeline with its captions and sound, encoded with
// the line's own target options into the line's output file.
int RunShowPass(FfmpegPlan plan, std::size_t scriptInput, const std::string& scriptText) {
    ShowScriptFacts facts;
    std::string error;
    if (!ReadShowScript(scriptText, facts, error))
        return Fail("cannot render the slideshow script " + plan.inputs[scriptInput] + ": " + error,
                    kUnreadableInput);
    if (facts.TotalFrames() <= 0)
        return Fail("the show script describes no frames", kUnreadableInput);
    std::string music = facts.musicPath;
    for (std::size_t i = 0; i < plan.inputs.size(); ++i) {
        if (i != scriptInput)
            music = plan.inputs[i];
    }
    if (!music.empty() && !ReadMusic(music, error))
        return Fail(error, kUnreadableInput);

    std::string subtitles;
    if (facts.captionCount > 0 && !facts.subtitlePath.empty()) {
        if (!WriteText(facts.subtitlePath, facts.subtitleText))
            return Fail("cannot write the captions to '" + facts.subtitlePath + "'", kRunError);
        subtitles = facts.drawnSubtitlePath.empty() ? facts.subtitlePath : facts.drawnSubtitlePath;
    }
    auto failAndClean = [&](const std::string& message, int status) {
        if (!subtitles.empty())
            ::unlink(facts.subtitlePath.c_str());
        return Fail(message, status);
    };

    std::string audioFilters = plan.Find("-af") ? *plan.Find("-af") : std::string();
    plan.Remove("-af");
    ShowGraph graph = ShowPassGraph(facts, !music.empty(), audioFilters, subtitles);
    std::vector<std::string> argv = GlobalArguments();
    for (int picture : graph.pictureInputs) {
        std::string frame = facts.FrameImagePath(picture);
        PictureSize ignored;
        if (!ReadPicture(frame, "frame image", ignored, error))
            return failAndClean(error, kUnreadableInput);
        argv.insert(argv.end(), {"-framerate", "25", "-f", "bmp_pipe", "-i", frame});
    }
    if (!music.empty())
        argv.insert(argv.end(), {"-stream_loop", "-1", "-i", music});
    argv.insert(argv.end(), {"-filter_complex", graph.graph, "-map", "[v]", "-map", "[a]"});
    for (const PlanOption& option : plan.options) {
        argv.push_back(option.name);
        if (option.hasValue)
            argv.push_back(option.value);
    }
    bool atomic = IsPlainFilePath(plan.outputPath);
    std::string written = atomic ? HoldTemporaryOutput(plan.outputPath, error) : plan.outputPath;
    if (written.empty())
        return failAndClean(error, kRunError);
    argv.push_back(written);
    WriteAll(STDOUT_FILENO, JoinForDisplay(argv) + "\n");

    if (atomic)
        RemoveAbandonedTemporaries(plan.outputPath);
    RunResult result = RunFfmpeg(argv);
    if (result.abandoned || !result.started) {
        if (atomic)
            DiscardOutput(written);
        return result.abandoned ? failAndClean("slideshow abandoned", kAbandoned)
                                : failAndClean(result.startError, kRunError);
    }
    // A stop ends the show early; what was written is kept, as for conversions.
    bool ended = (result.exitCode == 0 || result.signalled) && (!atomic || IsNonEmptyFile(written));
    if (!ended) {
        if (atomic)
            DiscardOutput(written);
        return failAndClean(FailureReason(result, "encoding the slideshow"),
                            result.exitCode > 0 ? result.exitCode : kRunError);
    }
    if (atomic && !CommitOutput(written, plan.outputPath, error))
        return failAndClean(error, kRunError);
    return 0;
}

} // namespace

std::optional<int> RunSlideShowScript(const std::vector<std::string>& arguments) {
    FfmpegPlan plan;
    std::string error;
    if (!BuildPlan(arguments, plan, error))
        return std::nullopt;
    for (std::size_t i = 0; i < plan.inputs.size(); ++i) {
        std::string text;
        if (!IsAviSynthScript(plan.inputs[i]) || !ReadText(plan.inputs[i], text))
            continue;
        switch (SlideShowScriptOf(text)) {
        case SlideShowScript::Images:
            return RunImagePass(plan.inputs[i], text);
        case SlideShowScript::Show:
            return RunShowPass(plan, i, text);
        case SlideShowScript::None:
            break;
        }
    }
    return std::nullopt;
}

} // namespace kiv::enc
