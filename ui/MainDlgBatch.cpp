// Start, Stop and the end of a batch in the main window. The batch runs on
// a thread of its own at low priority (its encoders keep normal priority);
// it reaches the list only through the list's thread-safe calls and the
// message boxes through blocking calls to the GUI thread, which never waits
// for it meanwhile.

#include "MainDlg.h"

#include "CDisableScreenSave.h"
#include "CXListCtrl.h"
#include "Catalogue.h"
#include "DesktopNotification.h"
#include "DirectoryTree.h"
#include "MessageBoxes.h"
#include "OpenFolder.h"
#include "Paths.h"
#include "PowerOff.h"
#include "WindowRows.h"

#include <QApplication>
#include <QCheckBox>

#include <sys/resource.h>
#include <unistd.h>

namespace kiv {

namespace {

// The batch thread yields to everything else; it mostly waits for enc.
void LowerThisThreadsPriority() {
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);
}

QString ConvertedText(int count) {
    return count == 1 ? QStringLiteral("1 file converted")
                      : QStringLiteral("%1 files converted").arg(count);
}

} // namespace

bool CKivVideoConverterDlg::HasCheckedRow() const {
    for (int row = 0; row < list_->RowCount(); ++row) {
        if (list_->GetCellCheck(row, 0) != 0)
            return true;
    }
    return false;
}

void CKivVideoConverterDlg::OnStart() {
    if (busy_ || worker_.joinable())
        return;
    if (!HasCheckedRow()) {
        ShowMessage(this, QStringLiteral("Warning"),
                    QStringLiteral("There is no selected file in list! "), MessageIcon::Warning);
        return;
    }
    busy_ = 1;
    MakeDirectoryPath(outputFolder_.toStdString()); // a failure shows with the first row
    EnableControls(false);
    screenSaver_ = std::make_unique<CDisableScreenSave>();

    BatchPlan plan;
    plan.profile = workingProfile_;
    const ProfileCategory* category = GetCategory(selection_.Kind);
    plan.targetKind = category ? category->Target : 0;
    plan.outputFolder = outputFolder_.toStdString();
    plan.inputScriptPath = InputScriptPath();
    rows_ = std::make_unique<WindowRows>(this, *list_, jobs_.data(), kMaxJobs, currentRow_);
    workerDone_ = false;
    worker_ = std::thread([this, plan] {
        LowerThisThreadsPriority();
        BatchEnd end = RunBatch(controller_, *rows_, plan).end;
        workerDone_ = true;
        QMetaObject::invokeMethod(
            this, [this, end] { OnBatchEnded(end); }, Qt::QueuedConnection);
    });
}

void CKivVideoConverterDlg::OnStop() {
    controller_.StopConvert();
}

void CKivVideoConverterDlg::OnBatchEnded(BatchEnd end) {
    if (worker_.joinable())
        worker_.join();
    int finished = rows_ ? rows_->FinishedCount() : 0;
    // A user who switched to another window learns the batch is over.
    if (!isActiveWindow() && end != BatchEnd::Stopped)
        NotifyDesktop(QStringLiteral("Kiv Video Converter"),
                      end == BatchEnd::Finished ? ConvertedText(finished) : rows_->LastFailure());
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
    busy_ = 0;
    screenSaver_.reset();
    emit batchEnded();
}

// Only when the program goes away under a running batch: the batch is ended
// at once and waited for while its last calls to this thread are served.
void CKivVideoConverterDlg::EndBatchNow() {
    if (!worker_.joinable())
        return;
    rows_->Silence();
    controller_.AbortConvert();
    while (!workerDone_)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    worker_.join();
}

} // namespace kiv
