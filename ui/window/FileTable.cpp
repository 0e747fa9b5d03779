#include "FileTable.h"

#include "FixedText.h"
#include "runs/JobBuilder.h"

#include <algorithm>
#include <cstring>

namespace kiv {

namespace {

// Sets a field and tells whether it changed.
template <typename T> bool Assign(T& field, const T& value) {
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

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

int FileTable::IndexOf(std::uint64_t id) const {
    std::lock_guard lock(mutex_);
    const auto found =
        std::find_if(rows_.begin(), rows_.end(), [id](const FileRow& r) { return r.id == id; });
    return found == rows_.end() ? -1 : static_cast<int>(found - rows_.begin());
}

FileRow NewReadingRow(const std::string& path) {
    FileRow row;
    SetText(row.job.sourcePath, path);
    row.state = RowState::Reading;
    return row;
}

FileRow NewFileRow(const ConversionJob& probed) {
    FileRow row;
    row.job = probed;
    row.durationSeconds = DisplayedDurationSeconds(probed);
    // The command line of an untrimmed file stays as it always was.
    row.wholeFileEndSeconds = WholeFileEndSeconds(probed);
    row.trimEndSeconds = row.wholeFileEndSeconds;
    return row;
}

int FileTable::Append(const ConversionJob& probed) {
    return AppendRow(NewFileRow(probed));
}

int FileTable::AppendRow(const FileRow& row) {
    int index = -1;
    {
        std::lock_guard lock(mutex_);
        if (static_cast<int>(rows_.size()) >= kMaxRows)
            return -1;
        rows_.push_back(row);
        rows_.back().id = ++lastId_;
        index = static_cast<int>(rows_.size()) - 1;
    }
    emit rowAppended(index);
    return index;
}

int FileTable::AppendReading(const std::string& path) {
    return AppendRow(NewReadingRow(path));
}

bool FileTable::SetRead(int row, const ConversionJob& probed) {
    if (!Update(row, [&probed](FileRow& r) {
            if (r.state != RowState::Reading)
                return false;
            FileRow read = NewFileRow(probed);
            read.id = r.id;
            read.checked = r.checked;
            r = std::move(read);
            return true;
        }))
        return false;
    emit rowRead(row);
    return true;
}

bool FileTable::Remove(int row) {
    {
        std::lock_guard lock(mutex_);
        if (row < 0 || row >= static_cast<int>(rows_.size()))
            return false;
        rows_.erase(rows_.begin() + row);
    }
    emit rowRemoved(row);
    return true;
}

void FileTable::Clear() {
    {
        std::lock_guard lock(mutex_);
        if (rows_.empty())
            return;
        rows_.clear();
    }
    emit cleared();
}

template <typename Change> bool FileTable::Update(int row, Change change) {
    std::lock_guard lock(mutex_);
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return false;
    return change(rows_[static_cast<std::size_t>(row)]);
}

bool FileTable::SetTrackPicks(int row, const TrackPicks& picks) {
    auto change = [&picks](FileRow& r) {
        if (std::memcmp(&r.job.choices.picks, &picks, sizeof picks) == 0)
            return false;
        r.job.choices.picks = picks;
        return true;
    };
    if (!Update(row, change))
        return false;
    emit tracksChanged(row);
    return true;
}

bool FileTable::SetChecked(int row, bool checked) {
    if (!Update(row, [checked](FileRow& r) { return Assign(r.checked, checked); }))
        return false;
    emit checkChanged(row);
    return true;
}

bool FileTable::SetTrim(int row, int startSeconds, int endSeconds) {
    if (!Update(row, [=](FileRow& r) {
            const bool start = Assign(r.trimStartSeconds, startSeconds);
            return Assign(r.trimEndSeconds, endSeconds) || start;
        }))
        return false;
    emit trimChanged(row);
    return true;
}

bool FileTable::SetState(int row, RowState state) {
    if (!Update(row, [state](FileRow& r) { return Assign(r.state, state); }))
        return false;
    emit stateChanged(row);
    return true;
}

bool FileTable::SetPercent(int row, int percent) {
    if (!Update(row, [percent](FileRow& r) { return Assign(r.percent, percent); }))
        return false;
    emit progressChanged(row);
    return true;
}

bool FileTable::SetOutputPath(int row, const std::string& path) {
    if (!Update(row, [&path](FileRow& r) { return Assign(r.outputPath, path); }))
        return false;
    emit stateChanged(row);
    return true;
}

bool FileTable::SetReason(int row, const std::string& reason, const std::string& label) {
    if (!Update(row, [&](FileRow& r) {
            const bool why = Assign(r.reason, reason);
            return Assign(r.label, label) || why;
        }))
        return false;
    emit stateChanged(row);
    return true;
}

bool FileTable::SetFigures(int row, const ProgressFigures& figures) {
    // Figures come with every status line; they always count as a change.
    if (!Update(row, [&figures](FileRow& r) {
            r.figures = figures;
            return true;
        }))
        return false;
    emit progressChanged(row);
    return true;
}

} // namespace kiv
