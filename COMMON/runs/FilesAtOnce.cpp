#include "runs/FilesAtOnce.h"

#include "FixedText.h"
#include "TargetKind.h"

#include <algorithm>
#include <cstdio>
#include <sched.h>
#include <string_view>
#include <thread>
#include <unistd.h>

namespace kiv {

namespace {

// Resident bytes per output pixel at an encoder's peak, and what any
// conversion takes besides (FFmpeg, the decoder, the buffers): x264 "fast"
// at 1080p peaked at 443 MB here; the others are bounds on the generous
// side, since their memory grows with the threads a larger machine gives
// them.
constexpr std::uint64_t kBaseBytes = 120ull << 20;

struct CodecLoad {
    std::string_view codec;
    bool threaded;
    std::uint64_t bytesPerPixel;
};

constexpr CodecLoad kCodecLoads[] = {
    {"h264", true, 160},
    {"hevc", true, 420},
    {"av1", true, 1300},
    {"vp9", true, 220},
};
constexpr std::uint64_t kOtherBytesPerPixel = 40;

// Lines from which a threaded encoder keeps the cores busy alone.
constexpr int kFillingLines = 720;

// "1280x720" as a box; "Original" or anything else as none.
bool ReadBox(std::string_view text, int& width, int& height) {
    return std::sscanf(std::string(text).c_str(), "%dx%d", &width, &height) == 2 && width > 0 &&
           height > 0;
}

} // namespace

ConversionLoad LoadOf(const MediaProfile& profile, int targetKind, int sourceWidth,
                      int sourceHeight) {
    ConversionLoad load{false, kBaseBytes};
    const std::string_view codec = GetText(profile.VideoCodec);
    if (codec.empty() || codec == "copy" || targetKind == KindNumber(TargetKind::ModernAudio))
        return load;
    int width = sourceWidth > 0 ? sourceWidth : 1920;
    int height = sourceHeight > 0 ? sourceHeight : 1080;
    int boxWidth = 0, boxHeight = 0;
    // Today's formats fit the picture within their box, never enlarging it;
    // the older kinds' size is the output's.
    if (ReadBox(GetText(profile.FrameSize), boxWidth, boxHeight)) {
        if (targetKind == KindNumber(TargetKind::ModernVideo)) {
            const double scale =
                std::min({1.0, double(boxWidth) / width, double(boxHeight) / height});
            width = int(width * scale);
            height = int(height * scale);
        } else {
            width = boxWidth;
            height = boxHeight;
        }
    }
    const auto pixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    load.memoryBytes += pixels * kOtherBytesPerPixel;
    for (const CodecLoad& known : kCodecLoads) {
        if (known.codec == codec) {
            load.fillsCores = known.threaded && std::min(width, height) >= kFillingLines;
            load.memoryBytes = kBaseBytes + pixels * known.bytesPerPixel;
        }
    }
    return load;
}

int AutomaticFilesAtOnce(const ConversionLoad& load, int cores, std::uint64_t availableBytes) {
    cores = std::max(1, cores);
    int count = load.fillsCores ? (cores >= 16 ? 2 : 1) : cores;
    if (availableBytes > 0 && load.memoryBytes > 0)
        count = std::min<std::uint64_t>(
            count, std::max<std::uint64_t>(1, availableBytes / load.memoryBytes));
    return std::max(1, count);
}

int UsableCores() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return CPU_COUNT(&set);
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

std::uint64_t AvailableMemoryBytes() {
    std::FILE* meminfo = std::fopen("/proc/meminfo", "re");
    if (!meminfo)
        return 0;
    char line[256];
    unsigned long long kibibytes = 0;
    while (std::fgets(line, sizeof line, meminfo))
        if (std::sscanf(line, "MemAvailable: %llu kB", &kibibytes) == 1)
            break;
    std::fclose(meminfo);
    return static_cast<std::uint64_t>(kibibytes) * 1024;
}

int FilesAtOnce(int setting, const ConversionLoad& load, int fileCount) {
    int count =
        setting >= 1 ? setting : AutomaticFilesAtOnce(load, UsableCores(), AvailableMemoryBytes());
    return std::max(1, std::min(count, fileCount));
}

} // namespace kiv
