// Start, Stop and the end of a batch in the main window. The batch itself
// runs in WindowBatch; the window shows its rows as they change and deals
// with its end.

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

#include <QCheckBox>

namespace kiv {

namespace {

QString ConvertedText(int count) {
    return count == 1 ? QStringLiteral("1 file converted")
                      : QStringLiteral("%1 files converted").arg(count);
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
    connect(batch, &WindowBatch::batchEnded, this, &CKivVideoConverterDlg::OnBatchEnded);
}

void CKivVideoConverterDlg::OnStart() {
    if (busy_)
        return;
    if (!table_.HasCheckedRow()) {
        ShowMessage(this, QStringLiteral("Warning"),
                    QStringLiteral("There is no selected file in list! "), MessageIcon::Warning);
        return;
    }
    busy_ = true;
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

void CKivVideoConverterDlg::OnBatchEnded(BatchEnd end) {
    // A user who switched to another window learns the batch is over.
    if (!isActiveWindow() && end != BatchEnd::Stopped)
        NotifyDesktop(QStringLiteral("Kiv Video Converter"),
                      end == BatchEnd::Finished ? ConvertedText(batch_->FinishedCount())
                                                : batch_->LastFailure());
    if (end == BatchEnd::Finished) {
        if (shutdownBox_->isChecked()) {
            ShutDownComputer(this);
        } else {
            ShowMessage(this, QStringLiteral("Info"), QStringLiteral("Encoding Finish!"),
                        MessageIcon::Information);
            if (openFolderBox_->isChecked())
                OpenFolder(outputFolder_);
        }
    }
    EnableControls(true);
    busy_ = false;
    emit batchEnded();
}

} // namespace kiv
