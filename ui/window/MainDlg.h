#pragma once
// The main conversion window: a view of its file table (FileTable, which
// the list follows by itself) and of its batch (WindowBatch), with the
// output folder, the format and profile picks, the profile editor, the
// end-of-batch options and the tool buttons. It lives for the whole run of
// the program.
//
// Its concerns live apart: MainWindowControls makes the controls,
// FileListCommands runs the list's commands (adding, removing, clearing,
// Split, the "Pop" menu, drops), and BatchPresenter shows the batch (title,
// task bar, Pause's look, the end box). The window's own files: MainDlg.cpp
// (start-up, control states, window events), MainDlgCommands.cpp (picks,
// editor, output folder, About, Help, Exit) and MainDlgBatch.cpp (Start,
// Pause, Stop and the end of a batch).
//
// Threads: all of it runs on the GUI thread. Files are read on FileAdder's
// thread and converted on WindowBatch's; both report back through queued
// signals, and the window never waits for either (but for the batch when
// the window goes away, see WindowBatch::Abandon).

#include "CEncoderCntl.h"
#include "FileTable.h"
#include "KeptListFormat.h"
#include "MainWindowControls.h"
#include "MediaProfile.h"
#include "ProfileSelection.h"
#include "UserProfiles.h"
#include "runs/BatchLoop.h"

#include <QDialog>
#include <QStringList>

#include <memory>
#include <optional>

class QMenu;

namespace kiv {

class BatchPresenter;
class FileListCommands;
class KeptList;
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
    const ProfileChoices& WorkingChoices() const { return workingChoices_; }
    const ProfileSelection& Selection() const { return selection_; }
    const QString& OutputFolder() const { return outputFolder_; }
    // From Start until the end of the batch has been dealt with.
    bool IsBusy() const { return busy_; }
    // While added files are being read.
    bool IsAdding() const;

signals:
    // Every row of one Add, drop or command line has been handled.
    void filesAdded();
    // A batch has ended and the window is idle again.
    void batchEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // MainDlgMine.cpp: the format "My profiles" after the built-in ones.
    bool MyProfilesShown() const;
    void FillMyProfiles();
    void TakeMyProfile(int index);

    // MainDlg.cpp
    void CreateMenus();
    void CreateShortcuts();
    void ConnectControls();
    void CreateEncoder();
    void FillLists();
    // Puts back what the last run left when it did not end with Exit: the
    // choice before the lists are filled, the rows once the list shows them.
    void RestoreLastChoice();
    void RestoreLastRows();
    void OnAddingChanged();
    // Ends the window without saving; while files are read, once the file
    // being read is done.
    void EndWindow(int result);
    // The settings' Name, "Kiv Video Converter" by default, and the caption,
    // Name and Ver: "Kiv Video Converter 1.0.0".
    QString ProductName() const;
    QString Caption() const;

    // MainDlgBatch.cpp
    // True to go on: when every checked row is done, the user is asked
    // whether to convert them again, and they wait again on Yes.
    bool ConvertAgainIfAllDone();
    void OnBatchEnded(const BatchReport& report);

    // MainDlgCommands.cpp
    int CurrentCategoryIndex() const;
    int CurrentTargetKind() const;
    void FillProfileList(int categoryIndex);

    AppSettings settings_{};
    ProfileSelection selection_{};
    MediaProfile currentProfile_{};
    MediaProfile workingProfile_{};
    // The tracks rule and filters chosen in the editor beside the working
    // profile; a built-in profile picked anew has none.
    ProfileChoices workingChoices_{};
    // The user's own profiles as "My profiles" lists them.
    std::vector<StoredProfile> myProfiles_;
    QString outputFolder_;
    // In this order: the batch and the list's commands (with the file
    // reader) use the table and the controller, and go first.
    FileTable table_;
    CEncoderCntl controller_;
    std::unique_ptr<WindowBatch> batch_;
    std::unique_ptr<FileListCommands> listCommands_;
    BatchPresenter* presenter_ = nullptr;
    KeptList* keptList_ = nullptr;
    std::optional<KeptListContents> lastList_; // until its rows are back
    bool busy_ = false;
    int pendingEnd_ = -1;        // the result EndWindow waits to end with
    bool startWhenRead_ = false; // Start was pressed while files were read

    MainWindowControls ui_;
    QMenu* dirMenu_ = nullptr;
};

} // namespace kiv
