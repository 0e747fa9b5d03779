// The file list's commands: adding files (read on the adder's thread, rows
// added here), removing one row, clearing the list, the "Pop" menu. Each
// changes the table first and then shows the change.

#include "CButtonST.h"
#include "CXListCtrl.h"
#include "FileAdder.h"
#include "FileListView.h"
#include "Log.h"
#include "MainDlg.h"
#include "MediaFileDialog.h"
#include "MessageBoxes.h"
#include "Vocabularies.h"
#include "runs/JobBuilder.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

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
    connect(adder_, &FileAdder::notAdded, this, &CKivVideoConverterDlg::OnNotAdded);
    connect(adder_, &FileAdder::failed, this, &CKivVideoConverterDlg::OnAddFailed);
    connect(adder_, &FileAdder::finished, this, &CKivVideoConverterDlg::OnAddingFinished);
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
    notAdded_.clear();
    adder_->Start(absolute, table_.RowCount());
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
    EnableControls(!busy_);
}

void CKivVideoConverterDlg::OnFileRead(const QString& path, const ConversionJob& job) {
    try {
        const int row = table_.Append(job);
        if (row < 0) {
            adder_->Cancel();
            return;
        }
        if (!listView_->ShowNewRow(row)) {
            table_.Remove(row);
            adder_->Cancel();
            Info(this, "There are not Media file.");
            return;
        }
        // The log shows what the user converted, for support.
        WriteLog("Added " + QFile::encodeName(path).toStdString() + " (" +
                 FormatDuration(table_.Row(row).durationSeconds) + ")");
    } catch (...) {
        OnAddFailed();
    }
}

void CKivVideoConverterDlg::OnLimitReached() {
    SetAdding(false);
    Info(this, "The Max media file count over !");
}

void CKivVideoConverterDlg::OnNotAdded(const QString& line) {
    // Told all at once when the add is over.
    notAdded_ << line;
    WriteLog("Not added: " + line.toStdString());
}

void CKivVideoConverterDlg::OnAddFailed() {
    adder_->Cancel();
    table_.Clear();
    listView_->RemoveAllRows();
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
    if (!notAdded_.isEmpty()) {
        const QString heading =
            notAdded_.size() == 1
                ? QStringLiteral("This file was not added:")
                : QStringLiteral("%1 files were not added:").arg(notAdded_.size());
        ShowMessage(this, QStringLiteral("Warning"),
                    heading + QLatin1Char('\n') + notAdded_.join('\n'), MessageIcon::NoIcon);
        notAdded_.clear();
    }
    emit filesAdded();
}

void CKivVideoConverterDlg::OnRemove() {
    if (busy_ || adding_ || table_.RowCount() == 0)
        return;
    const int selected = list_->FirstSelectedRow();
    if (selected < 0) {
        Info(this, "There is not selected media file ");
        return;
    }
    // The rows behind move up one place.
    table_.Remove(selected);
    listView_->RemoveRow(selected);
    if (table_.RowCount() > 0)
        list_->SelectRow(0);
}

void CKivVideoConverterDlg::OnClear() {
    if (busy_ || adding_ || table_.RowCount() == 0)
        return;
    table_.Clear();
    listView_->RemoveAllRows();
}

void CKivVideoConverterDlg::ShowPopMenu(const QPoint& globalPosition) {
    if (busy_ || adding_)
        return;
    popMenu_->popup(globalPosition);
}

} // namespace kiv
