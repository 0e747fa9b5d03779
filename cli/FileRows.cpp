#include "FileRows.h"

#include "Log.h"

#include <cstdio>

namespace kiv {

FileRows::FileRows(const std::vector<ConversionJob>& jobs, const std::vector<std::string>& files,
                   std::vector<TrimRange> trims, ProgressReporter& reporter)
    : jobs_(jobs), files_(files), trims_(std::move(trims)), reporter_(reporter) {}

void FileRows::BeginRow(int row) {
    reporter_.Begin(files_[std::size_t(row)]);
}

void FileRows::RowProgress(int, const ProgressFigures& figures, const BatchPosition&) {
    reporter_.Progress(figures);
}

void FileRows::SourceMissing(int, const std::string& sourcePath) {
    reporter_.FinishFile("failed", {}, "the file no longer exists");
    std::fprintf(stderr, "kiv-convert: '%s' no longer exists\n", sourcePath.c_str());
}

void FileRows::RowFailed(int row, const std::string& reason) {
    reporter_.FinishFile("failed", {}, reason);
    std::fprintf(stderr, "kiv-convert: converting '%s' failed: %s\nkiv-convert: the log is %s\n",
                 files_[std::size_t(row)].c_str(), reason.c_str(), OpenLogPath().c_str());
}

void FileRows::RowFinished(int, const std::string& outputPath) {
    reporter_.FinishFile("done", outputPath);
    reporter_.PrintOutput(outputPath);
}

void FileRows::RowStopped(int row, const std::string& partialPath) {
    reporter_.FinishFile("stopped", partialPath);
    if (partialPath.empty())
        std::fprintf(stderr, "kiv-convert: stopped before '%s' was converted\n",
                     files_[std::size_t(row)].c_str());
    else
        std::fprintf(stderr, "kiv-convert: stopped; what was converted of '%s' is in %s\n",
                     files_[std::size_t(row)].c_str(), partialPath.c_str());
}

} // namespace kiv
