#pragma once
// Shows conversion progress: a bar on standard error (redrawn in place only
// on a terminal, one line per change otherwise), or JSON lines on standard
// output for scripts. With JSON nothing else goes to standard output.
//
// JSON, one object per line, for each change of percentage or pause:
//   {"file":"a.mp4","percent":37,"state":"converting","speed":2.41,
//    "eta_seconds":72.4,"elapsed_seconds":27.9}
// "speed" (seconds of media per second) and "eta_seconds" are null while
// they are being estimated; "state" is converting or paused. Each file ends
// with one event whose state is done, stopped or failed and that adds
// "output" (the file written; after a stop the partial file; else null),
// "result" (done, stopped or failed), for a failure "reason", and for an
// output much shorter than its source said it would be, "warning". File
// names that are not UTF-8 are carried as Json.h says.

#include "process/ProgressEstimator.h"

#include <mutex>
#include <string>

namespace kiv {

enum class ProgressStyle { Bar, Lines, Json, Quiet };

class ProgressReporter {
public:
    explicit ProgressReporter(ProgressStyle style);

    void Begin(const std::string& file);
    // An engine progress value: 1 to 99 percent, 0 no position, 100 ended.
    void Update(int value);
    // The time-left figures of a status line; shown when the percentage
    // changes.
    void Progress(const ProgressFigures& figures);
    void Paused(bool paused);
    // state: "done", "failed" or "stopped".
    void Finish(const std::string& state);
    // The file's end with what it wrote (empty: nothing) and, for a
    // failure, why: with JSON, its last event.
    void FinishFile(const std::string& result, const std::string& output,
                    const std::string& reason = {}, const std::string& warning = {});
    // A file written, as a line of its own on standard output; with JSON
    // nothing (the last event named it).
    void PrintOutput(const std::string& output);

    static void Callback(int value, void* reporter);

private:
    ProgressStyle style_;
    std::mutex mutex_;
    std::string file_;
    int percent_ = -1;
    bool paused_ = false;
    ProgressFigures figures_;

    void Show(const std::string& state, const std::string& ending = {});
    std::string FiguresText() const;
};

} // namespace kiv
