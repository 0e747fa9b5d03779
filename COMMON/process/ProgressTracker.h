#pragma once
// The time-left estimate of the running conversion, shared between the
// thread that reads the encoder's lines (Begin, Feed) and the threads that
// pause and resume it or ask for its figures. The listener hears the
// figures of every status line, on the thread that feeds them.

#include "StatusLine.h"
#include "process/ProgressEstimator.h"

#include <functional>
#include <mutex>

namespace kiv {

class ProgressTracker {
public:
    using Listener = std::function<void(const ProgressFigures&)>;

    void SetListener(Listener listener);
    // A conversion of totalSeconds of media (0 when not known) starts; it
    // starts paused when the tracker is paused.
    void Begin(double totalSeconds);
    // One status line and the percentage the progress callback got for it.
    void Feed(int percent, const ProgressValues& values);
    void Pause();
    void Resume();
    ProgressFigures Figures() const;

    // Seconds on the steady clock.
    static double Now();

private:
    mutable std::mutex mutex_;
    ProgressEstimator estimator_;
    bool paused_ = false;
    int percent_ = 0;
    Listener listener_;
};

} // namespace kiv
