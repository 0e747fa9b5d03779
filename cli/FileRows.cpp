#include "FileRows.h"

#include "Json.h"
#include "Log.h"

#include <algorithm>
#include <cstdio>

namespace kiv {

FileRows::FileRows(const std::vector<ConversionJob>& jobs, const std::vector<std::string>& files,
                   std::vector<TrimRange> trims, ProgressReporter& reporter)
    : jobs_(jobs), files_(files), trims_(std::move(trims)), reporter_(reporter),
      results_(files.size()) {}

void FileRows::BeginRow(int row) {
    reporter_.Begin(files_[std::size_t(row)], row);
}

void FileRows::RowProgress(int row, const ProgressFigures& figures, const BatchPosition&) {
    reporter_.Progress(figures, row);
}

void FileRows::SourceMissing(int row, const std::string& sourcePath) {
    const std::string reason = "the file no longer exists";
    results_[std::size_t(row)] = {"failed", {}, reason, {}};
    reporter_.FinishFile("failed", {}, reason, {}, row);
    std::fprintf(stderr, "kiv-convert: '%s' no longer exists\n", sourcePath.c_str());
}

void FileRows::RowFailed(int row, const RowFailure& failure) {
    results_[std::size_t(row)] = {"failed", {}, failure.reason, {}};
    reporter_.FinishFile("failed", {}, failure.reason, {}, row);
    std::fprintf(stderr, "kiv-convert: converting '%s' failed: %s\nkiv-convert: the log is %s\n",
                 files_[std::size_t(row)].c_str(), failure.reason.c_str(), OpenLogPath().c_str());
}

void FileRows::RowFinished(int row, const std::string& outputPath, const std::string& warning) {
    results_[std::size_t(row)] = {"done", outputPath, {}, warning};
    reporter_.FinishFile("done", outputPath, {}, warning, row);
    if (!warning.empty())
        std::fprintf(stderr, "kiv-convert: '%s' converted, but %s\n",
                     files_[std::size_t(row)].c_str(), warning.c_str());
    reporter_.PrintOutput(outputPath);
}

void FileRows::RowStopped(int row, const std::string& partialPath) {
    // A stop before anything was written leaves the file as if not tried.
    if (!partialPath.empty())
        results_[std::size_t(row)] = {"stopped", partialPath, {}, {}};
    reporter_.FinishFile("stopped", partialPath, {}, {}, row);
    if (partialPath.empty())
        std::fprintf(stderr, "kiv-convert: stopped before '%s' was converted\n",
                     files_[std::size_t(row)].c_str());
    else
        std::fprintf(stderr, "kiv-convert: stopped; what was converted of '%s' is in %s\n",
                     files_[std::size_t(row)].c_str(), partialPath.c_str());
}

namespace {

bool AllWhole(const std::vector<FileResult>& results) {
    return std::all_of(results.begin(), results.end(), [](const FileResult& r) {
        return (r.result == "done" || r.result == "skipped") && r.warning.empty();
    });
}

int Counted(const std::vector<FileResult>& results, const char* result) {
    return static_cast<int>(
        std::count_if(results.begin(), results.end(),
                      [result](const FileResult& r) { return r.result == result; }));
}

} // namespace

void PrintSummary(const BatchReport& report, const std::vector<std::string>& files,
                  const std::vector<FileResult>& results) {
    std::string summary = BatchSummary(report);
    if (const int skipped = Counted(results, "skipped"); skipped > 0)
        summary += ", " + std::to_string(skipped) + " done already";
    std::fprintf(stderr, "kiv-convert: %s\n", summary.c_str());
    if (files.size() < 2 && AllWhole(results))
        return;
    for (std::size_t i = 0; i < files.size() && i < results.size(); ++i) {
        const FileResult& r = results[i];
        std::string line = r.result + ": " + files[i];
        if (!r.output.empty())
            line += " (" + r.output + ")";
        if (!r.reason.empty())
            line += ": " + r.reason;
        if (!r.warning.empty())
            line += ", but " + r.warning;
        std::fprintf(stderr, "kiv-convert:   %s\n", line.c_str());
    }
}

void PrintJsonSummary(const BatchReport& report, const std::vector<std::string>& files,
                      const std::vector<FileResult>& results) {
    std::string json = "{\"summary\":" + JsonString(BatchSummary(report)) +
                       ",\"converted\":" + std::to_string(Counted(results, "done")) +
                       ",\"failed\":" + std::to_string(Counted(results, "failed")) +
                       ",\"stopped\":" + std::to_string(Counted(results, "stopped")) +
                       ",\"not_tried\":" + std::to_string(Counted(results, "not tried")) +
                       ",\"skipped\":" + std::to_string(Counted(results, "skipped")) +
                       ",\"files\":[";
    for (std::size_t i = 0; i < files.size() && i < results.size(); ++i) {
        const FileResult& r = results[i];
        json +=
            (i ? ",{" : "{") + JsonField("file", files[i]) + ",\"result\":" + JsonString(r.result);
        if (!r.output.empty())
            json += "," + JsonField("output", r.output);
        if (!r.reason.empty())
            json += ",\"reason\":" + JsonString(r.reason);
        if (!r.warning.empty())
            json += ",\"warning\":" + JsonString(r.warning);
        json += "}";
    }
    std::printf("%s]}\n", json.c_str());
    std::fflush(stdout);
}

} // namespace kiv
