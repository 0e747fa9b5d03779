// How right the time left is: converts a clip with a steady profile through
// the engine, reads the time-left figure every second, and prints its error
// against the real remaining time at 10, 25, 50 and 75 % of the file, and
// the worst error and ratio from 10 % on (target: within 15 %, never above
// twice the truth).
//
//   time_left [--seconds N] [--format C --profile P] [--pause-at F --pause-for S]
//             [--paced] [--delay S] [--record]
//
// --pause-at pauses the conversion once the file is F (0 to 1) done, for S
// seconds. --paced has FFmpeg read its input at its real pace (-re), so the
// conversion runs at a steady 1x whatever else the machine does; --delay
// starts FFmpeg S seconds late, as a slow start-up would. --record also
// prints the encoder's positions over wall time as rows of a test table:
// {seconds since start, position}.

#include "CEncoderCntl.h"
#include "Catalogue.h"
#include "Paths.h"
#include "TestFiles.h"
#include "TestMedia.h"
#include "Vocabularies.h"
#include "runs/JobBuilder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace kiv;

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct Reading {
    double time;
    double fraction;
    std::optional<double> secondsLeft;
    bool paused;
};

struct Options {
    int seconds = 60;
    int format = 5; // "To iPod/iPhone/AppleTV": H.264, steady on a steady picture
    int profile = 15;
    double pauseAt = -1;
    double pauseFor = 0;
    bool paced = false;
    double delay = 0;
    bool record = false;
};

Options ReadOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        if (name == "--record" || name == "--paced") {
            (name == "--record" ? options.record : options.paced) = true;
            continue;
        }
        if (i + 1 == argc)
            break;
        double value = std::atof(argv[++i]);
        if (name == "--seconds")
            options.seconds = int(value);
        else if (name == "--format")
            options.format = int(value);
        else if (name == "--profile")
            options.profile = int(value);
        else if (name == "--pause-at")
            options.pauseAt = value;
        else if (name == "--pause-for")
            options.pauseFor = value;
        else if (name == "--delay")
            options.delay = value;
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    Options options = ReadOptions(argc, argv);
    std::filesystem::path folder = kiv::test::ScratchFolder("time-left");
    std::filesystem::path clip = folder / "clip.mp4";
    if (!kiv::test::MakeClip(clip, options.seconds, "640x360")) {
        std::fprintf(stderr, "time_left: the clip cannot be made\n");
        return 1;
    }
    if (options.paced || options.delay > 0) {
        std::filesystem::path wrapper = folder / "ffmpeg";
        kiv::test::WriteFile(wrapper, "#!/bin/sh\nsleep " + std::to_string(options.delay) +
                                          "\nexec ffmpeg " + (options.paced ? "-re " : "") +
                                          "\"$@\"\n");
        std::filesystem::permissions(wrapper, std::filesystem::perms::owner_all);
        setenv("KIV_FFMPEG", wrapper.c_str(), 1);
    }
    CEncoderCntl controller;
    EncoderInit init{};
    init.callback = [](int, void*) {};
    std::strncpy(init.appFolder, ProgramDirectoryPath().c_str(), sizeof init.appFolder - 1);
    MediaProfile profile;
    ConversionJob job;
    if (controller.bCreateEncoder(&init) != 1 ||
        ProbeIntoJob(controller, clip.string(), job) != 1 ||
        !GetProfile(options.format, options.profile, profile) ||
        !PrepareJobForConversion(job, profile, GetCategory(options.format)->Target,
                                 {folder.string(), "00:00:00",
                                  FormatDuration(DisplayedDurationSeconds(job)),
                                  (folder / "edit.avs").string()})) {
        std::fprintf(stderr, "time_left: the job cannot be prepared\n");
        return 1;
    }

    std::mutex mutex;
    std::vector<std::pair<double, double>> positions; // every status line
    controller.SetProgressListener([&](const ProgressFigures& figures) {
        std::lock_guard lock(mutex);
        positions.emplace_back(Now(), figures.positionSeconds);
    });
    std::vector<Reading> readings;
    std::atomic<bool> running{true};
    double pausedFrom = 0, pausedUntil = 0;
    const double start = Now();
    std::thread sampler([&] {
        while (running) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            ProgressFigures figures = controller.CurrentFigures();
            readings.push_back({Now(), figures.fraction, figures.secondsLeft, figures.paused});
            if (options.pauseAt >= 0 && pausedFrom == 0 && figures.fraction >= options.pauseAt) {
                pausedFrom = Now();
                controller.PauseConvert();
                std::this_thread::sleep_for(std::chrono::duration<double>(options.pauseFor));
                controller.ResumeConvert();
                pausedUntil = Now();
            }
        }
    });
    int converted = controller.bDoConvert(&job);
    const double end = Now();
    running = false;
    sampler.join();
    if (converted != 1) {
        std::fprintf(stderr, "time_left: the conversion failed: %s\n",
                     controller.LastResult().reason.c_str());
        return 1;
    }

    // The truth at a reading: the converting time still to come.
    auto truth = [&](double time) {
        double pausedAfter = std::max(0.0, pausedUntil - std::max(time, pausedFrom));
        return end - time - (pausedFrom > 0 ? pausedAfter : 0);
    };
    const double converting = end - start - (pausedUntil - pausedFrom);
    std::printf("time left on a %d s clip, profile \"%s\"%s: converted in %.1f s (%.2fx)\n",
                options.seconds, profile.ProfileName, options.paced ? ", paced" : "", converting,
                options.seconds / converting);
    for (double mark : {0.10, 0.25, 0.50, 0.75}) {
        auto reading = std::find_if(readings.begin(), readings.end(), [&](const Reading& r) {
            return r.fraction >= mark && !r.paused;
        });
        if (reading == readings.end()) {
            std::printf("at %3.0f %%: no reading\n", mark * 100);
        } else if (!reading->secondsLeft) {
            std::printf("at %3.0f %%: still estimating\n", mark * 100);
        } else {
            double real = truth(reading->time);
            std::printf("at %3.0f %%: shown %5.1f s, truth %5.1f s, error %+5.1f %%\n", mark * 100,
                        *reading->secondsLeft, real, (*reading->secondsLeft - real) / real * 100);
        }
    }
    double worstError = 0, worstRatio = 0;
    int counted = 0;
    for (const Reading& reading : readings) {
        double real = truth(reading.time);
        if (reading.fraction < 0.10 || !reading.secondsLeft || real < 1)
            continue;
        ++counted;
        worstError = std::max(worstError, std::abs(*reading.secondsLeft - real) / real);
        worstRatio = std::max(worstRatio, *reading.secondsLeft / real);
    }
    std::printf("from 10 %% on (%d readings, the last second left out): largest error %.1f %%, "
                "largest ratio to the truth %.2f (target: 15 %%, 2)\n",
                counted, worstError * 100, worstRatio);
    if (options.record) {
        std::printf("positions (seconds since start, position); paused %.1f to %.1f; end %.1f\n",
                    pausedFrom > 0 ? pausedFrom - start : 0,
                    pausedFrom > 0 ? pausedUntil - start : 0, end - start);
        for (const auto& [time, position] : positions)
            std::printf("{%.2f, %.2f},", time - start, position);
        std::printf("\n");
    }
    return 0;
}
