#pragma once
// The main conversion window: the file list with its job table, the output
// folder, the format and profile picks, the profile editor, the end-of-batch
// options and the tool buttons. It lives for the whole run of the program.
//
// The window's code is spread over files by subject: MainDlg.cpp (start-up,
// control states, window events), MainDlgLayout.cpp (controls and menus),
// MainDlgCommands.cpp (picks, editor, output folder, About, Help, Exit) and
// MainDlgFileList.cpp (adding, removing and clearing files).

#include "BatchLoop.h"
#include "CEncoderCntl.h"
#include "ConversionJob.h"
#include "MediaProfile.h"
#include "ProfileSelection.h"

#include <QDialog>
#include <QStringList>

#include <array>
#include <atomic>
#include <memory>
#include <thread>

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;

namespace kiv {

class CButtonST;
class CHyperLink;
class CXListCtrl;
class CDisableScreenSave;
class FileAdder;
class WindowRows;

class CKivVideoConverterDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxJobs = 30;

    // Runs the whole start-up: controls, settings copy, encoder, lists.
    // LoadSettings must have run before.
    explicit CKivVideoConverterDlg(QWidget* parent = nullptr);
    ~CKivVideoConverterDlg() override;

    // The control-state switch: true for the idle state (everything enabled
    // but Stop), false while a batch runs (only Stop enabled among the
    // controls that could change the jobs, the profiles or the folder).
    void EnableControls(bool enable);

    // The encoder's progress, from the batch's thread: shown in the status
    // cell of the current row; 0 or less shows 1. Null user data: nothing.
    static void ProgressCallback(int value, void* window);

    // Commands, exactly as the buttons, menus and keys run them.
    void OnAdd();
    // Adds files through the same path as Add after its dialog: dropped
    // files and files named on the command line come here.
    void AddFiles(const QStringList& paths);
    void OnRemove();
    void OnClear();
    void OnFormatPick();
    void OnProfilePick();
    void OnEditProfile();
    void OnBrowse();
    void OnOpenFolder();
    void OnAbout();
    void OnHelp();
    void OnExit();
    // MainDlgBatch.cpp: the batch.
    void OnStart();
    void OnStop();
    // MainDlgSplit.cpp: the part of the first selected row to convert.
    void OnSplit();
    // The list's right click; refused while a batch runs or files are read.
    void ShowPopMenu(const QPoint& globalPosition);
    void ShowDirMenu();

    // True while added files are being read.
    bool IsAdding() const;
    QString HelpPagePath(const char* page) const;

    // The window's data, shared with the batch.
    AppSettings settings_{};
    ProfileSelection selection_{};
    MediaProfile currentProfile_{};
    MediaProfile workingProfile_{};
    QString outputFolder_;
    std::array<ConversionJob, kMaxJobs> jobs_{};
    std::atomic<int> busy_{0};
    std::atomic<int> currentRow_{0};
    CEncoderCntl controller_;

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
    // Ends the window without saving; while files are read, once the file
    // being read is done.
    void EndWindow(int result);

    // MainDlgBatch.cpp
    bool HasCheckedRow() const;
    void OnBatchEnded(BatchEnd end);
    void EndBatchNow();

    // MainDlgCommands.cpp
    int CurrentCategoryIndex() const;
    void FillProfileList(int categoryIndex);

    // MainDlgFileList.cpp
    void ConnectFileAdder();
    void OnFileRead(const QString& path, const ConversionJob& job);
    void OnLimitReached();
    void OnUnreadable(const QString& path);
    void OnAddFailed();
    void OnAddingFinished();
    void SetAdding(bool adding);
    void ClearAllJobs();

    CButtonST* addButton_ = nullptr;
    CButtonST* removeButton_ = nullptr;
    CButtonST* startButton_ = nullptr;
    CButtonST* stopButton_ = nullptr;
    CButtonST* aboutButton_ = nullptr;
    CButtonST* helpButton_ = nullptr;
    CButtonST* exitButton_ = nullptr;
    CXListCtrl* list_ = nullptr;
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
    QAction* splitAction_ = nullptr; // the Split dialog plugs in here
    QMenu* dirMenu_ = nullptr;
    QAction* browseAction_ = nullptr;
    QAction* openAction_ = nullptr;

    std::thread worker_; // the batch
    std::atomic<bool> workerDone_{false};
    std::unique_ptr<WindowRows> rows_;
    std::unique_ptr<CDisableScreenSave> screenSaver_;

    FileAdder* adder_ = nullptr;
    bool adding_ = false;
    bool cursorOverridden_ = false;
    int pendingEnd_ = -1; // the result EndWindow waits to end with
};

} // namespace kiv
