#pragma once
// What a batch did, in the words both front ends use at its end.

#include <string>

namespace kiv {

enum class BatchEnd {
    Finished,      // every row was visited (some may have failed: see failed)
    SourceMissing, // a row's source file was gone
    Failed,        // a row failed
    Stopped,       // a stop ended the batch
};

struct BatchReport {
    BatchEnd end = BatchEnd::Finished;
    int converted = 0;
    int stopped = 0; // rows a stop cut off after they wrote part of their file
    int failed = 0;
    double seconds = 0; // spent converting, pauses left out
};

// Seconds as a short clock, rounded to the nearest second: "0:07", "1:12",
// "1:02:03". Negative and non-finite values show "0:00".
std::string ShortClock(double seconds);

// "3 files converted in 4:12", "1 file converted in 0:12",
// "2 converted, 1 stopped after 4:12", "2 converted, stopped after 1:00"
// (a stop between two files), "1 converted, 1 failed after 0:40" (the
// failure ended the batch), "2 converted, 1 failed in 0:40" (the batch went
// on to its end).
std::string BatchSummary(const BatchReport& report);

} // namespace kiv
