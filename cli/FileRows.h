#pragma once
// kiv-convert's files as the rows of a batch: every file is checked (a
// Ctrl-C stops the batch as the window's Stop does), the trim ranges come
// from the options, and each row's end is told on the terminal and kept, so
// that the summary names what became of every file.

#include "ProgressReporter.h"
#include "runs/BatchLoop.h"

#include <string>
#include <vector>

namespace kiv {

// What became of one file.
struct FileResult {
    std::string result = "not tried"; // done, skipped, failed, stopped or not tried
    std::string output;  // what was written (after a stop: the partial file; skipped: found)
    std::string reason;  // why it failed
    std::string warning; // an output much shorter than its source said
};

class FileRows : public BatchRows {
public:
    FileRows(const std::vector<ConversionJob>& jobs, const std::vector<std::string>& files,
             std::vector<TrimRange> trims, ProgressReporter& reporter);

    int RowCount() override { return static_cast<int>(jobs_.size()); }
    bool IsChecked(int) override { return true; }
    ConversionJob Job(int row) override { return jobs_[std::size_t(row)]; }
    TrimRange Trim(int row) override { return trims_[std::size_t(row)]; }

    void BeginRow(int row) override;
    void RowProgress(int row, const ProgressFigures& figures, const BatchPosition& batch) override;
    void SourceMissing(int row, const std::string& sourcePath) override;
    void RowFailed(int row, const RowFailure& failure) override;
    void RowFinished(int row, const std::string& outputPath, const std::string& warning) override;
    void RowStopped(int row, const std::string& partialPath) override;

    // The file's output is there whole already (--skip-done).
    void Skip(int row, const std::string& output) {
        results_[std::size_t(row)] = {"skipped", output, {}, {}};
    }

    const std::vector<FileResult>& Results() const { return results_; }

private:
    const std::vector<ConversionJob>& jobs_;
    const std::vector<std::string>& files_;
    std::vector<TrimRange> trims_;
    ProgressReporter& reporter_;
    std::vector<FileResult> results_;
};

// The batch's end in words on standard error: the summary line and, when
// not every file was converted whole, one line per file:
//   kiv-convert: 1 converted, 1 failed in 0:05
//   kiv-convert:   done: a.mp4 (/out/a_h264_aac.mp4)
// Files skipped as done already are counted after it: "2 files converted
// in 0:12, 10 done already".
//   kiv-convert:   failed: b.wav: the file has no sound, ...
void PrintSummary(const BatchReport& report, const std::vector<std::string>& files,
                  const std::vector<FileResult>& results);

// The same as the last JSON line on standard output:
//   {"summary":"1 converted, 1 failed in 0:05","converted":1,"failed":1,
//    "stopped":0,"not_tried":0,"skipped":0,"files":[{"file":"a.mp4","result":"done",
//    "output":"/out/a_h264_aac.mp4"},{"file":"b.wav","result":"failed",
//    "reason":"..."}]}
void PrintJsonSummary(const BatchReport& report, const std::vector<std::string>& files,
                      const std::vector<FileResult>& results);

} // namespace kiv
