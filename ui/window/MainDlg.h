#pragma once
// The main conversion window: a view of its file table (FileTable, shown by
// FileListView) and of its batch (WindowBatch), with the output folder, the
// format and profile picks, the profile editor, the end-of-batch options
// and the tool buttons. It lives for the whole run of the program.
//
// The window's code is spread over files by subject: MainDlg.cpp (start-up,
// control states, window events), MainDlgLayout.cpp (controls, menus and
// keys), MainDlgCommands.cpp (picks, editor, output folder, About, Help,
// Exit), MainDlgFileList.cpp (adding, removing and clearing files, Split,
// the "Pop" menu) and MainDlgBatch.cpp (Start, Stop and the end of a batch).
//
// Threads: all of it runs on the GUI thread. Files are read on FileAdder's
// thread and converted on WindowBatch's; both report back through queued
// signals, and the window never waits for either (but for the batch when
// the window goes away, see WindowBatch::Abandon).

#include "CEncoderCntl.h"
#include "FileTable.h"
#include "MediaProfile.h"
#include "ProfileSelection.h"
#include "TaskbarProgress.h"
#include "runs/BatchLoop.h"

#include <QDialog>
#include <QStringList>

#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;

namespace kiv {

class CButtonST;
class CHyperLink;
class CXListCtrl;
class FileAdder;
class FileListView;
class WindowBatch;

class CKivVideoConverterDlg : public QDialog {
    Q_OBJECT
public:
    // Runs the whole start-up: controls, settings copy, encoder, lists.
    // LoadSettings must have run before.
    explicit CKivVideoConverterDlg(QWidget* parent = nullptr);
    // Ends a running batch first (WindowBatch::Abandon).
    ~CKivVideoConverterDlg() override;

    // Commands, exactly as the buttons, menus and keys run them.
    void OnAdd();
    // Adds files through the same path as Add after its dialog: dropped
    // files and files named on the command line come here.
    void AddFiles(const QStringList& paths);
    void OnRemove();
    void OnClear();
    void OnSplit();
    // The Split dialog, converting a preview of the result at once.
    void OnPreview();
    void OnStart();
    void OnStop();
    // Pauses the running batch, or resumes the paused one: the button in
    // Start's place while a batch runs.
    void OnPause();
    void OnFormatPick();
    void OnProfilePick();
    void OnEditProfile();
    void OnBrowse();
    void OnOpenFolder();
    void OnAbout();
    void OnHelp();
    void OnExit();
    // The list's right click; refused while a batch runs or files are read.
    void ShowPopMenu(const QPoint& globalPosition);
    void ShowDirMenu();
    // The control-state switch: true for the idle state (everything enabled
    // but Stop), false while a batch runs (only Stop enabled among the
    // controls that could change the rows, the profiles or the folder).
    void EnableControls(bool enable);

    // What the window holds, to read.
    const FileTable& Table() const { return table_; }
    const MediaProfile& CurrentProfile() const { return currentProfile_; }
    const MediaProfile& WorkingProfile() const { return workingProfile_; }
    const ProfileSelection& Selection() const { return selection_; }
    const QString& OutputFolder() const { return outputFolder_; }
    // From Start until the end of the batch has been dealt with.
    bool IsBusy() const { return busy_; }
    // While added files are being read.
    bool IsAdding() const { return adding_; }

signals:
    // Every row of one Add, drop or command line has been handled.
    void filesAdded();
    // A batch has ended and the window is idle again.
    void batchEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // MainDlgLayout.cpp
    void CreateControls();
    void CreateMenus();
    void CreateShortcuts();
    void SetUpButtonImages();
    void SetUpFileList();

    // MainDlg.cpp
    void CreateEncoder();
    void FillLists();
    void SetLinkTargets();
    QString HelpPagePath(const char* page) const;
    // Ends the window without saving; while files are read, once the file
    // being read is done.
    void EndWindow(int result);

    // MainDlgSplit.cpp
    void RunSplit(bool previewAtOnce);

    // MainDlgBatch.cpp
    void ConnectBatch();
    // True to go on: when every checked row is done, the user is asked
    // whether to convert them again, and they wait again on Yes.
    bool ConvertAgainIfAllDone();
    void ShowBatchPosition(const BatchPosition& position);
    void ShowPaused(bool paused);
    QString BusyTitle() const;
    void OnBatchEnded(const BatchReport& report);

    // MainDlgLayout.cpp
    void SetPauseButtonLook(bool paused);
    // MainDlg.cpp: the settings' Name, "Kiv Video Converter" by default, and
    // the caption, Name and Ver: "Kiv Video Converter 1.0.0".
    QString ProductName() const;
    QString Caption() const;

    // MainDlgCommands.cpp
    int CurrentCategoryIndex() const;
    void FillProfileList(int categoryIndex);

    // MainDlgFileList.cpp
    void ConnectFileAdder();
    void OnFileRead(const QString& path, const ConversionJob& job);
    void OnLimitReached();
    void OnNotAdded(const QString& line);
    void OnAddFailed();
    void OnAddingFinished();
    void SetAdding(bool adding);

    AppSettings settings_{};
    ProfileSelection selection_{};
    MediaProfile currentProfile_{};
    MediaProfile workingProfile_{};
    QString outputFolder_;
    // In this order: the batch and the reader use the table and the
    // controller, and go first.
    FileTable table_;
    CEncoderCntl controller_;
    std::unique_ptr<WindowBatch> batch_;
    FileAdder* adder_ = nullptr;
    bool busy_ = false;
    bool adding_ = false;
    bool cursorOverridden_ = false;
    // This add's files that were not added, each with why.
    QStringList notAdded_;
    BatchPosition batchPosition_; // where the running batch stands
    TaskbarProgress taskbar_;
    int pendingEnd_ = -1; // the result EndWindow waits to end with

    CButtonST* addButton_ = nullptr;
    CButtonST* removeButton_ = nullptr;
    CButtonST* startButton_ = nullptr;
    CButtonST* stopButton_ = nullptr;
    CButtonST* pauseButton_ = nullptr; // in Start's place while a batch runs
    CButtonST* aboutButton_ = nullptr;
    CButtonST* helpButton_ = nullptr;
    CButtonST* exitButton_ = nullptr;
    CXListCtrl* list_ = nullptr;
    FileListView* listView_ = nullptr;
    QLineEdit* outputFolderEdit_ = nullptr;
    CButtonST* folderButton_ = nullptr;
    QComboBox* formatList_ = nullptr;
    QComboBox* profileList_ = nullptr;
    CButtonST* editButton_ = nullptr;
    QCheckBox* openFolderBox_ = nullptr;
    QCheckBox* shutdownBox_ = nullptr;
    CHyperLink* siteLink_ = nullptr;
    CHyperLink* faqLink_ = nullptr;

    QMenu* popMenu_ = nullptr;
    QAction* addAction_ = nullptr;
    QAction* deleteAction_ = nullptr;
    QAction* clearAction_ = nullptr;
    QAction* splitAction_ = nullptr;
    QMenu* dirMenu_ = nullptr;
    QAction* browseAction_ = nullptr;
    QAction* openAction_ = nullptr;
};

} // namespace kiv
