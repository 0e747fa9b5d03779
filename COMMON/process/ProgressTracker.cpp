#include "process/ProgressTracker.h"

#include <chrono>

namespace kiv {

double ProgressTracker::Now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void ProgressTracker::SetListener(Listener listener) {
    std::lock_guard lock(mutex_);
    listener_ = std::move(listener);
}

void ProgressTracker::Begin(double totalSeconds) {
    std::lock_guard lock(mutex_);
    double now = Now();
    estimator_.Begin(now, totalSeconds);
    percent_ = 0;
    if (paused_)
        estimator_.Pause(now);
}

void ProgressTracker::Feed(int percent, const ProgressValues& values) {
    ProgressFigures figures;
    Listener listener;
    {
        std::lock_guard lock(mutex_);
        double now = Now();
        estimator_.Update(now, values.seconds, values.frame);
        percent_ = percent;
        figures = estimator_.Figures(now);
        figures.percent = percent_;
        listener = listener_;
    }
    // Outside the lock: the listener may pause, or ask for the figures.
    if (listener)
        listener(figures);
}

void ProgressTracker::Pause() {
    std::lock_guard lock(mutex_);
    paused_ = true;
    estimator_.Pause(Now());
}

void ProgressTracker::Resume() {
    std::lock_guard lock(mutex_);
    paused_ = false;
    estimator_.Resume(Now());
}

ProgressFigures ProgressTracker::Figures() const {
    std::lock_guard lock(mutex_);
    ProgressFigures figures = estimator_.Figures(Now());
    figures.percent = percent_;
    return figures;
}

} // namespace kiv
