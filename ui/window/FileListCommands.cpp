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
#include "TracksDlg.h"
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
    popMenu_->addAction(tr("&Tracks…"), this, &FileListCommands::Tracks);
}

void FileListCommands::ConnectAdder() {
    connect(adder_, &FileAdder::fileRead, this, &FileListCommands::OnFileRead);
    connect(adder_, &FileAdder::notAdded, this, &FileListCommands::OnNotAdded);
    connect(adder_, &FileAdder::failed, this, &FileListCommands::OnAddFailed);
    connect(adder_, &FileAdder::idle, this, &FileListCommands::OnAddingFinished);
}

void FileListCommands::Add() {
    if (!CanChangeRows())
        return;
    const QStringList files = ChooseMediaFiles(&window_);
    if (!files.isEmpty())
        AddFiles(files);
}

void FileListCommands::AddFiles(const QStringList& paths) {
    if (!CanChangeRows() || paths.isEmpty())
        return;
    if (!adding_) {
        quiet_ = false;
        notAdded_.clear();
    }
    for (const QString& path : paths)
        waiting_ << QFileInfo(path).absoluteFilePath();
    ListWaiting();
    if (adder_->IsReading())
        SetAdding(true);
    else
        OnAddingFinished(); // nothing to read: the add is over
}

void FileListCommands::ListWaiting() {
    // Every name shows at once, in the order given, as far as the list has
    // room; the files are read behind, a few at a time. A file that cannot
    // be added leaves its place to the next.
    while (!waiting_.isEmpty()) {
        const int row = table_.AppendReading(QFile::encodeName(waiting_.first()).toStdString());
        if (row < 0)
            return; // full: the rest waits for a place
        waiting_.removeFirst();
        if (row < table_.RowCount() && table_.Row(row).state == RowState::Reading)
            Read(row);
    }
}

void FileListCommands::ReadRowsAgain() {
    for (int row = 0; row < table_.RowCount(); ++row) {
        if (table_.Row(row).state == RowState::Reading)
            Read(row);
    }
    if (adder_->IsReading())
        SetAdding(true);
}

void FileListCommands::Read(int row) {
    const FileRow r = table_.Row(row);
    adder_->Read(r.id, QFile::decodeName(QByteArray::fromStdString(r.SourcePath())));
}

void FileListCommands::CancelAdding() {
    quiet_ = true;
    waiting_.clear();
    adder_->ForgetAll();
}

void FileListCommands::SetAdding(bool adding) {
    const bool changed = adding_ != adding;
    adding_ = adding;
    // The window stays usable; the pointer says that files are being read.
    if (adding && !cursorOverridden_) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        cursorOverridden_ = true;
    } else if (!adding && cursorOverridden_) {
        QApplication::restoreOverrideCursor();
        cursorOverridden_ = false;
    }
    if (changed)
        emit addingChanged(adding);
}

void FileListCommands::OnFileRead(quint64 id, const ConversionJob& job) {
    const int row = table_.IndexOf(id);
    if (row < 0 || !table_.SetRead(row, job))
        return; // removed meanwhile
    // The log shows what the user converted, for support.
    WriteLog("Added " + table_.Row(row).SourcePath() + " (" +
             FormatDuration(table_.Row(row).durationSeconds) + ")");
}

void FileListCommands::OnRowRefused(int row) {
    adder_->Forget(table_.Row(row).id);
    table_.Remove(row);
    Info(&window_, tr("There are not Media file."));
}

void FileListCommands::OnNotAdded(quint64 id, const QString& line) {
    const int row = table_.IndexOf(id);
    if (row < 0)
        return; // removed meanwhile: nothing to tell
    RemoveRow(row);
    ListWaiting();
    // Told all at once when the add is over.
    notAdded_.insert(id, line);
    WriteLog("Not added: " + line.toStdString());
}

void FileListCommands::OnAddFailed() {
    waiting_.clear();
    adder_->ForgetAll();
    table_.Clear();
    ShowMessage(&window_, tr("Error"),
                tr("Sorry,this program encounter a error,Please restart it again!"),
                MessageIcon::Critical);
}

void FileListCommands::OnAddingFinished() {
    ListWaiting(); // a row removed meanwhile left a place
    if (adder_->IsReading())
        return;
    if (quiet_) {
        SetAdding(false);
        return;
    }
    // Told before a Start that waited for the add goes on. Files still
    // waiting found every place taken by a file that was added.
    if (!waiting_.isEmpty()) {
        waiting_.clear();
        Info(&window_, tr("The Max media file count over !"));
    }
    if (!notAdded_.isEmpty()) {
        const QString heading = tr("%n file(s) were not added:", nullptr, notAdded_.size());
        // In list order (the ids grow with it), whichever probe ended first.
        const QString text = heading + QLatin1Char('\n') + notAdded_.values().join('\n');
        notAdded_.clear();
        ShowMessage(&window_, tr("Warning"), text, MessageIcon::NoIcon);
    }
    SetAdding(false);
    emit filesAdded();
}

void FileListCommands::RemoveRow(int row) {
    adder_->Forget(table_.Row(row).id);
    table_.Remove(row);
}

int FileListCommands::RowToChange() {
    if (!CanChangeRows() || table_.RowCount() == 0)
        return -1;
    const int row = list_.FirstSelectedRow();
    if (row < 0)
        Info(&window_, tr("There is not selected media file "));
    return row;
}

void FileListCommands::Remove() {
    const int selected = RowToChange();
    if (selected < 0)
        return;
    // The rows behind move up one place.
    RemoveRow(selected);
    if (table_.RowCount() > 0)
        list_.SelectRow(0);
}

void FileListCommands::Clear() {
    if (!CanChangeRows())
        return;
    waiting_.clear();
    adder_->ForgetAll();
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
    const int row = RowToChange();
    if (row < 0)
        return;
    try {
        const FileRow chosen = table_.Row(row);
        if (chosen.state == RowState::Reading) {
            Info(&window_, tr("This file is still being read; try again in a moment."));
            return;
        }
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

void FileListCommands::Tracks() {
    const int row = RowToChange();
    if (row < 0)
        return;
    const FileRow chosen = table_.Row(row);
    const std::vector<StreamFacts> streams = ReadTracks(chosen.SourcePath());
    if (streams.empty()) {
        Info(&window_, tr("The tracks of this file cannot be read."));
        return;
    }
    TracksDlg dialog(streams, chosen.job.choices.picks, &window_);
    if (dialog.exec() == QDialog::Accepted)
        table_.SetTrackPicks(row, dialog.Picks());
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
