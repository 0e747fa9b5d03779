// The file list's commands: adding files (read on the adder's thread, rows
// added here), removing one row, clearing the list, the "Pop" menu.

#include "CButtonST.h"
#include "CXListCtrl.h"
#include "FileAdder.h"
#include "JobBuilder.h"
#include "Log.h"
#include "MainDlg.h"
#include "MakerTexts.h"
#include "MediaFileDialog.h"
#include "MessageBoxes.h"
#include "Vocabularies.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include <algorithm>

namespace kiv {

namespace {

const QString kInfo = QStringLiteral("Info");

void Info(QWidget* parent, const char* text) {
    ShowMessage(parent, kInfo, QString::fromLatin1(text), MessageIcon::Information);
}

} // namespace

void CKivVideoConverterDlg::ConnectFileAdder() {
    connect(adder_, &FileAdder::fileRead, this, &CKivVideoConverterDlg::OnFileRead);
    connect(adder_, &FileAdder::limitReached, this, &CKivVideoConverterDlg::OnLimitReached);
    connect(adder_, &FileAdder::unreadable, this, &CKivVideoConverterDlg::OnUnreadable);
    connect(adder_, &FileAdder::failed, this, &CKivVideoConverterDlg::OnAddFailed);
    connect(adder_, &FileAdder::finished, this, &CKivVideoConverterDlg::OnAddingFinished);
}

bool CKivVideoConverterDlg::IsAdding() const {
    return adding_;
}

void CKivVideoConverterDlg::OnAdd() {
    if (busy_ || adding_)
        return;
    const QStringList files = ChooseMediaFiles(this);
    if (!files.isEmpty())
        AddFiles(files);
}

void CKivVideoConverterDlg::AddFiles(const QStringList& paths) {
    if (busy_ || adding_ || adder_->IsRunning() || paths.isEmpty())
        return;
    QStringList absolute;
    for (const QString& path : paths)
        absolute << QFileInfo(path).absoluteFilePath();
    SetAdding(true);
    adder_->Start(absolute, list_->RowCount());
}

void CKivVideoConverterDlg::SetAdding(bool adding) {
    adding_ = adding;
    if (adding && !cursorOverridden_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursorOverridden_ = true;
    } else if (!adding && cursorOverridden_) {
        QApplication::restoreOverrideCursor();
        cursorOverridden_ = false;
    }
    EnableControls(busy_ == 0);
}

void CKivVideoConverterDlg::OnFileRead(const QString& path, const ConversionJob& job) {
    try {
        const int row = list_->RowCount();
        if (row >= kMaxJobs) {
            adder_->Cancel();
            return;
        }
        jobs_[row] = job;
        if (list_->AddRow(row, QString()) < 0) {
            jobs_[row] = ConversionJob{};
            adder_->Cancel();
            Info(this, "There are not Media file.");
            return;
        }
        const QString duration =
            QString::fromStdString(FormatDuration(DisplayedDurationSeconds(job)));
        list_->SetCellCheck(row, 0, 1);
        list_->SetCellText(row, 1, QLatin1Char(' ') + path);
        list_->SetCellText(row, 2, duration);
        list_->SetCellText(row, 3, QStringLiteral("00:00:00"));
        list_->SetCellText(row, 4, duration);
        list_->SetCellText(row, 5, QStringLiteral("Ready"));
        list_->SelectRow(row);
        // The log shows what the user converted, for support.
        WriteLog(
            ("Added " + QFile::encodeName(path) + " (" + duration.toLatin1() + ")").toStdString());
    } catch (...) {
        OnAddFailed();
    }
}

void CKivVideoConverterDlg::OnLimitReached() {
    SetAdding(false);
    Info(this, "The Max media file count over !");
}

void CKivVideoConverterDlg::OnUnreadable(const QString& path) {
    // The job the file would have had stays empty.
    const int row = list_->RowCount();
    if (row < kMaxJobs)
        jobs_[row] = ConversionJob{};
    SetAdding(false);
    ShowMessage(this, QStringLiteral("Warning"),
                path + QStringLiteral(" include unsupport codec,Please report it to ") +
                    QString::fromLatin1(kSupportAddress) + QLatin1Char('.'),
                MessageIcon::NoIcon);
}

void CKivVideoConverterDlg::OnAddFailed() {
    adder_->Cancel();
    list_->RemoveAllRows();
    ClearAllJobs();
    SetAdding(false);
    ShowMessage(this, QStringLiteral("Error"),
                QStringLiteral("Sorry,this program encounter a error,Please restart it again!"),
                MessageIcon::Critical);
}

void CKivVideoConverterDlg::OnAddingFinished() {
    SetAdding(false);
    if (pendingEnd_ >= 0) {
        const int result = pendingEnd_;
        pendingEnd_ = -1;
        EndWindow(result);
        return;
    }
    emit filesAdded();
}

void CKivVideoConverterDlg::ClearAllJobs() {
    std::fill(jobs_.begin(), jobs_.end(), ConversionJob{});
}

void CKivVideoConverterDlg::OnRemove() {
    if (busy_ || adding_ || list_->RowCount() == 0)
        return;
    const int selected = list_->FirstSelectedRow();
    if (selected < 0) {
        Info(this, "There is not selected media file ");
        return;
    }
    // The jobs behind the row move up one place; the last keeps its own.
    jobs_[selected] = ConversionJob{};
    std::copy(jobs_.begin() + selected + 1, jobs_.end(), jobs_.begin() + selected);
    list_->RemoveRow(selected);
    if (list_->RowCount() > 0)
        list_->SelectRow(0);
}

void CKivVideoConverterDlg::OnClear() {
    if (busy_ || adding_ || list_->RowCount() == 0)
        return;
    list_->RemoveAllRows();
    ClearAllJobs();
}

void CKivVideoConverterDlg::ShowPopMenu(const QPoint& globalPosition) {
    if (busy_ || adding_)
        return;
    popMenu_->popup(globalPosition);
}

} // namespace kiv
