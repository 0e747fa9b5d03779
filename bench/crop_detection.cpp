// How long finding a film's black bars takes: FindBlackBars on files given,
// or on two films of two hours made here by joining a one-minute letterboxed
// clip 120 times without re-encoding: a DVD rip (MPEG-2, a key frame every
// 12 pictures) and an H.264 film (a key frame every 10 s, the worst case
// for seeking). Prints the time of a first and of a second detection (the
// second is answered from the program's memory) and what was found.
// Target: under 3 s for two hours, from samples, not a full decode.
//
// usage: crop_detection [FILE...]

#include "TestMedia.h"
#include "media/CropDetection.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A 2.35:1 film letterboxed into 720x576: bars of 100 lines above and below.
const char* kLetterboxed =
    "testsrc2=size=720x376:rate=25:duration=60,pad=720:576:0:100:black,setsar=64/45";

bool MakeFilm(const fs::path& folder, const std::string& name,
              const std::vector<std::string>& codec, fs::path& film) {
    fs::path minute = folder / ("minute-" + name);
    std::vector<std::string> arguments = {"-f", "lavfi", "-i", kLetterboxed};
    arguments.insert(arguments.end(), codec.begin(), codec.end());
    if (!kiv::test::MakeMedia(minute, arguments))
        return false;
    fs::path list = folder / (name + ".txt");
    std::ofstream out(list);
    for (int i = 0; i < 120; ++i)
        out << "file '" << minute.string() << "'\n";
    out.close();
    film = folder / ("two-hours-" + name);
    return kiv::test::MakeMedia(film,
                                {"-f", "concat", "-safe", "0", "-i", list.string(), "-c", "copy"});
}

void Measure(const std::string& path) {
    for (const char* pass : {"first", "again"}) {
        auto begin = std::chrono::steady_clock::now();
        kiv::BlackBars bars = kiv::FindBlackBars(path);
        double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        std::printf("%-40s %-5s %6.3f s  %dx%d, %d samples, %d lit, keep %s\n",
                    fs::path(path).filename().c_str(), pass, seconds, bars.width, bars.height,
                    bars.samples, bars.lit,
                    bars.keep ? kiv::CropBoxText(*bars.keep).c_str() : "all (no bars)");
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> files(argv + 1, argv + argc);
    fs::path folder = fs::temp_directory_path() / "kiv-crop-bench";
    if (files.empty()) {
        fs::create_directories(folder);
        fs::path dvd, h264;
        if (!MakeFilm(folder, "dvd.mpg",
                      {"-c:v", "mpeg2video", "-b:v", "1500k", "-g", "12", "-f", "dvd"}, dvd) ||
            !MakeFilm(folder, "h264.mkv",
                      {"-c:v", "libx264", "-preset", "ultrafast", "-crf", "30", "-g", "250"},
                      h264)) {
            std::fprintf(stderr, "crop_detection: the films could not be made\n");
            return 1;
        }
        files = {dvd.string(), h264.string()};
    }
    for (const std::string& file : files)
        Measure(file);
    if (argc == 1)
        fs::remove_all(folder);
    return 0;
}
