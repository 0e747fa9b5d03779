#pragma once
// The Split dialog's result preview: a few seconds of the source converted
// with the working profile on a thread of its own, exactly as the batch
// would convert them (EncodeSample), into a private folder inside the run's
// folder. The folder goes with the next Start, with Discard, with this
// object, and at the latest with the run's folder when the program ends.
//
//     PreviewMaker maker;
//     connect(&maker, &PreviewMaker::finished, ...);  // queued to the GUI thread
//     maker.Start(source, 60);   // returns at once
//     maker.Cancel();            // returns at once; finished follows
//
// Everything but the worker runs on the GUI thread, which never waits for
// the worker but when this object goes while it still converts (then at
// most a few seconds: it is stopped first).

#include "CEncoderCntl.h"
#include "MediaProfile.h"
#include "files/PrivateWorkFolder.h"
#include "runs/SampleEncode.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace kiv {

// What a preview converts: the row's probed job with the working profile.
struct PreviewSource {
    ConversionJob job{};
    MediaProfile profile{};
    int targetKind = 0;
};

class PreviewMaker : public QObject {
    Q_OBJECT

public:
    static constexpr int kLengthSeconds = 10;

    explicit PreviewMaker(QObject* parent = nullptr);
    ~PreviewMaker() override;

    // Removes the last sample, then starts converting lengthSeconds from
    // startSeconds on. False, with finished never coming, while a sample
    // is being made.
    bool Start(const PreviewSource& source, int startSeconds, int lengthSeconds = kLengthSeconds);
    // Stops the sample being made; finished reports it cancelled and the
    // partial file is removed.
    void Cancel();
    bool IsRunning() const { return worker_.joinable(); }
    // The last sample made (meaningful after finished with made true).
    const SampleResult& Result() const { return result_; }
    // Removes the last sample and its folder. Nothing while one is made.
    void Discard();

signals:
    // 1 to 99 while converting.
    void progress(int percent);
    // made: Result() holds the sample; otherwise reason says why there is
    // none (empty when it was cancelled).
    void finished(bool made, const QString& reason);

private:
    static void OnProgress(int value, void* self);
    void OnWorkerDone(const SampleResult& sample);

    CEncoderCntl controller_;
    PrivateWorkFolder folder_;
    SampleResult result_;
    std::thread worker_;
    std::atomic<bool> cancelled_{false};
    // The worker has returned from the engine (for the bounded wait at the end).
    std::mutex doneMutex_;
    std::condition_variable doneSignal_;
    bool workerDone_ = false;
};

} // namespace kiv
