#pragma once
// The main window's file list as the rows of a batch: the check boxes and
// the Start/End columns are read live (a row unchecked during the batch is
// skipped), the status cell turns into a progress cell, and failures are
// told in the window's message boxes. Called on the batch's thread; every
// list call it makes is one of the list's thread-safe ones.

#include "BatchLoop.h"

#include <QString>
#include <QWidget>

#include <array>
#include <atomic>

namespace kiv {

class CXListCtrl;

class WindowRows : public BatchRows {
public:
    WindowRows(QWidget* window, CXListCtrl& list, ConversionJob* jobs, int jobCount,
               std::atomic<int>& currentRow);

    int RowCount() override;
    bool IsChecked(int row) override;
    ConversionJob& Job(int row) override;
    std::string TrimStart(int row) override;
    std::string TrimEnd(int row) override;

    void BeginRow(int row) override;
    void SourceMissing(int row, const std::string& sourcePath) override;
    void RowFailed(int row, const std::string& reason) override;
    void RowFinished(int row, const std::string& outputPath) override;
    void RowStopped(int row, const std::string& partialPath) override;

    int FinishedCount() const { return finished_; }
    const QString& LastFailure() const { return lastFailure_; }
    // The window is going away: no further row starts and no message box
    // is shown.
    void Silence() { silent_ = true; }

private:
    QWidget* window_; // outlives the batch: the window joins it before it goes
    CXListCtrl& list_;
    ConversionJob* jobs_;
    int jobCount_;
    std::atomic<int>& currentRow_;
    std::atomic<int> finished_{0};
    std::atomic<bool> silent_{false};
    QString lastFailure_;
};

// "Convert fail! Please send the log file "<log>" to <address>", and the
// reason on a line of its own.
QString ConvertFailMessage(const std::string& reason);

} // namespace kiv
