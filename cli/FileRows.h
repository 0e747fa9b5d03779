#pragma once
// kiv-convert's files as the rows of a batch: every file is checked (a
// Ctrl-C stops the batch as the window's Stop does), the trim
// ranges come from the options, and each row's end is told on the terminal.

#include "ProgressReporter.h"
#include "runs/BatchLoop.h"

#include <string>
#include <vector>

namespace kiv {

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
    void RowFailed(int row, const std::string& reason) override;
    void RowFinished(int row, const std::string& outputPath) override;
    void RowStopped(int row, const std::string& partialPath) override;

private:
    const std::vector<ConversionJob>& jobs_;
    const std::vector<std::string>& files_;
    std::vector<TrimRange> trims_;
    ProgressReporter& reporter_;
};

} // namespace kiv
