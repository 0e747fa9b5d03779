#pragma once
// Time left and speed of one conversion, worked out from the positions the
// encoder reports over the time spent converting. Both front ends show what
// this one estimator says.
//
// Times are seconds on any steady clock the caller chooses ("now"), so the
// estimator is pure arithmetic and tests feed it recorded sequences:
//
//     ProgressEstimator estimator;
//     estimator.Begin(now, 60);             // a file of 60 s of media
//     estimator.Update(now, 12.5, 312);     // each status line: position, frames
//     estimator.Pause(now);                 // the encoder is suspended...
//     estimator.Resume(now);                // ...and goes on
//     ProgressFigures figures = estimator.Figures(now);
//
// How it estimates: the rate (seconds of media per second of converting) is
// the least-squares slope of the positions over the last minute of
// converting, counted from the encoder's second report of a position: the
// dead time while the encoder starts up, and the burst with which it then
// writes what it had buffered, never drag the figure. The rate is smoothed
// with a time constant, so the time left does not jump with each line.
// Until a few seconds of data are in, the time left is not known
// ("estimating"). Time spent paused is no time spent converting: while
// paused every figure stands still. bench/time_left measures how right it is.

#include <deque>
#include <optional>

namespace kiv {

struct ProgressFigures {
    int percent = 0;                   // as the progress callback reports it: 1 to 99, or 0
    double fraction = 0;               // of the file, 0 to 1 (0 when its length is not known)
    double positionSeconds = 0;        // of output written
    double elapsedSeconds = 0;         // spent converting, pauses left out
    double speed = 0;                  // seconds of media per second converting; 0 = not known yet
    double framesPerSecond = 0;        // 0 when the encoder counts no frames or not known yet
    std::optional<double> secondsLeft; // nothing while estimating
    bool paused = false;
};

class ProgressEstimator {
public:
    // A new file of totalSeconds of media (0 when not known) starts now.
    void Begin(double now, double totalSeconds);
    // One status line: the position written so far and the frames counted
    // (0 for sound alone). Positions never go back; a lower one is ignored.
    void Update(double now, double positionSeconds, long long frames);
    // Pausing twice, or resuming what is not paused, changes nothing.
    void Pause(double now);
    void Resume(double now);
    bool Paused() const { return pausedAt_.has_value(); }

    ProgressFigures Figures(double now) const;

    // Seconds converting, pauses left out, from Begin to now.
    double ActiveSeconds(double now) const;

    static constexpr double kSettleSeconds = 3;    // of data before the first estimate
    static constexpr double kWindowSeconds = 60;   // of the latest data the rate is measured on
    static constexpr double kSmoothingSeconds = 6; // time constant of the rate
    // Media the encoder still writes after its position reaches the end:
    // what it holds in its buffers (a video encoder's look-ahead). The
    // position FFmpeg reports runs ahead of the video by about that much.
    static constexpr double kFinishingSeconds = 1;

private:
    struct Sample {
        double active; // converting seconds at the sample
        double position;
        long long frames;
    };

    double begin_ = 0;
    double total_ = 0;
    double pausedTotal_ = 0;
    std::optional<double> pausedAt_;
    std::optional<double> dataFrom_; // converting seconds at the first position above 0
    std::deque<Sample> samples_;     // from the second, within the window
    double position_ = 0;
    double rate_ = 0;                  // smoothed; 0 until settled
    double framesPerSecond_ = 0;       // over the same window
    double lastActive_ = 0;            // of the last sample
    std::optional<double> leftAtLast_; // time left as of the last sample

    // Least-squares slopes of position and frames over the samples.
    double WindowRate(double& framesPerSecond) const;
};

} // namespace kiv
