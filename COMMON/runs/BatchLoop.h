#pragma once
// The batch: the checked rows of a list converted one after another with the
// same rules in every front end (the window over its file list, kiv-convert
// over its file arguments).

#include "CEncoderCntl.h"
#include "MediaProfile.h"
#include "runs/BatchSummary.h"
#include "runs/JobBuilder.h"

#include <optional>
#include <string>

namespace kiv {

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
    // The row's source file is gone; the batch ends and the row stays waiting.
    virtual void SourceMissing(int row, const std::string& sourcePath) = 0;
    // The row failed (it is done); the batch ends.
    virtual void RowFailed(int row, const std::string& reason) = 0;
    // The row's output is written whole.
    virtual void RowFinished(int row, const std::string& outputPath) = 0;
    // A stop ended the row and the batch. partialPath names what the encoder
    // wrote before it stopped, renamed to show it is incomplete; it is empty
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
};

// A row's plan for PrepareJobForConversion: the range as the job record's
// time texts ("%02d:%02d:%02d"; no end text for the whole file).
JobPlan RowJobPlan(const BatchPlan& plan, const TrimRange& trim);

// Converts every checked row that is not done, in list order. Outputs the
// batch writes are never replaced by later rows of the same batch. A stop
// (CEncoderCntl::StopConvert) ends the batch: the running row ends early,
// and one that comes between two rows stops the next before it starts. A
// pause (CEncoderCntl::PauseConvert) holds the running row and every row
// that starts until it is resumed.
BatchReport RunBatch(CEncoderCntl& controller, BatchRows& rows, const BatchPlan& plan);

} // namespace kiv
