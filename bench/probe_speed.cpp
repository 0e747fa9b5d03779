// Probe time of one file in process against an ffprobe process on the same
// file: medians of several runs and their ratio (target: at most 0.5).
//
// usage: probe_speed FILE [runs]

#include "media/MediaDetector.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

bool RunFfprobe(const std::string& file) {
    const char* argv[] = {"ffprobe", "-v",      "error",      "-show_format", "-show_streams",
                          "-of",     "compact", file.c_str(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", 1, 0);
    pid_t child = 0;
    int result =
        posix_spawnp(&child, "ffprobe", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return result == 0 && waitpid(child, &status, 0) == child && status == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: probe_speed FILE [runs]\n");
        return 2;
    }
    std::string file = argv[1];
    int runs = argc > 2 ? std::atoi(argv[2]) : 15;
    std::vector<double> inProcess, ffprobe;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        kiv::MediaFacts facts;
        if (kiv::DetectMedia(file, facts) != 0) {
            std::fprintf(stderr, "cannot read %s\n", file.c_str());
            return 1;
        }
        inProcess.push_back(Seconds(start));
        start = Clock::now();
        if (!RunFfprobe(file)) {
            std::fprintf(stderr, "ffprobe failed on %s\n", file.c_str());
            return 1;
        }
        ffprobe.push_back(Seconds(start));
    }
    double a = Median(inProcess), b = Median(ffprobe);
    std::printf("in-process probe median: %.1f ms over %d runs\n", a * 1000, runs);
    std::printf("ffprobe process median:  %.1f ms over %d runs\n", b * 1000, runs);
    std::printf("ratio in-process / ffprobe: %.3f (target <= 0.5)\n", a / b);
    return 0;
}
