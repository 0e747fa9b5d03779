#pragma once
// The file list's commands: adding files (each shows at once as a row being
// read; FileAdder reads them in the background and the row gets what was
// learnt, or goes when the file cannot be converted), removing one row,
// clearing the list, Split and "Preview result" on the selected row, the
// list's "Pop" menu, and files dropped on the window. Each changes the
// table; the list follows the table by itself, through the FileListView
// made here.
//
//     FileListCommands commands(table, list, controller, window, profileNow);
//     connect(&commands, &FileListCommands::addingChanged, window, ...);
//     commands.AddFiles({"/videos/a.mp4"});  // filesAdded() once all are read
//
// While a batch runs (SetBatchRunning) the commands that change the rows
// are refused; while files are read, more can be added and rows removed.
// GUI thread.

#include "ConversionJob.h"
#include "MediaProfile.h"

#include <QMap>
#include <QObject>
#include <QStringList>

#include <functional>
#include <utility>

class QMenu;
class QPoint;
class QWidget;

namespace kiv {

class CEncoderCntl;
class CXListCtrl;
class FileAdder;
class FileListView;
class FileTable;

class FileListCommands : public QObject {
    Q_OBJECT
public:
    // What "Preview result" converts with: the profile Start would use now,
    // with its target kind.
    using ProfileNow = std::function<std::pair<MediaProfile, int>()>;

    // All must outlive the commands, which the window owns; window holds the
    // menu and the messages, and takes dropped files. The list gets its
    // columns.
    FileListCommands(FileTable& table, CXListCtrl& list, CEncoderCntl& controller, QWidget& window,
                     ProfileNow profileNow);
    // The reading thread probes with the controller: it ends here.
    ~FileListCommands() override;

    // The file dialog, then AddFiles with the files chosen.
    void Add();
    // Dropped files and files named on the command line come here too.
    void AddFiles(const QStringList& paths);
    void Remove();
    void Clear();
    void Split();
    // The Split dialog, converting a preview of the result at once.
    void Preview();
    // "Tracks…": the selected row's tracks to keep, its default tracks and a
    // subtitle to burn in (TracksDlg), kept in the row.
    void Tracks();
    // The list's right click.
    void ShowPopMenu(const QPoint& globalPosition);

    void SetBatchRunning(bool running) { batchRunning_ = running; }
    // While added files are read.
    bool IsAdding() const { return adding_; }
    // Reads no further file and shows nothing more; addingChanged(false)
    // comes once the files being read are done.
    void CancelAdding();
    // Reads again the rows a kept list left being read.
    void ReadRowsAgain();

signals:
    void addingChanged(bool adding);
    // Every file of one Add, drop or command line has been handled.
    void filesAdded();

protected:
    // Files dropped on the list or anywhere on the window are added.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool CanChangeRows() const { return !batchRunning_; }
    // The selected row a command acts on; -1 during a batch, in an empty
    // list, or when none is selected (which the user is told).
    int RowToChange();
    void CreatePopMenu();
    void ConnectAdder();
    void SetAdding(bool adding);
    void ListWaiting();
    void Read(int row);
    void RemoveRow(int row);
    void OnFileRead(quint64 id, const ConversionJob& job);
    void OnRowRefused(int row);
    void OnNotAdded(quint64 id, const QString& line);
    void OnAddFailed();
    void OnAddingFinished();
    void RunSplit(bool previewAtOnce);

    FileTable& table_;
    CXListCtrl& list_;
    QWidget& window_;
    ProfileNow profileNow_;
    FileListView* view_ = nullptr;
    FileAdder* adder_ = nullptr;
    QMenu* popMenu_ = nullptr;
    bool batchRunning_ = false;
    bool adding_ = false;
    bool quiet_ = false; // the reading was cancelled: its end shows nothing
    // Files added that wait for a place in a full list, in order.
    QStringList waiting_;
    bool cursorOverridden_ = false;
    // This add's files that were not added, each with why.
    QMap<quint64, QString> notAdded_; // by row id
};

} // namespace kiv
