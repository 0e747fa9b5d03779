#include "FileListCommands.h"

#include "CXListCtrl.h"
#include "Catalogue.h"
#include "FileAdder.h"
#include "FileListView.h"
#include "FileTable.h"
#include "Log.h"
#include "MediaFileDialog.h"
#include "MessageBoxes.h"
#include "SplitDlg.h"
#include "Vocabularies.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include <algorithm>
#include <exception>

namespace kiv {

namespace {

void Info(QWidget* parent, const QString& text) {
    ShowMessage(parent, FileListCommands::tr("Info"), text, MessageIcon::Information);
}

// The local files among dropped URLs, in order.
QStringList DroppedFiles(const QMimeData* data) {
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    return files;
}

} // namespace

FileListCommands::FileListCommands(FileTable& table, CXListCtrl& list, CEncoderCntl& controller,
                                   QWidget& window, ProfileNow profileNow)
    : QObject(&window), table_(table), list_(list), window_(window),
      profileNow_(std::move(profileNow)), view_(new FileListView(list, table, this)),
      adder_(new FileAdder(controller, this)) {
    view_->SetUpColumns();
    connect(view_, &FileListView::rowRefused, this, &FileListCommands::OnRowRefused);
    CreatePopMenu();
    ConnectAdder();
    list_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        ShowPopMenu(list_.viewport()->mapToGlobal(position));
    });
    window_.setAcceptDrops(true);
    list_.viewport()->setAcceptDrops(true);
    list_.viewport()->installEventFilter(this);
    window_.installEventFilter(this);
}

FileListCommands::~FileListCommands() {
    delete adder_;
    adder_ = nullptr;
    if (cursorOverridden_)
        QApplication::restoreOverrideCursor();
}

void FileListCommands::CreatePopMenu() {
    popMenu_ = new QMenu(tr("Pop"), &window_);
    popMenu_->setObjectName(QStringLiteral("popMenu"));
    popMenu_->addAction(tr("&Add"), this, &FileListCommands::Add);
    popMenu_->addAction(tr("&Delete"), this, &FileListCommands::Remove);
    popMenu_->addAction(tr("&Clear"), this, &FileListCommands::Clear);
    popMenu_->addAction(tr("&Split"), this, &FileListCommands::Split);
    popMenu_->addAction(tr("&Preview result"), this, &FileListCommands::Preview);
}

void FileListCommands::ConnectAdder() {
    connect(adder_, &FileAdder::fileRead, this, &FileListCommands::OnFileRead);
    connect(adder_, &FileAdder::limitReached, this, &FileListCommands::OnLimitReached);
    connect(adder_, &FileAdder::notAdded, this, &FileListCommands::OnNotAdded);
    connect(adder_, &FileAdder::failed, this, &FileListCommands::OnAddFailed);
    connect(adder_, &FileAdder::finished, this, &FileListCommands::OnAddingFinished);
}

void FileListCommands::Add() {
    if (!CanChangeRows())
        return;
    const QStringList files = ChooseMediaFiles(&window_);
    if (!files.isEmpty())
        AddFiles(files);
}

void FileListCommands::AddFiles(const QStringList& paths) {
    if (!CanChangeRows() || adder_->IsRunning() || paths.isEmpty())
        return;
    QStringList absolute;
    for (const QString& path : paths)
        absolute << QFileInfo(path).absoluteFilePath();
    quiet_ = false;
    notAdded_.clear();
    SetAdding(true);
    adder_->Start(absolute, table_.RowCount());
}

void FileListCommands::CancelAdding() {
    quiet_ = true;
    adder_->Cancel();
}

void FileListCommands::SetAdding(bool adding) {
    adding_ = adding;
    if (adding && !cursorOverridden_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursorOverridden_ = true;
    } else if (!adding && cursorOverridden_) {
        QApplication::restoreOverrideCursor();
        cursorOverridden_ = false;
    }
    emit addingChanged(adding);
}

