// The time-left estimate on progress sequences recorded from real
// conversions (bench/time_left --record): every status line's wall time and
// position. Each must give no figure before it has a few seconds of data,
// then stay within 15 % of the real time left (and two seconds: how long
// the encoder takes to finish its file varies by that much) from 10 % of
// the file on, and never show more than twice the truth; a pause freezes
// every figure.

#include "RecordedProgress.h"
#include "process/ProgressEstimator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace kiv;
using namespace kiv::test;

TEST(ProgressEstimator, RecordedSequences) {
    for (const RecordedProgress& recorded : RecordedSequences()) {
        SCOPED_TRACE(recorded.name);
        const double end = recorded.lines.back().first;
        const bool pauses = recorded.pauseUntil > recorded.pauseFrom;
        auto truth = [&](double time) {
            double pausedAfter =
                pauses ? std::max(0.0, recorded.pauseUntil - std::max(time, recorded.pauseFrom))
                       : 0;
            return end - time - pausedAfter;
        };
        ProgressEstimator estimator;
        estimator.Begin(0, recorded.total);
        std::optional<double> firstData;
        bool paused = false, resumed = false;
        int judged = 0;
        for (const auto& [time, position] : recorded.lines) {
            if (pauses && !paused && time >= recorded.pauseFrom) {
                estimator.Pause(recorded.pauseFrom);
                paused = true;
                const ProgressFigures held = estimator.Figures(recorded.pauseFrom);
                EXPECT_TRUE(held.paused);
                for (double during :
                     {1.0, 5.0, 0.99 * (recorded.pauseUntil - recorded.pauseFrom)}) {
                    ProgressFigures figures = estimator.Figures(recorded.pauseFrom + during);
                    EXPECT_EQ(figures.elapsedSeconds, held.elapsedSeconds);
                    EXPECT_EQ(figures.secondsLeft, held.secondsLeft);
                    EXPECT_EQ(figures.speed, held.speed);
                }
            }
            if (paused && !resumed && time >= recorded.pauseUntil) {
                estimator.Resume(recorded.pauseUntil);
                resumed = true;
            }
            estimator.Update(time, position, 0);
            const ProgressFigures figures = estimator.Figures(time);
            if (position > 0 && !firstData)
                firstData = estimator.ActiveSeconds(time);
            const double data = firstData ? estimator.ActiveSeconds(time) - *firstData : 0;
            if (data < ProgressEstimator::kSettleSeconds) {
                EXPECT_FALSE(figures.secondsLeft) << "at " << time << " s";
                continue;
            }
            ASSERT_TRUE(figures.secondsLeft) << "at " << time << " s";
            const double real = truth(time);
            if (figures.fraction < 0.10 || real < 2)
                continue;
            ++judged;
            EXPECT_NEAR(*figures.secondsLeft, real, 0.15 * real + 2) << "at " << time << " s";
            EXPECT_LE(*figures.secondsLeft, 2 * real) << "at " << time << " s";
        }
        EXPECT_GE(judged, 10);
        EXPECT_EQ(resumed, pauses);
    }
}

TEST(ProgressEstimator, EdgesOfTheInput) {
    ProgressEstimator estimator;
    estimator.Begin(100, 0); // length not known: speed, but no fraction and no time left
    for (int tick = 1; tick <= 20; ++tick)
        estimator.Update(100 + tick * 0.5, tick * 1.0, tick * 50);
    ProgressFigures figures = estimator.Figures(110);
    EXPECT_EQ(figures.fraction, 0);
    EXPECT_FALSE(figures.secondsLeft);
    EXPECT_NEAR(figures.speed, 2.0, 1e-9);
    EXPECT_NEAR(figures.framesPerSecond, 100.0, 1e-9);
    EXPECT_NEAR(figures.elapsedSeconds, 10, 1e-9);

    estimator.Begin(0, 30);
    for (int tick = 1; tick <= 20; ++tick)
        estimator.Update(tick * 0.5, tick * 1.0, 0);
    estimator.Update(10.5, 3.0, 0); // a position that goes back is ignored
    estimator.Update(11, std::nan(""), 0);
    figures = estimator.Figures(10);
    EXPECT_EQ(figures.positionSeconds, 20);
    const double finishing = ProgressEstimator::kFinishingSeconds / 2;
    EXPECT_NEAR(*figures.secondsLeft, 5 + finishing, 1e-9);
    EXPECT_NEAR(*estimator.Figures(12).secondsLeft, 3 + finishing, 1e-9); // counts down
    EXPECT_EQ(*estimator.Figures(30).secondsLeft, 0);
    estimator.Resume(12); // not paused: nothing changes
    estimator.Pause(12);
    estimator.Pause(15); // paused already: the first pause counts
    estimator.Resume(20);
    EXPECT_NEAR(estimator.ActiveSeconds(21), 13, 1e-9);
}
