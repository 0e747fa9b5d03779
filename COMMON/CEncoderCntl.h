#pragma once
// The one door from the windows to the conversion engine: creates the
// encoder, forwards probe, convert and stop requests, and keeps exceptions
// away from its callers.

#include "CEncoderBase.h"

#include <memory>
#include <mutex>
#include <vector>

namespace kiv {

class CEncoderCntl {
public:
    CEncoderCntl() = default;
    virtual ~CEncoderCntl();
    CEncoderCntl(const CEncoderCntl&) = delete;
    CEncoderCntl& operator=(const CEncoderCntl&) = delete;

    int bCreateEncoder(const EncoderInit* init);
    int bGetMediaFileContent(const char* path, ConversionJob* job);
    // Converts one file; returns when the encoder process has ended. 1 when
    // the conversion was done or stopped, 0 when it failed (LastResult says
    // why).
    int bDoConvert(ConversionJob* job);
    // bDoConvert in two steps, for a caller that must know the output's name
    // before the encoder runs: 1 when the job is prepared (its outputPath
    // set), 0 when it cannot be (LastResult says why).
    int bPrepareConvert(ConversionJob* job);
    // Runs the job the last bPrepareConvert prepared; returns as bDoConvert.
    int bRunPrepared(ConversionJob* job);
    // Asks the running conversion to stop; callable from another thread.
    void StopConvert();
    // Ends the running conversion at once; callable from another thread.
    void AbortConvert();
    // Suspends the running conversion (the encoder and everything it
    // started) and, while paused, every conversion that starts; its time
    // left stands still. Stop and Abort end a pause. Callable from another
    // thread.
    void PauseConvert();
    void ResumeConvert();
    bool IsPaused() const;
    // Forgets a stop that came while no conversion ran (a stop that comes
    // between two conversions otherwise stops the next one), and a pause.
    void ResetStop();
    // Hears the time-left figures of every status line, on the converting
    // thread; an empty listener hears nothing.
    void SetProgressListener(ProgressTracker::Listener listener);
    // The figures of the running or the last conversion.
    ProgressFigures CurrentFigures() const;
    int bDestroyEncoder();

    // How the last bDoConvert ended.
    ConvertResult LastResult() const;
    // Prepares the job as a conversion would and gives its encoder command
    // line without running anything. False (with the reason) when the job
    // cannot be prepared.
    bool PrepareCommandLine(ConversionJob& job, std::string& commandLine, std::string& reason);
    // Outputs the current batch wrote; see CEncoderBase::SetOutputsToKeep.
    void SetOutputsToKeep(std::set<std::string> paths);
    // True while a stop asked for has not yet been taken by an encoder run.
    bool StopPending() const;

    // The slideshow passes in their order (see CEncoderBase); the runner in
    // SlideShowRun.h calls them. Each returns 1 or 0 like the encoder's
    // operation, and 0 without an encoder or on an exception; LastResult
    // says how the pass ended.
    int bMakeSlideShowImageScript(SlideShow* show);
    int bRenderSlideShowImages();
    int bMakeSlideShowScript(SlideShow* show, bool withMusic);
    int bEncodeSlideShow(SlideShow* show);
    // Removes the show's work folder; callable from any thread.
    void EndSlideShow();

    // Conversions side by side: the controller keeps count lanes, each a
    // controller of its own made like this one (without its progress
    // callback: a lane is heard through its progress listener) with its own
    // encoder process. Stop, pause, resume, abort and ResetStop reach every
    // lane too. Lanes are kept until the encoder is destroyed. False when a
    // lane could not be made.
    bool EnsureLanes(int count);
    // Lane index, from 0; EnsureLanes made it.
    CEncoderCntl& Lane(int index);

    // For tests: the encoder behind the controller.
    CEncoderBase* Encoder() const { return encoder_.get(); }

private:
    std::unique_ptr<CEncoderBase> encoder_;
    ConvertResult lastResult_;
    EncoderInit init_{};
    mutable std::mutex lanesMutex_; // guards lanes_ (stops come from other threads)
    std::vector<std::unique_ptr<CEncoderCntl>> lanes_;

    // Calls action for every lane, under the lanes' lock.
    template <typename Action> void ForEachLane(Action action) const;

    template <typename Pass> int RunSlideShowPass(const char* what, Pass pass);
};

} // namespace kiv
