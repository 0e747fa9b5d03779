#pragma once
// The batch: the checked rows of a list converted one after another with the
// same rules in every front end (the window over its file list, kiv-convert
// over its file arguments).

#include "CEncoderCntl.h"
#include "MediaProfile.h"
#include "runs/BatchSummary.h"
#include "runs/JobBuilder.h"

#include <optional>
#include <set>
#include <string>

namespace kiv {

// Why a row failed: the reason in one line, and what kind of failure it
// is (a front end shows a file without sound in its own words).
enum class FailureKind {
    Other,
    NoSound, // an audio-only profile was given a file without sound
};

struct RowFailure {
    std::string reason;
    FailureKind kind = FailureKind::Other;
};

// The part of a row's source to convert, in whole seconds.
struct TrimRange {
    int startSeconds = 0;
    std::optional<int> endSeconds; // none: to the end of the file
};

// Where the batch stands while a row converts.
struct BatchPosition {
    int fileNumber = 0;  // the running row's place among the batch's files, from 1
    int fileCount = 0;   // the files this batch converts, as far as known now
    double fraction = 0; // of the whole batch's media, 0 to 1
};

// What the batch asks of its rows. Called on the batch's thread; the window
// marshals each call to its list.
class BatchRows {
public:
    virtual ~BatchRows() = default;
    // Read again before every row: rows may be checked or unchecked while
    // the batch runs.
    virtual int RowCount() = 0;
    virtual bool IsChecked(int row) = 0;
    // A copy of the row's job as the probe filled it, done when the row
    // needs no conversion; the batch completes its own copy.
    virtual ConversionJob Job(int row) = 0;
    virtual TrimRange Trim(int row) = 0;

    // The row's conversion begins; progress now goes to this row.
    virtual void BeginRow(int row) = 0;
    // The running row's time-left figures and where the batch stands: once
    // as the row begins, then for every status line of the encoder.
    virtual void RowProgress(int row, const ProgressFigures& figures, const BatchPosition& batch) {
        (void)row, (void)figures, (void)batch;
    }
    // The row's source file is gone; the row stays waiting. The batch ends
    // unless it goes on after failures (BatchPlan).
    virtual void SourceMissing(int row, const std::string& sourcePath) = 0;
    // The row failed (it is done). The batch ends unless it goes on after
    // failures, or the failure is a file without sound for a profile that
    // makes sound only: the rows after it have nothing to do with it.
    virtual void RowFailed(int row, const RowFailure& failure) = 0;
    // The row's output is written. warning is empty when it is whole; else
    // it says where the source really ends (its output came out much
    // shorter than the source said it was): "the source ends at 0:03 of
    // 0:08".
    virtual void RowFinished(int row, const std::string& outputPath,
                             const std::string& warning) = 0;
    // A stop ended the row and the batch. partialPath names what the encoder
    // wrote before it stopped, under a name that shows it is incomplete (an
    // earlier file of the output's own name stays as it was); it is empty
    // when nothing was written. Either way the row is not done: the next
    // batch converts it again from the start.
    virtual void RowStopped(int row, const std::string& partialPath) = 0;
};

// What every row of a batch shares.
struct BatchPlan {
    MediaProfile profile; // the working profile
    int targetKind = 0;
    std::string outputFolder;
    std::string inputScriptPath;
    ProfileChoices choices{}; // the working profile's tracks rule and picture filters
    // kiv-convert goes on with the next file after a failure; the window's
    // batch ends there (its user sees why first).
    bool goOnAfterFailure = false;
    // Files converted at once, each by an encoder process of its own:
    // kFilesAtOnceAutomatic (FilesAtOnce.h) lets the batch choose.
    int filesAtOnce = 1;
    // Outputs already there that no row may replace (those of files a run
    // skips as done); a row whose name clashes gets " (2)", as after a row
    // of this batch.
    std::set<std::string> outputsToKeep{};
};

// A row's plan for PrepareJobForConversion: the range as the job record's
// time texts ("%02d:%02d:%02d"; no end text for the whole file).
JobPlan RowJobPlan(const BatchPlan& plan, const TrimRange& trim);

// True for the kinds that make sound only.
bool IsSoundOnlyKind(int targetKind);

// The warning for an output of outputSeconds made of the part of a source
// from startSeconds to endSeconds (its probed length, or the trim's end):
// "the source ends at 0:03 of 0:08" when the output is more than 2 s and
// 5 % shorter than that part; empty otherwise.
std::string ShortOutputWarning(double startSeconds, double endSeconds, double outputSeconds);

// Converts every checked row that is not done, rows beginning in list
// order, as many at once as the plan says (each row's progress and end are
// told on the thread that converts it). A failure that ends the batch lets
// the rows that run finish. A row whose
// profile makes sound only and whose file has none fails at once, without
// running the encoder. Outputs the
// batch writes are never replaced by later rows of the same batch. A stop
// (CEncoderCntl::StopConvert) ends the batch: the running rows end early,
// and one that comes between two rows stops the next before it starts. A
// pause (CEncoderCntl::PauseConvert) holds the running rows and every row
// that starts until it is resumed.
BatchReport RunBatch(CEncoderCntl& controller, BatchRows& rows, const BatchPlan& plan);

} // namespace kiv
