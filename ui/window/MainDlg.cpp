// Start-up, control states and window events of the main window.

#include "MainDlg.h"

#include "BatchPresenter.h"
#include "CButtonST.h"
#include "CXListCtrl.h"
#include "Catalogue.h"
#include "CatalogueNames.h"
#include "FileListCommands.h"
#include "FixedText.h"
#include "KeptList.h"
#include "Log.h"
#include "MessageBoxes.h"
#include "Settings.h"
#include "ToolImages.h"
#include "Vocabularies.h"
#include "WindowBatch.h"
#include "WindowPlaces.h"
#include "runs/MakeEncoderInit.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace kiv {

namespace {

QString FromField(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CKivVideoConverterDlg::CKivVideoConverterDlg(QWidget* parent)
    : QDialog(parent), batch_(std::make_unique<WindowBatch>(table_, controller_, this)),
      ui_(CreateMainWindowControls(*this)) {
    setWindowIcon(ApplicationIcon());
    settings_ = CurrentSettings();
    selection_ = CurrentSelection();
    CreateEncoder();

    ui_.outputFolder->setText(FromField(GetText(settings_.Folder)));
    outputFolder_ = ui_.outputFolder->text();
    setWindowTitle(Caption());
    ui_.openFolderBox->setChecked(settings_.AFO == 1);
    ui_.shutdownBox->setChecked(settings_.AFC == 1);
    ShowFilesAtOnce(*ui_.filesAtOnce, settings_.FilesAtOnce);
    keptList_ = new KeptList(
        table_,
        [this] {
            return KeptList::Choice{selection_, outputFolder_};
        },
        this);
    RestoreLastChoice();

    listCommands_ =
        std::make_unique<FileListCommands>(table_, *ui_.list, controller_, *this, [this] {
            return std::pair{workingProfile_, CurrentTargetKind()};
        });
    FillLists();
    const bool restored = lastList_.has_value();
    RestoreLastRows();
    keptList_->Watch();
    if (restored)
        keptList_->Changed(); // the rows that were converting wait now
    presenter_ = new BatchPresenter(*this, *batch_,
                                    {ProductName(), Caption(),
                                     [this](bool paused) { ShowPauseLook(*ui_.pause, paused); },
                                     ui_.shutdownBox, ui_.openFolderBox});
    CreateMenus();
    CreateShortcuts();
    ConnectControls();
    EnableControls(true);
    // Where the user left it, at the size they gave it.
    restoreGeometry(SavedWindowGeometry("Main"));
}

CKivVideoConverterDlg::~CKivVideoConverterDlg() {
    batch_->Abandon();
    // The file reader probes with the controller: it ends first.
    listCommands_.reset();
    // Keeps the last changes, from the table and the choice, while they are here.
    delete keptList_;
    keptList_ = nullptr;
}

void CKivVideoConverterDlg::RestoreLastChoice() {
    lastList_ = keptList_->TakeLast();
    if (!lastList_)
        return;
    ProfileSelection selection = lastList_->selection;
    const std::string repaired = RepairSelection(selection);
    if (!repaired.empty())
        WriteLog("Kept list: " + repaired);
    selection_ = selection;
    if (!lastList_->outputFolder.isEmpty()) {
        outputFolder_ = lastList_->outputFolder;
        ui_.outputFolder->setText(outputFolder_);
    }
}

void CKivVideoConverterDlg::RestoreLastRows() {
    if (!lastList_)
        return;
    const int interrupted = ReadyInterruptedRows(*lastList_);
    for (const FileRow& row : lastList_->rows)
        table_.AppendRow(row);
    const int rows = static_cast<int>(lastList_->rows.size());
    lastList_.reset();
    if (rows == 0)
        return;
    WriteLogFormat("Kept list: restored %d rows, %d of them interrupted", rows, interrupted);
    // Said once the window shows.
    QTimer::singleShot(0, this, [this, text = KeptList::RestoredText(rows, interrupted)] {
        ShowMessage(this, tr("Info"), text, MessageIcon::Information);
    });
}

void CKivVideoConverterDlg::ConnectControls() {
    const auto onClick = [this](CButtonST* button, void (CKivVideoConverterDlg::*command)()) {
        connect(button, &QAbstractButton::clicked, this, command);
    };
    onClick(ui_.folder, &CKivVideoConverterDlg::ShowDirMenu);
    onClick(ui_.edit, &CKivVideoConverterDlg::OnEditProfile);
    onClick(ui_.add, &CKivVideoConverterDlg::OnAdd);
    onClick(ui_.remove, &CKivVideoConverterDlg::OnRemove);
    onClick(ui_.about, &CKivVideoConverterDlg::OnAbout);
    onClick(ui_.help, &CKivVideoConverterDlg::OnHelp);
    onClick(ui_.exit, &CKivVideoConverterDlg::OnExit);
    onClick(ui_.start, &CKivVideoConverterDlg::OnStart);
    onClick(ui_.stop, &CKivVideoConverterDlg::OnStop);
    onClick(ui_.pause, &CKivVideoConverterDlg::OnPause);
    connect(ui_.formats, &QComboBox::activated, this, &CKivVideoConverterDlg::OnFormatPick);
    connect(ui_.profiles, &QComboBox::activated, this, &CKivVideoConverterDlg::OnProfilePick);

    connect(listCommands_.get(), &FileListCommands::addingChanged, this,
            &CKivVideoConverterDlg::OnAddingChanged);
    connect(listCommands_.get(), &FileListCommands::filesAdded, this,
            &CKivVideoConverterDlg::filesAdded);
    connect(batch_.get(), &WindowBatch::rowStarted, this, [this](int row) {
        ui_.list->SelectRow(row); // the other rows keep their selection
    });
    connect(batch_.get(), &WindowBatch::batchEnded, this, &CKivVideoConverterDlg::OnBatchEnded);
}

void CKivVideoConverterDlg::CreateMenus() {
    dirMenu_ = new QMenu(tr("Dir"), this);
    dirMenu_->setObjectName(QStringLiteral("dirMenu"));
    dirMenu_->addAction(tr("Browse"), this, &CKivVideoConverterDlg::OnBrowse);
    dirMenu_->addAction(tr("Open"), this, &CKivVideoConverterDlg::OnOpenFolder);
}

void CKivVideoConverterDlg::CreateShortcuts() {
    // Keys users of desktop converters expect; each runs its command only
    // when the command's button could be pressed.
    const auto addKey = [this](const QKeySequence& key, CButtonST* button,
                               void (CKivVideoConverterDlg::*command)()) {
        auto* action = new QAction(this);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, button, command] {
            if (button->isEnabled())
                (this->*command)();
        });
        addAction(action);
    };
    addKey(QKeySequence(Qt::Key_Delete), ui_.remove, &CKivVideoConverterDlg::OnRemove);
    addKey(QKeySequence(Qt::CTRL | Qt::Key_O), ui_.add, &CKivVideoConverterDlg::OnAdd);
    addKey(QKeySequence(Qt::Key_F1), ui_.help, &CKivVideoConverterDlg::OnHelp);
}