void FileListCommands::OnFileRead(const QString& path, const ConversionJob& job) {
    try {
        const int rowsBefore = table_.RowCount();
        const int row = table_.Append(job); // the list shows it, or refuses it
        if (row < 0 || table_.RowCount() == rowsBefore) {
            adder_->Cancel();
            return;
        }
        // The log shows what the user converted, for support.
        WriteLog("Added " + QFile::encodeName(path).toStdString() + " (" +
                 FormatDuration(table_.Row(row).durationSeconds) + ")");
    } catch (...) {
        OnAddFailed();
    }
}

void FileListCommands::OnRowRefused(int row) {
    table_.Remove(row);
    adder_->Cancel();
    Info(&window_, tr("There are not Media file."));
}

void FileListCommands::OnLimitReached() {
    SetAdding(false);
    Info(&window_, tr("The Max media file count over !"));
}

void FileListCommands::OnNotAdded(const QString& line) {
    // Told all at once when the add is over.
    notAdded_ << line;
    WriteLog("Not added: " + line.toStdString());
}

void FileListCommands::OnAddFailed() {
    adder_->Cancel();
    table_.Clear();
    SetAdding(false);
    ShowMessage(&window_, tr("Error"),
                tr("Sorry,this program encounter a error,Please restart it again!"),
                MessageIcon::Critical);
}

void FileListCommands::OnAddingFinished() {
    SetAdding(false);
    if (quiet_)
        return;
    if (!notAdded_.isEmpty()) {
        const QString heading = tr("%n file(s) were not added:", nullptr, notAdded_.size());
        ShowMessage(&window_, tr("Warning"), heading + QLatin1Char('\n') + notAdded_.join('\n'),
                    MessageIcon::NoIcon);
        notAdded_.clear();
    }
    emit filesAdded();
}

void FileListCommands::Remove() {
    if (!CanChangeRows() || table_.RowCount() == 0)
        return;
    const int selected = list_.FirstSelectedRow();
    if (selected < 0) {
        Info(&window_, tr("There is not selected media file "));
        return;
    }
    // The rows behind move up one place.
    table_.Remove(selected);
    if (table_.RowCount() > 0)
        list_.SelectRow(0);
}

void FileListCommands::Clear() {
    if (CanChangeRows())
        table_.Clear();
}

void FileListCommands::ShowPopMenu(const QPoint& globalPosition) {
    if (CanChangeRows())
        popMenu_->popup(globalPosition);
}

void FileListCommands::Split() {
    RunSplit(false);
}

void FileListCommands::Preview() {
    RunSplit(true);
}

// "&Split": the part of the first selected row to convert, chosen in the
// Split dialog and kept in the row, which shows it as its Start Time and
// End Time.
void FileListCommands::RunSplit(bool previewAtOnce) {
    if (!CanChangeRows() || table_.RowCount() == 0)
        return;
    const int row = list_.FirstSelectedRow();
    if (row < 0) {
        Info(&window_, tr("There is not selected media file "));
        return;
    }
    try {
        const FileRow chosen = table_.Row(row);
        int start = 0, end = 0;
        // A preview converts as Start would: the working profile.
        const auto [profile, targetKind] = profileNow_();
        const PreviewSource preview{chosen.job, profile, targetKind};
        // The dialog gets the video's duration, also where the row shows the
        // sound's.
        if (!ChooseSplitRange(&window_, chosen.VideoSeconds(),
                              QString::fromStdString(chosen.SourcePath()), start, end, &preview,
                              previewAtOnce, chosen.durationSeconds))
            return;
        // An end at the dialog's end is the end of the file: the row keeps
        // converting to it as it was added.
        if (end >= chosen.VideoSeconds())
            end = std::max(end, chosen.wholeFileEndSeconds);
        table_.SetTrim(row, start, end);
    } catch (const std::exception&) {
        Info(&window_, tr("We encount a problem,Please restar it"));
    }
}

bool FileListCommands::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (!DroppedFiles(drag->mimeData()).isEmpty() && CanChangeRows())
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = DroppedFiles(drop->mimeData());
        if (files.isEmpty() || !CanChangeRows()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        // Added after the drop has ended, so the file manager is not kept waiting.
        QMetaObject::invokeMethod(
            this, [this, files] { AddFiles(files); }, Qt::QueuedConnection);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace kiv
