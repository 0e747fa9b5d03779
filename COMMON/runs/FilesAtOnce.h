#pragma once
// How many files a batch converts at once. "Automatic" looks at what the
// profile's encoder does with threads, the cores this process may use and
// the memory that is free.

#include "MediaProfile.h"

#include <cstdint>

namespace kiv {

// The setting's value for "Automatic"; 1 and more are a count of files.
constexpr int kFilesAtOnceAutomatic = 0;

// What one conversion asks of the machine.
struct ConversionLoad {
    // The encoder keeps several cores busy on its own (x264, x265, SVT-AV1,
    // libvpx at 720 lines and more); the others (the older codecs, audio,
    // copying streams, the modern ones at small sizes) keep about one busy,
    // plus the decoding.
    bool fillsCores = false;
    std::uint64_t memoryBytes = 0; // its peak resident memory, roughly
};

// The load of a conversion through profile of a source of sourceWidth x
// sourceHeight (0 when not known: a 1920x1080 source is assumed).
ConversionLoad LoadOf(const MediaProfile& profile, int targetKind, int sourceWidth,
                      int sourceHeight);

// Automatic's choice: encoders that fill the cores run one at a time, and
// two from 16 cores on; the others one per core. Never more than
// availableBytes holds (at least one).
int AutomaticFilesAtOnce(const ConversionLoad& load, int cores, std::uint64_t availableBytes);

// The cores this process may run on, and the memory free for new work
// (MemAvailable); 0 when not known.
int UsableCores();
std::uint64_t AvailableMemoryBytes();

// The count for a batch of fileCount files: setting (Automatic or a count)
// bounded by the files there are; at least 1.
int FilesAtOnce(int setting, const ConversionLoad& load, int fileCount);

} // namespace kiv
