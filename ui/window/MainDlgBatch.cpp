// Start, Pause, Stop and the end of a batch in the main window. The batch
// itself runs in WindowBatch; the list follows its rows through the table,
// and BatchPresenter shows the whole batch and its end.

#include "MainDlg.h"

#include "BatchPresenter.h"
#include "DirectoryTree.h"
#include "FileListCommands.h"
#include "MainWindowControls.h"
#include "MessageBoxes.h"
#include "Paths.h"
#include "WindowBatch.h"

#include <vector>

namespace kiv {

bool CKivVideoConverterDlg::ConvertAgainIfAllDone() {
    std::vector<int> done;
    for (int row = 0; row < table_.RowCount(); ++row) {
        const FileRow r = table_.Row(row);
        if (r.checked && !IsDone(r.state))
            return true;
        if (r.checked)
            done.push_back(row);
    }
    if (!AskYesNo(this, tr("Info"),
                  tr("Every checked file has been converted already.\n"
                     "Convert them again?")))
        return false;
    for (int row : done)
        table_.SetState(row, RowState::Ready);
    return true;
}

void CKivVideoConverterDlg::OnStart() {
    if (busy_)
        return;
    if (!table_.HasCheckedRow()) {
        ShowMessage(this, tr("Warning"), tr("There is no selected file in list! "),
                    MessageIcon::Warning);
        return;
    }
    if (!ConvertAgainIfAllDone())
        return;
    busy_ = true;
    listCommands_->SetBatchRunning(true);
    presenter_->Begin(outputFolder_);
    MakeDirectoryPath(outputFolder_.toStdString()); // a failure shows with the first row
    EnableControls(false);

    BatchPlan plan;
    plan.profile = workingProfile_;
    plan.targetKind = CurrentTargetKind();
    plan.outputFolder = outputFolder_.toStdString();
    plan.inputScriptPath = InputScriptPath();
    plan.filesAtOnce = ChosenFilesAtOnce(*ui_.filesAtOnce);
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

void CKivVideoConverterDlg::OnBatchEnded(const BatchReport& report) {
    presenter_->ShowEnd(report);
    EnableControls(true);
    busy_ = false;
    listCommands_->SetBatchRunning(false);
    emit batchEnded();
}

} // namespace kiv
