// Start, Pause, Stop and the end of a batch in the main window. The batch
// itself runs in WindowBatch; the window shows its rows as they change, the
// whole batch in its title and on the task bar, and deals with its end.

#include "MainDlg.h"

#include "CXListCtrl.h"
#include "Catalogue.h"
#include "DesktopNotification.h"
#include "DirectoryTree.h"
#include "FileListView.h"
#include "MessageBoxes.h"
#include "OpenFolder.h"
#include "Paths.h"
#include "PowerOff.h"
#include "WindowBatch.h"
#include "runs/BatchSummary.h"

#include <QCheckBox>

#include <vector>

namespace kiv {

namespace {

bool IsWaiting(const FileRow& row) {
    return row.checked && !IsDone(row.state);
}

} // namespace

void CKivVideoConverterDlg::ConnectBatch() {
    WindowBatch* batch = batch_.get();
    connect(batch, &WindowBatch::rowStarted, this, [this](int row) {
        listView_->ShowStatus(row);
        list_->SelectRow(row); // the other rows keep their selection
    });
    connect(batch, &WindowBatch::rowProgress, listView_, &FileListView::ShowStatus);
    connect(batch, &WindowBatch::rowFinished, listView_,
            [view = listView_](int row) { view->ShowStatus(row); });
    connect(batch, &WindowBatch::batchProgress, this, &CKivVideoConverterDlg::ShowBatchPosition);
    connect(batch, &WindowBatch::pausedChanged, this, &CKivVideoConverterDlg::ShowPaused);
    connect(batch, &WindowBatch::batchEnded, this, &CKivVideoConverterDlg::OnBatchEnded);
}

bool CKivVideoConverterDlg::ConvertAgainIfAllDone() {
    std::vector<int> done;
    for (int row = 0; row < table_.RowCount(); ++row) {
        const FileRow r = table_.Row(row);
        if (IsWaiting(r))
            return true;
        if (r.checked)
            done.push_back(row);
    }
    if (!AskYesNo(this, QStringLiteral("Info"),
                  QStringLiteral("Every checked file has been converted already.\n"
                                 "Convert them again?")))
        return false;
    for (int row : done) {
        table_.SetState(row, RowState::Ready);
        listView_->ShowStatus(row);
    }
    return true;
}

void CKivVideoConverterDlg::OnStart() {
    if (busy_)
        return;
    if (!table_.HasCheckedRow()) {
        ShowMessage(this, QStringLiteral("Warning"),
                    QStringLiteral("There is no selected file in list! "), MessageIcon::Warning);
        return;
    }
    if (!ConvertAgainIfAllDone())
        return;
    busy_ = true;
    batchPosition_ = {};
    MakeDirectoryPath(outputFolder_.toStdString()); // a failure shows with the first row
    EnableControls(false);

    BatchPlan plan;
    plan.profile = workingProfile_;
    const ProfileCategory* category = GetCategory(selection_.Kind);
    plan.targetKind = category ? category->Target : 0;
    plan.outputFolder = outputFolder_.toStdString();
    plan.inputScriptPath = InputScriptPath();
    batch_->Start(plan);
}

void CKivVideoConverterDlg::OnStop() {
    batch_->Stop();
}

void CKivVideoConverterDlg::OnPause() {
    if (!busy_)
        return;
    if (batch_->IsPaused())
        batch_->Resume();
    else
        batch_->Pause();
}

// "2 of 3 · 45 % — Kiv Video Converter": the file that converts, and how
// much of the whole batch's media is done.
QString CKivVideoConverterDlg::BusyTitle() const {
    QString title = QStringLiteral("%1 of %2 · %3 %")
                        .arg(batchPosition_.fileNumber)
                        .arg(batchPosition_.fileCount)
                        .arg(static_cast<int>(batchPosition_.fraction * 100));
    if (batch_->IsPaused())
        title += QStringLiteral(" · Paused");
    return title + QStringLiteral(" — ") + ProductName();
}

void CKivVideoConverterDlg::ShowBatchPosition(const BatchPosition& position) {
    if (!busy_)
        return;
    batchPosition_ = position;
    setWindowTitle(BusyTitle());
    taskbar_.Show(position.fraction);
}

void CKivVideoConverterDlg::ShowPaused(bool paused) {
    SetPauseButtonLook(paused);
    if (busy_ && batchPosition_.fileCount > 0)
        setWindowTitle(BusyTitle());
}

void CKivVideoConverterDlg::OnBatchEnded(const BatchReport& report) {
    taskbar_.Hide();
    setWindowTitle(Caption());
    // What happened, in the words kiv-convert uses too.
    const QString summary = QString::fromStdString(BatchSummary(report));
    // A user who switched to another window learns the batch is over; one
    // who pressed Stop knows.
    if (!isActiveWindow() && report.end != BatchEnd::Stopped)
        NotifyDesktop(QStringLiteral("Kiv Video Converter"),
                      report.end == BatchEnd::Finished ? summary : batch_->LastFailure());
    // Rows that failed alone or came out short are named at the end.
    QString finished = QStringLiteral("Encoding Finish!\n") + summary;
    for (const QString& note : batch_->Notes())
        finished += QLatin1Char('\n') + note;
    if (report.end == BatchEnd::Finished) {
        if (shutdownBox_->isChecked()) {
            ShutDownComputer(this);
        } else {
            ShowMessage(this, QStringLiteral("Info"), finished, MessageIcon::Information);
            if (openFolderBox_->isChecked())
                OpenFolder(outputFolder_);
        }
    } else if (report.end == BatchEnd::Stopped) {
        ShowMessage(this, QStringLiteral("Info"), finished, MessageIcon::Information);
    }
    EnableControls(true);
    busy_ = false;
    emit batchEnded();
}

} // namespace kiv
