#include "runs/SlideShowRun.h"

#include "FixedText.h"
#include "Log.h"
#include "files/PartialOutput.h"
#include "slideshow/SlideShowScripts.h"

namespace kiv {

namespace {

// The work folder goes with the show, however the show ends.
class WorkFolderGuard {
public:
    explicit WorkFolderGuard(CEncoderCntl& controller) : controller_(controller) {}
    ~WorkFolderGuard() { controller_.EndSlideShow(); }
    WorkFolderGuard(const WorkFolderGuard&) = delete;
    WorkFolderGuard& operator=(const WorkFolderGuard&) = delete;

private:
    CEncoderCntl& controller_;
};

SlideShowResult Failed(std::string step, std::string reason) {
    return {SlideShowEnd::Failed, std::move(step), std::move(reason), {}};
}

SlideShowResult Stopped(std::string kept = {}) {
    return {SlideShowEnd::Stopped, {}, {}, std::move(kept)};
}

// What a stop left of the show is kept under a name that says it is cut,
// as for conversions, never under the show's own name: enc keeps it so
// itself, and a show it finished under its own name as the stop came is
// renamed here.
std::string KeptCut(const ConvertResult& ran, const std::string& output) {
    if (!ran.partialPath.empty())
        return ran.partialPath;
    if (!ran.outputWritten)
        return {};
    std::string error;
    std::string partial = KeepAsPartial(output, output, error);
    if (partial.empty()) {
        WriteLogFormat("Module:COMMON/SlideShowRun,Error Info :%s", error.c_str());
        return output;
    }
    return partial;
}

// One step: a script pass, then the encoder pass that uses the script.
class Steps {
public:
    Steps(CEncoderCntl& controller, SlideShowEvents& events)
        : controller_(controller), events_(events) {}

    // Runs the step; false when the show ends here (result says how).
    template <typename Script, typename Encode>
    bool Run(SlideShowStep step, const char* scriptWhat, const char* encodeWhat, Script script,
             Encode encode, SlideShowResult& result) {
        events_.StepBegins(step);
        if (script() != 1) {
            result = Failed(scriptWhat, controller_.LastResult().reason);
        } else if (controller_.StopPending()) {
            result = Stopped();
        } else {
            encode();
            ConvertResult ran = controller_.LastResult();
            if (ran.outcome == ConvertOutcome::Stopped)
                result = Stopped();
            else if (ran.Failed())
                result = Failed(encodeWhat, ran.reason);
            else
                result.end = SlideShowEnd::Done;
        }
        events_.StepEnds(step, result.end == SlideShowEnd::Done      ? ConvertOutcome::Done
                               : result.end == SlideShowEnd::Stopped ? ConvertOutcome::Stopped
                                                                     : ConvertOutcome::Failed);
        return result.end == SlideShowEnd::Done && !controller_.StopPending();
    }

private:
    CEncoderCntl& controller_;
    SlideShowEvents& events_;
};

SlideShowResult Run(CEncoderCntl& controller, SlideShow& show, SlideShowEvents& events) {
    if (std::optional<std::string> refusal = SlideShowRefusal(show))
        return Failed("checking the slideshow", *refusal);
    WorkFolderGuard guard(controller);
    Steps steps(controller, events);
    SlideShowResult result;
    bool more = steps.Run(
        SlideShowStep::Pictures, "writing the slideshow's image script", "preparing the pictures",
        [&] { return controller.bMakeSlideShowImageScript(&show); },
        [&] { controller.bRenderSlideShowImages(); }, result);
    if (!more)
        return result.end == SlideShowEnd::Done ? Stopped() : result;

    bool withMusic = show.musicPath[0] != '\0';
    more = steps.Run(
        SlideShowStep::Show, "writing the show script", "encoding the slideshow",
        [&] { return controller.bMakeSlideShowScript(&show, withMusic); },
        [&] { controller.bEncodeSlideShow(&show); }, result);
    std::string output(GetText(show.outputPrefix));
    if (result.end == SlideShowEnd::Stopped)
        return Stopped(KeptCut(controller.LastResult(), output));
    if (result.end == SlideShowEnd::Done)
        result.outputPath = output;
    return result;
}

} // namespace

SlideShowResult RunSlideShow(CEncoderCntl& controller, SlideShow& show, SlideShowEvents& events) {
    controller.ResetStop(); // a stop from before this show is not for it
    try {
        return Run(controller, show, events);
    } catch (const std::exception& error) {
        WriteLogFormat("Module:COMMON/SlideShowRun,Error Info :the slideshow ended on an error: %s",
                       error.what());
        return Failed("making the slideshow", error.what());
    } catch (...) {
        WriteLog("Module:COMMON/SlideShowRun,Error Info :the slideshow ended on an unknown error");
        return Failed("making the slideshow", "an unknown error");
    }
}

} // namespace kiv
