#include "WindowRows.h"

#include "CXListCtrl.h"
#include "Log.h"
#include "MakerTexts.h"
#include "MessageBoxes.h"
#include "Paths.h"

#include <algorithm>

namespace kiv {

namespace {
constexpr int kStatusColumn = 5;
}

QString ConvertFailMessage(const std::string& reason) {
    // The log the engine really writes, wherever it lives.
    std::string log = OpenLogPath();
    if (log.empty())
        log = LogFilePath();
    QString text = QStringLiteral("Convert fail! Please send the log file \"%1\" to %2")
                       .arg(QString::fromStdString(log), QString::fromLatin1(kSupportAddress));
    if (!reason.empty())
        text += QLatin1Char('\n') + QString::fromStdString(reason);
    return text;
}

WindowRows::WindowRows(QWidget* window, CXListCtrl& list, ConversionJob* jobs, int jobCount,
                       std::atomic<int>& currentRow)
    : window_(window), list_(list), jobs_(jobs), jobCount_(jobCount), currentRow_(currentRow) {}

int WindowRows::RowCount() {
    return std::min(list_.RowCount(), jobCount_);
}

bool WindowRows::IsChecked(int row) {
    return !silent_ && list_.GetCellCheck(row, 0) == 1;
}

ConversionJob& WindowRows::Job(int row) {
    return jobs_[row];
}

std::string WindowRows::TrimStart(int row) {
    return list_.CellText(row, 3).toStdString();
}

std::string WindowRows::TrimEnd(int row) {
    return list_.CellText(row, 4).toStdString();
}

void WindowRows::BeginRow(int row) {
    currentRow_ = row;
    list_.ShowCellProgress(row, kStatusColumn, true);
    list_.SetCellProgress(row, kStatusColumn, 0);
    list_.SelectRow(row);
}

void WindowRows::SourceMissing(int, const std::string& sourcePath) {
    lastFailure_ = QStringLiteral("%1 not exist!").arg(QString::fromStdString(sourcePath));
    if (!silent_)
        ShowMessage(window_, QStringLiteral("Error"), lastFailure_, MessageIcon::NoIcon);
}

void WindowRows::RowFailed(int, const std::string& reason) {
    lastFailure_ = ConvertFailMessage(reason);
    if (!silent_)
        ShowMessage(window_, QStringLiteral("Error"), lastFailure_, MessageIcon::Critical);
}

void WindowRows::RowFinished(int, const std::string&) {
    ++finished_;
}

// Nothing was written: the row stays waiting with its bar at 0, as a row
// whose source was missing does, and the next Start converts it.
void WindowRows::RowStopped(int, const std::string&) {}

} // namespace kiv
