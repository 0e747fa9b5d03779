#include "process/ProgressEstimator.h"

#include <algorithm>
#include <cmath>

namespace kiv {

void ProgressEstimator::Begin(double now, double totalSeconds) {
    *this = ProgressEstimator{};
    begin_ = now;
    total_ = std::isfinite(totalSeconds) ? std::max(0.0, totalSeconds) : 0.0;
}

double ProgressEstimator::ActiveSeconds(double now) const {
    double until = pausedAt_ ? *pausedAt_ : now;
    return std::max(0.0, until - begin_ - pausedTotal_);
}

void ProgressEstimator::Pause(double now) {
    if (!pausedAt_)
        pausedAt_ = std::max(now, begin_);
}

void ProgressEstimator::Resume(double now) {
    if (!pausedAt_)
        return;
    pausedTotal_ += std::max(0.0, now - *pausedAt_);
    pausedAt_.reset();
}

void ProgressEstimator::Update(double now, double positionSeconds, long long frames) {
    if (!std::isfinite(positionSeconds) || positionSeconds < position_)
        return;
    position_ = positionSeconds;
    // Nothing written yet: the encoder is starting up, and that time says
    // nothing about how fast it will convert. Its first position often comes
    // with a burst of what it had buffered: the measure starts after it.
    if (positionSeconds <= 0)
        return;
    const double active = ActiveSeconds(now);
    if (!dataFrom_) {
        dataFrom_ = active;
        return;
    }
    const double previousActive = samples_.empty() ? active : samples_.back().active;
    samples_.push_back({active, positionSeconds, frames});
    lastActive_ = active;
    while (samples_.size() > 2 && samples_.front().active < active - kWindowSeconds)
        samples_.pop_front();

    if (active - *dataFrom_ < kSettleSeconds || samples_.size() < 3) {
        leftAtLast_.reset();
        return;
    }
    double framesPerSecond = 0;
    const double windowRate = WindowRate(framesPerSecond);
    if (rate_ <= 0) {
        rate_ = windowRate;
        framesPerSecond_ = framesPerSecond;
    } else {
        // The same smoothing however often the encoder reports.
        const double weight = 1 - std::exp(-(active - previousActive) / kSmoothingSeconds);
        rate_ += weight * (windowRate - rate_);
        framesPerSecond_ += weight * (framesPerSecond - framesPerSecond_);
    }
    if (total_ > 0 && rate_ > 0)
        leftAtLast_ = (std::max(0.0, total_ - positionSeconds) + kFinishingSeconds) / rate_;
    else
        leftAtLast_.reset();
}

// A slope over all the window's samples follows the encoder's pace without
// following each burst or stall of its reports.
double ProgressEstimator::WindowRate(double& framesPerSecond) const {
    const double count = double(samples_.size());
    double meanTime = 0, meanPosition = 0, meanFrames = 0;
    for (const Sample& sample : samples_) {
        meanTime += sample.active / count;
        meanPosition += sample.position / count;
        meanFrames += double(sample.frames) / count;
    }
    double spread = 0, position = 0, frames = 0;
    for (const Sample& sample : samples_) {
        const double time = sample.active - meanTime;
        spread += time * time;
        position += time * (sample.position - meanPosition);
        frames += time * (double(sample.frames) - meanFrames);
    }
    if (spread <= 0)
        return 0;
    framesPerSecond = std::max(0.0, frames / spread);
    return std::max(0.0, position / spread);
}

ProgressFigures ProgressEstimator::Figures(double now) const {
    ProgressFigures figures;
    figures.positionSeconds = position_;
    figures.fraction = total_ > 0 ? std::min(1.0, position_ / total_) : 0;
    figures.elapsedSeconds = ActiveSeconds(now);
    figures.speed = rate_;
    figures.framesPerSecond = framesPerSecond_;
    figures.paused = Paused();
    // Between two lines the time left counts down with the converting time.
    if (leftAtLast_)
        figures.secondsLeft = std::max(0.0, *leftAtLast_ - (figures.elapsedSeconds - lastActive_));
    return figures;
}

} // namespace kiv
