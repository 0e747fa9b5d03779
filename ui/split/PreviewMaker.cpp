#include "PreviewMaker.h"

#include "GuiThread.h"
#include "Paths.h"
#include "RunFolder.h"
#include "Settings.h"
#include "runs/MakeEncoderInit.h"

#include <chrono>

namespace kiv {

namespace {

// How long the end waits for a stopped conversion before killing it.
constexpr auto kStopWait = std::chrono::seconds(3);

} // namespace

PreviewMaker::PreviewMaker(QObject* parent) : QObject(parent) {
    EncoderInit init = MakeEncoderInit(CurrentSettings(), &PreviewMaker::OnProgress, this);
    controller_.bCreateEncoder(&init);
}

PreviewMaker::~PreviewMaker() {
    if (worker_.joinable()) {
        Cancel();
        std::unique_lock lock(doneMutex_);
        if (!doneSignal_.wait_for(lock, kStopWait, [this] { return workerDone_; })) {
            lock.unlock();
            controller_.AbortConvert(); // kills within a few seconds more
        }
    }
    if (worker_.joinable())
        worker_.join();
    folder_.Remove();
}

bool PreviewMaker::Start(const PreviewSource& source, int startSeconds, int lengthSeconds) {
    if (worker_.joinable())
        return false;
    Discard();
    cancelled_ = false;
    workerDone_ = false;
    const std::string runFolder = RunFolderPath();
    std::optional<std::string> problem =
        runFolder.empty() ? std::optional<std::string>() : folder_.Create(runFolder + "preview-");
    SampleRequest request{source.profile,    source.targetKind, folder_.Path(),
                          InputScriptPath(), startSeconds,      lengthSeconds};
    if (runFolder.empty() || problem) {
        // Reported like any other failure: after Start has returned.
        const QString reason = runFolder.empty() ? tr("the program has no private folder")
                                                 : QString::fromStdString(*problem);
        PostToGui(this, [this, reason] { emit finished(false, reason); });
        return true;
    }
    worker_ = std::thread([this, job = source.job, request] {
        // A stop left from before is not for this sample; one asked for from
        // here on stops it.
        controller_.ResetStop();
        SampleResult sample;
        if (cancelled_)
            sample.result = {ConvertOutcome::Stopped, {}};
        else
            sample = EncodeSample(controller_, job, request);
        {
            std::lock_guard lock(doneMutex_);
            workerDone_ = true;
        }
        doneSignal_.notify_all();
        PostToGui(this, [this, sample] { OnWorkerDone(sample); });
    });
    return true;
}

void PreviewMaker::Cancel() {
    if (!worker_.joinable() || cancelled_.exchange(true))
        return;
    // Returns at once; the encoder ends soon after and the worker with it.
    controller_.StopConvert();
}

void PreviewMaker::Discard() {
    if (worker_.joinable())
        return;
    folder_.Remove();
    result_ = SampleResult{};
}

void PreviewMaker::OnProgress(int value, void* self) {
    auto* maker = static_cast<PreviewMaker*>(self);
    if (value < 1 || value > 99)
        return;
    PostToGui(maker, [maker, value] { emit maker->progress(value); });
}

void PreviewMaker::OnWorkerDone(const SampleResult& sample) {
    if (worker_.joinable())
        worker_.join(); // it has posted this as its last act
    const bool cancelled = cancelled_.exchange(false);
    if (cancelled || !sample.Made()) {
        folder_.Remove(); // whatever a stopped or failed run left
        result_ = SampleResult{};
        QString reason;
        if (!cancelled)
            reason = !sample.result.reason.empty() ? QString::fromStdString(sample.result.reason)
                                                   : (sample.result.outcome == ConvertOutcome::Done
                                                          ? tr("the result is empty")
                                                          : tr("the encoder was stopped"));
        emit finished(false, reason);
        return;
    }
    result_ = sample;
    emit finished(true, QString());
}

} // namespace kiv
