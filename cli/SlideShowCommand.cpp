#include "SlideShowCommand.h"

#include "CEncoderCntl.h"
#include "Commands.h"
#include "EngineSetup.h"
#include "FixedText.h"
#include "InterruptWatcher.h"
#include "Json.h"
#include "Log.h"
#include "Paths.h"
#include "ProfileChoice.h"
#include "ProgressReporter.h"
#include "Settings.h"
#include "runs/JobBuilder.h"
#include "runs/SlideShowRun.h"
#include "slideshow/ShowLengths.h"
#include "slideshow/SlideShowCommandLines.h"
#include "slideshow/SlideShowScripts.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <unistd.h>
#include <vector>

namespace kiv {

namespace {

namespace fs = std::filesystem;

// The show's name in the output folder: its work folder is "slideshowkiv"
// and its file "slideshow<tag>_<video codec>_<audio codec>.<extension>".
constexpr const char* kShowName = "slideshow";
constexpr double kLongestSeconds = 3600;

int Usage(const std::string& message) {
    std::fprintf(stderr, "kiv-convert: %s\n", message.c_str());
    return kExitUsage;
}

// Paths go into the scripts and command lines as they are, and the first
// pass makes the work folder the current directory: they must be absolute.
std::string Absolute(const std::string& path) {
    std::error_code error;
    fs::path absolute = fs::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

bool HoldsQuote(const std::string& text, const char* what) {
    if (text.find('"') == std::string::npos)
        return false;
    std::fprintf(stderr,
                 "kiv-convert: %s '%s' cannot be given to the encoder: it holds a double quote\n",
                 what, text.c_str());
    return true;
}

// The pictures and the music are probed before anything is written.
int CheckInputs(CEncoderCntl& controller, const std::vector<std::string>& pictures,
                const std::string& music) {
    for (const std::string& picture : pictures) {
        ConversionJob job;
        if (HoldsQuote(picture, "the picture"))
            return kExitUsage;
        if (ProbeIntoJob(controller, picture, job) != 1 || job.hasVideo != 1 ||
            job.source.width <= 0 || job.source.height <= 0)
            return Usage("cannot read '" + picture + "': not a picture the encoder can open");
    }
    if (!music.empty()) {
        ConversionJob job;
        if (HoldsQuote(music, "the music file"))
            return kExitUsage;
        if (ProbeIntoJob(controller, music, job) != 1 || job.hasAudio != 1)
            return Usage("cannot read '" + music + "': no sound the encoder can open");
    }
    return kExitOk;
}

struct ShowPlan {
    std::vector<SlideShowPicture> pictures;
    SlideShow show{};
};

// Fills the show record; false with a message when a text does not fit.
bool BuildShow(const CliOptions& options, const ProfileChoice& choice, const std::string& folder,
               int pictureFrames, int transitionFrames, ShowPlan& plan, std::string& error) {
    plan.pictures.assign(options.files.size(), SlideShowPicture{});
    for (std::size_t i = 0; i < options.files.size(); ++i) {
        SlideShowPicture& picture = plan.pictures[i];
        std::string path = Absolute(options.files[i]);
        std::string caption = i < options.captions.size() ? options.captions[i] : std::string();
        if (!FitsField(picture.imagePath, path)) {
            error = "the picture path is longer than 1023 bytes: " + path;
            return false;
        }
        if (!FitsField(picture.caption, caption)) {
            error = "the caption is longer than 255 bytes: " + caption;
            return false;
        }
        SetText(picture.imagePath, path);
        SetText(picture.caption, caption);
    }
    SlideShow& show = plan.show;
    show.pictures = plan.pictures.data();
    show.pictureCount = static_cast<std::int32_t>(plan.pictures.size());
    // The show is 720 x 576; an "Original" frame size keeps that.
    ConversionJob job{};
    job.source.width = 720;
    job.source.height = 576;
    FillJobTarget(job, choice.profile, choice.targetKind);
    show.target = job.target;
    show.targetKind = choice.targetKind;
    std::string prefix = JoinPath(folder, kShowName);
    std::string music = options.music ? Absolute(*options.music) : std::string();
    if (!FitsField(show.outputPrefix, prefix + "kiv") || !FitsField(show.musicPath, music)) {
        error = "the output folder or music path is too long";
        return false;
    }
    SetText(show.outputPrefix, prefix);
    SetText(show.musicPath, music);
    SetShowLengths(show, pictureFrames, transitionFrames);
    show.panZoom = options.panZoom ? 1 : 0;
    return true;
}

// The two steps as the progress display shows them.
class ReportedSteps : public SlideShowEvents {
public:
    explicit ReportedSteps(ProgressReporter& reporter) : reporter_(reporter) {}
    void StepBegins(SlideShowStep step) override {
        reporter_.Begin(step == SlideShowStep::Pictures ? "slideshow pictures" : "slideshow");
    }
    // The show's own step ends once its result is known (ShowEnded).
    void StepEnds(SlideShowStep step, ConvertOutcome outcome) override {
        if (step == SlideShowStep::Show)
            showStepEnded_ = true;
        else
            reporter_.Finish(outcome == ConvertOutcome::Done      ? "done"
                             : outcome == ConvertOutcome::Stopped ? "stopped"
                                                                  : "failed");
    }
    // With JSON the last event names the file written and the result.
    void ShowEnded(const SlideShowResult& result) {
        if (showStepEnded_)
            reporter_.FinishFile(result.end == SlideShowEnd::Done      ? "done"
                                 : result.end == SlideShowEnd::Stopped ? "stopped"
                                                                       : "failed",
                                 result.outputPath, result.reason);
        reporter_.PrintOutput(result.outputPath); // a stop may come before anything was written
    }

private:
    ProgressReporter& reporter_;
    bool showStepEnded_ = false;
};

// Each pass's script and encoder line; with JSON one object per pass:
//   {"pass":"pictures","script":"...","command_line":"..."}
void PrintDryRun(SlideShow show, bool json) {
    std::string executable = EncoderExecutablePath(ProgramDirectory());
    std::string work = SlideShowWorkFolder(show);
    int tag = DrawSlideShowTag();
    EncodeParameters encode = BuildEncodeParameters(show, work, tag);
    const std::string script = SlideShowScriptPath(work);
    const struct {
        const char* pass;
        std::string commandLine;
    } passes[] = {{"pictures", EncoderCommandLine(executable, RenderParameters(work, tag))},
                  {"show", EncoderCommandLine(executable, encode.parameters)}};
    for (const auto& pass : passes) {
        if (json)
            std::printf("{\"pass\":\"%s\",%s,%s}\n", pass.pass, JsonField("script", script).c_str(),
                        JsonField("command_line", pass.commandLine).c_str());
        else
            std::printf("%s\n%s\n", script.c_str(), pass.commandLine.c_str());
    }
}

} // namespace

std::optional<int> SecondsToFrames(const std::string& text) {
    double seconds = 0;
    auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), seconds, std::chars_format::fixed);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(seconds) || seconds < 0 || seconds > kLongestSeconds)
        return std::nullopt;
    return static_cast<int>(std::lround(seconds * kSlideShowRate));
}

