#include "CEncoderCntl.h"

#include "CFFmpegEncoder.h"
#include "Log.h"
#include "process/ChildProcess.h"
#include "process/EncoderProcessRunner.h"
#include "slideshow/SlideShow.h"

#include <thread>

namespace kiv {

namespace {
constexpr const char* kModule = "COMMON/CEncoderCntl";
}

CEncoderCntl::~CEncoderCntl() {
    bDestroyEncoder();
}

int CEncoderCntl::bCreateEncoder(const EncoderInit* init) {
    if (!init)
        return 0;
    // The encoder is made on the front end's main thread: from here on every
    // encoder starts at that thread's normal priority, even when the batch
    // thread runs lower.
    StartSpawnerThread();
    init_ = *init;
    try {
        encoder_ = std::make_unique<CFFmpegEncoder>();
        return encoder_->bInit(init);
    } catch (...) {
        WriteLogFormat("Module:%s,Error Info :the encoder could not be created", kModule);
        encoder_.reset();
        return 0;
    }
}

int CEncoderCntl::bGetMediaFileContent(const char* path, ConversionJob* job) {
    if (!path || path[0] == '\0' || !job || !encoder_)
        return 0;
    try {
        return encoder_->bGetMediaFileContent(path, job);
    } catch (...) {
        WriteLogFormat("Module:%s,Error Info :probing %s raised an exception", kModule, path);
        return 0;
    }
}

int CEncoderCntl::bDoConvert(ConversionJob* job) {
    lastResult_ = {ConvertOutcome::Failed, "the conversion engine is not ready"};
    if (!job) {
        WriteLogFormat("Module:%s,Line:%d,pointer is NULL ", kModule, 109);
        return 0;
    }
    // A job that cannot be prepared runs nothing and fails with the
    // preparation's reason.
    if (bPrepareConvert(job) != 1)
        return 0;
    return bRunPrepared(job);
}

int CEncoderCntl::bPrepareConvert(ConversionJob* job) {
    lastResult_ = {ConvertOutcome::Failed, "the conversion engine is not ready"};
    if (!job || !encoder_)
        return 0;
    try {
        const int prepared = encoder_->bPrepareConvert(job);
        lastResult_ = encoder_->LastResult();
        return prepared == 1 ? 1 : 0;
    } catch (...) {
        WriteLogFormat("Module:%s,Line:%d,bDoConvert raise exception", kModule, 173);
        lastResult_ = {ConvertOutcome::Failed, "the conversion raised an exception"};
        return 0;
    }
}

int CEncoderCntl::bRunPrepared(ConversionJob* job) {
    lastResult_ = {ConvertOutcome::Failed, "the conversion engine is not ready"};
    if (!job || !encoder_)
        return 0;
    try {
        encoder_->bRunConvert(job->outputPath, job->targetKind);
        lastResult_ = encoder_->LastResult();
    } catch (...) {
        WriteLogFormat("Module:%s,Line:%d,bDoConvert raise exception", kModule, 173);
        lastResult_ = {ConvertOutcome::Failed, "the conversion raised an exception"};
    }
    return lastResult_.Failed() ? 0 : 1;
}

template <typename Action> void CEncoderCntl::ForEachLane(Action action) const {
    std::lock_guard lock(lanesMutex_);
    for (const std::unique_ptr<CEncoderCntl>& lane : lanes_)
        action(*lane);
}

bool CEncoderCntl::EnsureLanes(int count) {
    if (!encoder_)
        return false;
    std::lock_guard lock(lanesMutex_);
    EncoderInit init = init_;
    init.callback = [](int, void*) {};
    init.userData = nullptr;
    while (static_cast<int>(lanes_.size()) < count) {
        auto lane = std::make_unique<CEncoderCntl>();
        if (lane->bCreateEncoder(&init) != 1)
            return false;
        lanes_.push_back(std::move(lane));
    }
    return true;
}

CEncoderCntl& CEncoderCntl::Lane(int index) {
    std::lock_guard lock(lanesMutex_);
    return *lanes_.at(static_cast<std::size_t>(index));
}

ConvertResult CEncoderCntl::LastResult() const {
    return lastResult_;
}

bool CEncoderCntl::PrepareCommandLine(ConversionJob& job, std::string& commandLine,
                                      std::string& reason) {
    if (!encoder_) {
        reason = "the conversion engine is not ready";
        return false;
    }
    try {
        if (encoder_->bPrepareConvert(&job) != 1) {
            reason = encoder_->LastResult().reason;
            return false;
        }
        commandLine = encoder_->PreparedCommandLine();
        return true;
    } catch (...) {
        reason = "the command line could not be built";
        WriteLogFormat("Module:%s,Error Info :%s", kModule, reason.c_str());
        return false;
    }
}

bool CEncoderCntl::StopPending() const {
    bool pending = encoder_ && encoder_->Runner().StopPending();
    ForEachLane([&](const CEncoderCntl& lane) { pending = pending || lane.StopPending(); });
    return pending;
}

template <typename Pass> int CEncoderCntl::RunSlideShowPass(const char* what, Pass pass) {
    lastResult_ = {ConvertOutcome::Failed, "the conversion engine is not ready"};
    if (!encoder_)
        return 0;
    try {
        int result = pass(*encoder_);
        lastResult_ = encoder_->LastResult();
        // The script passes run nothing: their 1 is the whole answer.
        if (result == 1 && lastResult_.Failed())
            lastResult_ = {ConvertOutcome::Done, {}, false};
        else if (result != 1 && (lastResult_.outcome == ConvertOutcome::Done ||
                                 (lastResult_.Failed() && lastResult_.reason.empty())))
            lastResult_ = {ConvertOutcome::Failed, std::string(what) + " failed"};
        return result;
    } catch (...) {
        WriteLogFormat("Module:%s,Error Info :%s raised an exception", kModule, what);
        lastResult_ = {ConvertOutcome::Failed, std::string(what) + " raised an exception"};
        return 0;
    }
}

int CEncoderCntl::bMakeSlideShowImageScript(SlideShow* show) {
    return RunSlideShowPass("the slideshow image script", [show](CEncoderBase& encoder) {
        return encoder.bMakeSlideShowImageScript(show);
    });
}

int CEncoderCntl::bRenderSlideShowImages() {
    return RunSlideShowPass("preparing the slideshow pictures", [](CEncoderBase& encoder) {
        return encoder.bRenderSlideShowImages(1);
    });
}

int CEncoderCntl::bMakeSlideShowScript(SlideShow* show, bool withMusic) {
    return RunSlideShowPass("the slideshow script", [show, withMusic](CEncoderBase& encoder) {
        return withMusic ? encoder.bMakeSlideShowScript(show)
                         : encoder.bMakeSlideShowScriptSilent(show);
    });
}

int CEncoderCntl::bEncodeSlideShow(SlideShow* show) {
    return RunSlideShowPass("encoding the slideshow", [show](CEncoderBase& encoder) {
        return encoder.bEncodeSlideShow(show);
    });
}

void CEncoderCntl::EndSlideShow() {
    try {
        if (encoder_)
            encoder_->EndSlideShow();
    } catch (...) {
        WriteLog("Module:COMMON/CEncoderCntl,Error Info :removing the slideshow's work folder "
                 "raised an exception");
    }
}

void CEncoderCntl::SetOutputsToKeep(std::set<std::string> paths) {
    if (encoder_)
        encoder_->SetOutputsToKeep(std::move(paths));
}

// Stopping must never throw into the window; there is nothing to report
// when the encoder cannot be asked.
void CEncoderCntl::StopConvert() {
    try {
        if (encoder_)
            encoder_->bStop();
    } catch (...) {
        WriteLog("Module:COMMON/CEncoderCntl,Error Info :the stop request raised an exception");
    }
    ForEachLane([](CEncoderCntl& lane) { lane.StopConvert(); });
}

void CEncoderCntl::ResetStop() {
    if (encoder_) {
        encoder_->Runner().ClearStop();
        encoder_->Tracker().Resume();
    }
    ForEachLane([](CEncoderCntl& lane) { lane.ResetStop(); });
}

void CEncoderCntl::PauseConvert() {
    if (!encoder_)
        return;
    EncoderProcessRunner& runner = encoder_->Runner();
    runner.Pause();
    // A conversion that is being stopped is not held.
    if (runner.Paused())
        encoder_->Tracker().Pause();
    ForEachLane([](CEncoderCntl& lane) { lane.PauseConvert(); });
}

void CEncoderCntl::ResumeConvert() {
    if (encoder_) {
        encoder_->Runner().Resume();
        encoder_->Tracker().Resume();
    }
    ForEachLane([](CEncoderCntl& lane) { lane.ResumeConvert(); });
}

bool CEncoderCntl::IsPaused() const {
    bool paused = encoder_ && encoder_->Runner().Paused();
    ForEachLane([&](const CEncoderCntl& lane) { paused = paused || lane.IsPaused(); });
    return paused;
}

void CEncoderCntl::SetProgressListener(ProgressTracker::Listener listener) {
    if (encoder_)
        encoder_->Tracker().SetListener(std::move(listener));
}

ProgressFigures CEncoderCntl::CurrentFigures() const {
    return encoder_ ? encoder_->Tracker().Figures() : ProgressFigures{};
}

void CEncoderCntl::AbortConvert() {
    // Each abort waits a few seconds for its encoder to leave: the lanes'
    // run side by side, so the whole takes no longer than one.
    std::vector<std::thread> aborters;
    ForEachLane(
        [&](CEncoderCntl& lane) { aborters.emplace_back([&lane] { lane.AbortConvert(); }); });
    try {
        if (encoder_)
            encoder_->Abort();
    } catch (...) {
        WriteLog("Module:COMMON/CEncoderCntl,Error Info :the abort request raised an exception");
    }
    for (std::thread& aborter : aborters)
        aborter.join();
}

int CEncoderCntl::bDestroyEncoder() {
    {
        std::lock_guard lock(lanesMutex_);
        lanes_.clear();
    }
    if (encoder_) {
        encoder_->bRelease();
        encoder_.reset();
    }
    return 1;
}

} // namespace kiv
