#pragma once
// The rows of the main window's file list, one per added file in list
// order: the one record of each row's source, probed facts, part to convert,
// check box and state. The list control follows it (FileListView), the batch
// reads it, and the kept list saves it.
//
//     FileTable table;
//     connect(&table, &FileTable::trimChanged, view, ...);
//     table.SetTrim(row, 5, 60);  // trimChanged(row), once the row holds it
//
// An added file shows at once as a row being read (AppendReading); once its
// probe is done the row gets what it learnt (SetRead, then rowRead), or goes
// (Remove) when the file cannot be converted. Each row keeps one id for its
// life, so a probe's answer finds its row however the rows moved meanwhile.
//
// Every change is announced by a signal once the table holds it, and only
// when something changed: setting a row to what it holds says nothing.
//
// Threads: rows are changed on the GUI thread only (adding, removing, the
// check boxes, Split, and the batch's events once they reach that thread),
// and the signals come on it, after the lock is let go. Any thread may
// read: every call takes the table's lock and readers get copies, so the
// batch thread reads a row while the GUI thread works.

#include "ConversionJob.h"
#include "process/ProgressEstimator.h"

#include <QObject>

#include <cstdint>
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
    Reading,       // added: its file is being read (length, picture, streams not known yet)
};

bool IsDone(RowState state);

struct FileRow {
    std::uint64_t id = 0;    // the table's name for the row, the same all its life
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

// The row a probed job gets when it is added: checked, ready, the whole
// file to convert.
FileRow NewFileRow(const ConversionJob& probed);
// The row of a file still being read: checked, its path alone known.
FileRow NewReadingRow(const std::string& path);

class FileTable : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxRows = 30;

    explicit FileTable(QObject* parent = nullptr) : QObject(parent) {}

    // Reading, from any thread.
    int RowCount() const;
    // A copy of the row; a default row outside the table.
    FileRow Row(int row) const;
    bool HasCheckedRow() const;
    // The row with this id now, or -1 when it is gone.
    int IndexOf(std::uint64_t id) const;

    // Changing, on the GUI thread.
    // Appends NewFileRow(probed). Returns its index, or -1 when the table
    // is full.
    int Append(const ConversionJob& probed);
    // Appends a whole row as it was kept, under a new id; -1 when the table
    // is full.
    int AppendRow(const FileRow& row);
    // Appends NewReadingRow(path); -1 when the table is full.
    int AppendReading(const std::string& path);
    // A row being read gets what the probe learnt: its duration and whole
    // file to convert, ready; its check box stays as the user left it.
    // False for a row that is not being read.
    bool SetRead(int row, const ConversionJob& probed);
    // The rows behind move up one place.
    bool Remove(int row);
    void Clear();
    // Each setter returns true when the row changed (and its signal came).
    bool SetChecked(int row, bool checked);
    bool SetTrim(int row, int startSeconds, int endSeconds);
    bool SetState(int row, RowState state);
    bool SetPercent(int row, int percent);
    bool SetOutputPath(int row, const std::string& path);
    bool SetReason(int row, const std::string& reason, const std::string& label = {});
    bool SetFigures(int row, const ProgressFigures& figures);
    // The tracks the user chose for the file (TracksDlg); chosen 0: the
    // batch's rule.
    bool SetTrackPicks(int row, const TrackPicks& picks);

signals:
    void rowAppended(int row);
    // A row being read has what its probe learnt (duration, trim, state).
    void rowRead(int row);
    // The rows behind it have moved up one place.
    void rowRemoved(int row);
    void cleared();
    void checkChanged(int row);
    void trimChanged(int row);
    void tracksChanged(int row);
    // Its state or its output changed.
    void stateChanged(int row);
    // Its percentage or its time-left figures changed.
    void progressChanged(int row);

private:
    // Applies change to the row under the lock; true when it changed it.
    template <typename Change> bool Update(int row, Change change);

    mutable std::mutex mutex_;
    std::vector<FileRow> rows_;
    std::uint64_t lastId_ = 0;
};

} // namespace kiv
