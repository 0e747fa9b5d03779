#include "FileRows.h"

#include "Log.h"

#include <cstdio>

namespace kiv {

FileRows::FileRows(std::vector<ConversionJob>& jobs, const std::vector<std::string>& files,
                   std::vector<std::string> trimStarts, std::vector<std::string> trimEnds,
                   ProgressReporter& reporter, const InterruptWatcher& watcher)
    : jobs_(jobs), files_(files), trimStarts_(std::move(trimStarts)),
      trimEnds_(std::move(trimEnds)), reporter_(reporter), watcher_(watcher) {}

void FileRows::BeginRow(int row) {
    reporter_.Begin(files_[std::size_t(row)]);
}

void FileRows::SourceMissing(int, const std::string& sourcePath) {
    reporter_.Finish("failed");
    std::fprintf(stderr, "kiv-convert: '%s' no longer exists\n", sourcePath.c_str());
}

void FileRows::RowFailed(int row, const std::string& reason) {
    reporter_.Finish("failed");
    std::fprintf(stderr, "kiv-convert: converting '%s' failed: %s\nkiv-convert: the log is %s\n",
                 files_[std::size_t(row)].c_str(), reason.c_str(), OpenLogPath().c_str());
}

void FileRows::RowFinished(int, const std::string& outputPath) {
    reporter_.Finish(watcher_.Interrupted() ? "stopped" : "done");
    std::printf("%s\n", outputPath.c_str());
    std::fflush(stdout);
}

void FileRows::RowStopped(int) {
    reporter_.Finish("stopped");
}

} // namespace kiv
