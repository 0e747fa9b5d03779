#pragma once
// The rows of the main window's file list, one per added file in list
// order: the one record of each row's source, probed facts, part to convert,
// check box and state. The list control shows it; the batch reads it.
//
// Threads: rows are changed on the GUI thread only (adding, removing, the
// check boxes, Split, and the batch's events once they reach that thread).
// Any thread may read: every call takes the table's lock and readers get
// copies, so the batch thread reads a row while the GUI thread works.

#include "ConversionJob.h"
#include "process/ProgressEstimator.h"

#include <mutex>
#include <string>
#include <vector>

namespace kiv {

// Where a row stands. A row is done once converted or failed: a batch
// converts it again only when the user asks for it at Start.
enum class RowState {
    Ready,         // added, or a stop came before it wrote anything; waits for a batch
    Converting,    // its conversion runs
    Converted,     // its output was written (outputPath)
    Failed,        // its conversion failed
    SourceMissing, // its source was gone when the batch reached it
    Stopped,       // a stop cut it short; what it wrote is kept (outputPath)
};

bool IsDone(RowState state);

struct FileRow {
    ConversionJob job{};     // the probe's result: source half, path, stream flags
    int durationSeconds = 0; // the duration shown: the file's length, rounded
    int trimStartSeconds = 0;
    int trimEndSeconds = 0; // the part to convert; the whole file when added
    // The trim end that means the whole file (WholeFileEndSeconds): an end
    // there or beyond shows as the duration.
    int wholeFileEndSeconds = 0;
    bool checked = true;
    RowState state = RowState::Ready;
    int percent = 0;        // the progress shown from the row's first conversion on
    std::string outputPath; // what the last conversion wrote, whole or partial
    // Why the last conversion failed, or what to know of its output (a
    // source that ends early); label: the few words the state cell adds
    // ("no sound").
    std::string reason, label;
    ProgressFigures figures; // of its running conversion: time left, speed

    std::string SourcePath() const;
    // The End Time shown.
    int ShownEndSeconds() const;
    // The source's video duration in whole seconds, as Split is given it.
    int VideoSeconds() const;
};

class FileTable {
public:
    static constexpr int kMaxRows = 30;

    // Reading, from any thread.
    int RowCount() const;
    // A copy of the row; a default row outside the table.
    FileRow Row(int row) const;
    bool HasCheckedRow() const;

    // Changing, on the GUI thread.
    // Appends a row for a probed job: checked, ready, the whole file to
    // convert. Returns its index, or -1 when the table is full.
    int Append(const ConversionJob& probed);
    // The rows behind move up one place.
    bool Remove(int row);
    void Clear();
    bool SetChecked(int row, bool checked);
    bool SetTrim(int row, int startSeconds, int endSeconds);
    bool SetState(int row, RowState state);
    bool SetPercent(int row, int percent);
    bool SetOutputPath(int row, const std::string& path);
    bool SetReason(int row, const std::string& reason, const std::string& label = {});
    bool SetFigures(int row, const ProgressFigures& figures);

private:
    template <typename Change> bool Update(int row, Change change);

    mutable std::mutex mutex_;
    std::vector<FileRow> rows_;
};

} // namespace kiv
