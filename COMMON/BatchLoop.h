#pragma once
// The batch: the checked rows of a list converted one after another with the
// same rules in every front end (the window over its file list, kiv-convert
// over its file arguments).

#include "CEncoderCntl.h"
#include "MediaProfile.h"

#include <string>

namespace kiv {

// What the batch asks of its rows. Called on the batch's thread; the window
// marshals each call to its list.
class BatchRows {
public:
    virtual ~BatchRows() = default;
    // Read again before every row: rows may be checked or unchecked while
    // the batch runs.
    virtual int RowCount() = 0;
    virtual bool IsChecked(int row) = 0;
    // The row's job; the batch completes it and sets its done flag.
    virtual ConversionJob& Job(int row) = 0;
    // The row's trim texts ("%02d:%02d:%02d"; empty for the whole file).
    virtual std::string TrimStart(int row) = 0;
    virtual std::string TrimEnd(int row) = 0;

    // The row's conversion begins; progress now goes to this row.
    virtual void BeginRow(int row) = 0;
    // The row's source file is gone; the batch ends and the row stays waiting.
    virtual void SourceMissing(int row, const std::string& sourcePath) = 0;
    // The row failed (it is done); the batch ends.
    virtual void RowFailed(int row, const std::string& reason) = 0;
    // The row's output is written (after a stop, what the encoder kept).
    virtual void RowFinished(int row, const std::string& outputPath) = 0;
    // A stop ended the row before anything was written; the row stays
    // waiting and the batch ends.
    virtual void RowStopped(int row) = 0;
};

// What every row of a batch shares.
struct BatchPlan {
    MediaProfile profile; // the working profile
    int targetKind = 0;
    std::string outputFolder;
    std::string inputScriptPath;
};

enum class BatchEnd {
    Finished,      // every row was visited
    SourceMissing, // a row's source file was gone
    Failed,        // a row failed
    Stopped,       // a stop ended a row before it wrote anything
};

// Converts every checked row that is not done, in list order. Outputs the
// batch writes are never replaced by later rows of the same batch. A stop
// (CEncoderCntl::StopConvert) ends the running row early; one that comes
// between two rows stops the next.
BatchEnd RunBatch(CEncoderCntl& controller, BatchRows& rows, const BatchPlan& plan);

} // namespace kiv