void CKivVideoConverterDlg::CreateEncoder() {
    EncoderInit init = MakeEncoderInit(settings_, &WindowBatch::ProgressCallback, batch_.get());
    controller_.bCreateEncoder(&init);
}

void CKivVideoConverterDlg::FillLists() {
    ui_.formats->clear();
    for (int c = 0; c < CategoryCount(); ++c)
        ui_.formats->addItem(ShownCategoryName(GetCategory(c)->CategoryName));
    ui_.formats->setCurrentIndex(selection_.Kind);
    FillProfileList(selection_.Kind);
    ui_.profiles->setCurrentIndex(selection_.Class);
    const ProfileCategory* category = GetCategory(selection_.Kind);
    ProfileFromSelection(selection_, category ? category->Target : 0, currentProfile_);
    workingProfile_ = currentProfile_;
}

QString CKivVideoConverterDlg::ProductName() const {
    return FromField(GetText(settings_.Name));
}

QString CKivVideoConverterDlg::Caption() const {
    return ProductName() + QLatin1Char(' ') + FromField(GetText(settings_.Ver));
}

bool CKivVideoConverterDlg::IsAdding() const {
    return listCommands_->IsAdding();
}

void CKivVideoConverterDlg::EnableControls(bool enable) {
    // The window's own focus, also while a message over it has the keyboard.
    const QWidget* focused = focusWidget();
    const bool hadFocus = focused == ui_.start || focused == ui_.stop || focused == ui_.pause;
    for (QWidget* control :
         std::initializer_list<QWidget*>{ui_.add, ui_.remove, ui_.start, ui_.formats, ui_.profiles,
                                         ui_.exit, ui_.folder, ui_.edit, ui_.filesAtOnce})
        control->setEnabled(enable);
    ui_.stop->setEnabled(!enable);
    // Pause takes Start's place while a batch runs.
    ui_.start->setVisible(enable);
    ui_.pause->setEnabled(!enable);
    ui_.pause->setVisible(!enable);
    // While added files are read the list must not change under them.
    if (IsAdding()) {
        for (QWidget* control : {ui_.add, ui_.remove, ui_.start})
            control->setEnabled(false);
    }
    // The keyboard stays on the batch's buttons: Start's focus goes to Pause
    // when a batch starts, and back to Start when it ends.
    if (hadFocus) {
        QWidget* next = enable ? static_cast<QWidget*>(ui_.start) : ui_.pause;
        if (next->isEnabled())
            next->setFocus(Qt::OtherFocusReason);
    }
}

void CKivVideoConverterDlg::OnAddingChanged() {
    EnableControls(!busy_);
    if (!IsAdding() && pendingEnd_ >= 0) {
        const int result = pendingEnd_;
        pendingEnd_ = -1;
        EndWindow(result);
    }
}

void CKivVideoConverterDlg::EndWindow(int result) {
    if (busy_)
        return; // a batch uses the window and its rows until it ends
    if (IsAdding()) {
        pendingEnd_ = result;
        listCommands_->CancelAdding();
        return;
    }
    done(result);
}

void CKivVideoConverterDlg::closeEvent(QCloseEvent* event) {
    // The close box, Alt+F4 and the desktop's close minimise the window;
    // only Exit ends it.
    event->ignore();
    showMinimized();
}

void CKivVideoConverterDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ui_.layout.Place(minimumSize(), size());
}

void CKivVideoConverterDlg::keyPressEvent(QKeyEvent* event) {
    const bool plain =
        event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        // A focused button takes Enter as a press; elsewhere Enter does
        // nothing: a stray key must not end the window and lose the list.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            if (button->isEnabled())
                button->click();
        }
        return;
    }
    if (plain && event->key() == Qt::Key_Escape)
        return; // likewise
    QDialog::keyPressEvent(event);
}

} // namespace kiv