int MakeSlideShow(const CliOptions& options) {
    std::optional<int> pictureFrames = SecondsToFrames(options.pictureSeconds.value_or("4"));
    std::optional<int> transitionFrames = SecondsToFrames(options.transitionSeconds.value_or("1"));
    if (!pictureFrames || *pictureFrames < 1)
        return Usage("--picture-seconds takes a number of seconds from 0.04 to 3600");
    if (!transitionFrames)
        return Usage("--transition-seconds takes a number of seconds from 0 to 3600");

    LoadSettings();
    AppSettings settings = CurrentSettings();
    ProfileChoice choice;
    std::string error;
    if (!ChooseProfile(options, CurrentSelection(), choice, error))
        return Usage(error);
    std::string folder =
        Absolute(options.outputDir ? *options.outputDir : std::string(GetText(settings.Folder)));
    if (HoldsQuote(folder, "the output folder"))
        return kExitUsage;

    // Process-long: the interrupt watcher may use them until the very end.
    static CEncoderCntl controller;
    static ProgressReporter reporter(StyleFor(options));
    static std::unique_ptr<InterruptWatcher> watcher;
    EncoderInit init = MakeEncoderInit(
        settings, options.dryRun ? IgnoreProgress : &ProgressReporter::Callback, &reporter);
    if (controller.bCreateEncoder(&init) != 1) {
        std::fprintf(stderr, "kiv-convert: the conversion engine could not be started\n");
        return kExitFailed;
    }
    if (!options.dryRun)
        watcher = std::make_unique<InterruptWatcher>(controller);

    std::string music = options.music ? Absolute(*options.music) : std::string();
    std::vector<std::string> pictures;
    for (const std::string& file : options.files)
        pictures.push_back(Absolute(file));
    if (int status = CheckInputs(controller, pictures, music); status != kExitOk)
        return status;
    ShowPlan plan;
    if (!BuildShow(options, choice, folder, *pictureFrames, *transitionFrames, plan, error))
        return Usage(error);
    if (std::optional<std::string> refusal = SlideShowRefusal(plan.show))
        return Usage(*refusal);
    if (!SlideShowOptionsFor(plan.show.target, plan.show.targetKind).known)
        return Usage("the chosen profile has no slideshow options");
    if (options.dryRun) {
        PrintDryRun(plan.show, options.json);
        return kExitOk;
    }

    std::error_code ignored; // a folder that cannot be made fails the first pass
    fs::create_directories(folder, ignored);
    ReportedSteps events(reporter);
    SlideShowResult result = RunSlideShow(controller, plan.show, events);
    events.ShowEnded(result);
    bool interrupted = watcher->Interrupted() || result.end == SlideShowEnd::Stopped;
    if (result.end == SlideShowEnd::Failed && !interrupted) {
        std::fprintf(stderr, "kiv-convert: %s failed%s%s; the log is %s\n",
                     result.failedStep.c_str(), result.reason.empty() ? "" : ": ",
                     result.reason.c_str(), OpenLogPath().c_str());
        return kExitFailed;
    }
    return interrupted ? kExitInterrupted : kExitOk;
}

} // namespace kiv
