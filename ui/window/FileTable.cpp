#include "FileTable.h"

#include "FixedText.h"
#include "runs/JobBuilder.h"

#include <algorithm>

namespace kiv {

bool IsDone(RowState state) {
    return state == RowState::Converted || state == RowState::Failed;
}

std::string FileRow::SourcePath() const {
    return std::string(GetText(job.sourcePath));
}

int FileRow::ShownEndSeconds() const {
    return trimEndSeconds >= wholeFileEndSeconds ? durationSeconds : trimEndSeconds;
}

int FileRow::VideoSeconds() const {
    return static_cast<int>(job.source.videoDuration);
}

int FileTable::RowCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(rows_.size());
}

FileRow FileTable::Row(int row) const {
    std::lock_guard lock(mutex_);
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return FileRow{};
    return rows_[static_cast<std::size_t>(row)];
}

bool FileTable::HasCheckedRow() const {
    std::lock_guard lock(mutex_);
    return std::any_of(rows_.begin(), rows_.end(), [](const FileRow& r) { return r.checked; });
}

int FileTable::Append(const ConversionJob& probed) {
    std::lock_guard lock(mutex_);
    if (static_cast<int>(rows_.size()) >= kMaxRows)
        return -1;
    FileRow& row = rows_.emplace_back();
    row.job = probed;
    row.durationSeconds = DisplayedDurationSeconds(probed);
    // The command line of an untrimmed file stays as it always was.
    row.wholeFileEndSeconds = WholeFileEndSeconds(probed);
    row.trimEndSeconds = row.wholeFileEndSeconds;
    return static_cast<int>(rows_.size()) - 1;
}

bool FileTable::Remove(int row) {
    std::lock_guard lock(mutex_);
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return false;
    rows_.erase(rows_.begin() + row);
    return true;
}

void FileTable::Clear() {
    std::lock_guard lock(mutex_);
    rows_.clear();
}

template <typename Change> bool FileTable::Update(int row, Change change) {
    std::lock_guard lock(mutex_);
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return false;
    change(rows_[static_cast<std::size_t>(row)]);
    return true;
}

bool FileTable::SetChecked(int row, bool checked) {
    return Update(row, [checked](FileRow& r) { r.checked = checked; });
}

bool FileTable::SetTrim(int row, int startSeconds, int endSeconds) {
    return Update(row, [=](FileRow& r) {
        r.trimStartSeconds = startSeconds;
        r.trimEndSeconds = endSeconds;
    });
}

bool FileTable::SetState(int row, RowState state) {
    return Update(row, [state](FileRow& r) { r.state = state; });
}

bool FileTable::SetPercent(int row, int percent) {
    return Update(row, [percent](FileRow& r) { r.percent = percent; });
}

bool FileTable::SetOutputPath(int row, const std::string& path) {
    return Update(row, [&path](FileRow& r) { r.outputPath = path; });
}

bool FileTable::SetReason(int row, const std::string& reason, const std::string& label) {
    return Update(row, [&](FileRow& r) {
        r.reason = reason;
        r.label = label;
    });
}

bool FileTable::SetFigures(int row, const ProgressFigures& figures) {
    return Update(row, [&figures](FileRow& r) { r.figures = figures; });
}

} // namespace kiv
