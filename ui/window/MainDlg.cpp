// Start-up, control states and window events of the main window.

#include "MainDlg.h"

#include "CButtonST.h"
#include "CHyperLink.h"
#include "CXListCtrl.h"
#include "Catalogue.h"
#include "DesktopOpen.h"
#include "FileAdder.h"
#include "FixedText.h"
#include "MakerTexts.h"
#include "MessageBoxes.h"
#include "Settings.h"
#include "ToolImages.h"
#include "Vocabularies.h"
#include "WindowBatch.h"
#include "runs/MakeEncoderInit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QUrl>

namespace kiv {

namespace {

QString FromField(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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

CKivVideoConverterDlg::CKivVideoConverterDlg(QWidget* parent)
    : QDialog(parent), batch_(std::make_unique<WindowBatch>(table_, controller_, this)) {
    CreateControls();
    setWindowIcon(ApplicationIcon());
    settings_ = CurrentSettings();
    selection_ = CurrentSelection();
    CreateEncoder();

    outputFolderEdit_->setText(FromField(GetText(settings_.Folder)));
    outputFolder_ = outputFolderEdit_->text();
    setWindowTitle(Caption());
    openFolderBox_->setChecked(settings_.AFO == 1);
    shutdownBox_->setChecked(settings_.AFC == 1);

    SetUpButtonImages();
    SetUpFileList();
    FillLists();
    SetLinkTargets();

    connect(folderButton_, &QAbstractButton::clicked, this, &CKivVideoConverterDlg::ShowDirMenu);
    connect(editButton_, &QAbstractButton::clicked, this, &CKivVideoConverterDlg::OnEditProfile);
    connect(addButton_, &QAbstractButton::clicked, this, &CKivVideoConverterDlg::OnAdd);
    connect(removeButton_, &QAbstractButton::clicked, this, &CKivVideoConverterDlg::OnRemove);
    connect(aboutButton_, &QAbstractButton::clicked, this, &CKivVideoConverterDlg::OnAbout);
    connect(helpButton_, &QAbstractButton::clicked, this, &CKivVideoConverterDlg::OnHelp);
    connect(exitButton_, &QAbstractButton::clicked, this, &CKivVideoConverterDlg::OnExit);
    connect(startButton_, &QAbstractButton::clicked, this, &CKivVideoConverterDlg::OnStart);
    connect(stopButton_, &QAbstractButton::clicked, this, &CKivVideoConverterDlg::OnStop);
    connect(pauseButton_, &QAbstractButton::clicked, this, &CKivVideoConverterDlg::OnPause);
    connect(formatList_, &QComboBox::activated, this, &CKivVideoConverterDlg::OnFormatPick);
    connect(profileList_, &QComboBox::activated, this, &CKivVideoConverterDlg::OnProfilePick);

    adder_ = new FileAdder(controller_, this);
    ConnectFileAdder();
    ConnectBatch();
    setAcceptDrops(true);
    list_->viewport()->setAcceptDrops(true);
    list_->viewport()->installEventFilter(this);
    installEventFilter(this);

    EnableControls(true);
}

CKivVideoConverterDlg::~CKivVideoConverterDlg() {
    batch_->Abandon();
    // The reading thread probes with the controller: it ends first.
    delete adder_;
    adder_ = nullptr;
    if (cursorOverridden_)
        QApplication::restoreOverrideCursor();
}

void CKivVideoConverterDlg::CreateEncoder() {
    EncoderInit init = MakeEncoderInit(settings_, &WindowBatch::ProgressCallback, batch_.get());
    controller_.bCreateEncoder(&init);
}

void CKivVideoConverterDlg::FillLists() {
    formatList_->clear();
    for (int c = 0; c < CategoryCount(); ++c)
        formatList_->addItem(QString::fromUtf8(GetCategory(c)->CategoryName));
    formatList_->setCurrentIndex(selection_.Kind);
    FillProfileList(selection_.Kind);
    profileList_->setCurrentIndex(selection_.Class);
    const ProfileCategory* category = GetCategory(selection_.Kind);
    ProfileFromSelection(selection_, category ? category->Target : 0, currentProfile_);
    workingProfile_ = currentProfile_;
}

void CKivVideoConverterDlg::SetLinkTargets() {
    siteLink_->setText(QString::fromLatin1(kWebSiteLinkText));
    siteLink_->SetLinkTarget(HelpPagePath(kWebSitePage));
    siteLink_->setAccessibleName(siteLink_->text());
    faqLink_->setText(QString::fromLatin1(kFaqLinkText));
    faqLink_->SetLinkTarget(HelpPagePath(kFaqPage));
    faqLink_->setAccessibleName(faqLink_->text());
    // The links open the desktop's way: a desktop that cannot open them at
    // once makes the link say so; one whose opener fails later, the window.
    for (CHyperLink* link : {siteLink_, faqLink_}) {
        link->SetUrlOpener([this](const QUrl& url) {
            return OpenOnDesktop(url, [window = QPointer<QWidget>(this), url] {
                ShowMessage(window, QStringLiteral("Warning"),
                            DesktopCannotOpenText(url.toLocalFile()), MessageIcon::Warning);
            });
        });
    }
}

QString CKivVideoConverterDlg::HelpPagePath(const char* page) const {
    return QString::fromStdString(ProgramDirectory()) + QString::fromLatin1(page);
}

QString CKivVideoConverterDlg::ProductName() const {
    return FromField(GetText(settings_.Name));
}

QString CKivVideoConverterDlg::Caption() const {
    return ProductName() + QLatin1Char(' ') + FromField(GetText(settings_.Ver));
}

void CKivVideoConverterDlg::EnableControls(bool enable) {
    const bool hadFocus =
        startButton_->hasFocus() || stopButton_->hasFocus() || pauseButton_->hasFocus();
    for (QWidget* control :
         std::initializer_list<QWidget*>{addButton_, removeButton_, startButton_, formatList_,
                                         profileList_, exitButton_, folderButton_, editButton_})
        control->setEnabled(enable);
    stopButton_->setEnabled(!enable);
    // Pause takes Start's place while a batch runs.
    startButton_->setVisible(enable);
    pauseButton_->setEnabled(!enable);
    pauseButton_->setVisible(!enable);
    // While added files are read the list must not change under them.
    if (adding_) {
        for (QWidget* control : {addButton_, removeButton_, startButton_})
            control->setEnabled(false);
    }
    // The keyboard stays on the batch's buttons: Start's focus goes to Pause
    // when a batch starts, and back to Start when it ends.
    if (hadFocus) {
        QWidget* next = enable ? static_cast<QWidget*>(startButton_) : pauseButton_;
        if (next->isEnabled())
            next->setFocus(Qt::OtherFocusReason);
    }
}

void CKivVideoConverterDlg::EndWindow(int result) {
    if (busy_)
        return; // a batch uses the window and its rows until it ends
    if (adding_) {
        pendingEnd_ = result;
        adder_->Cancel();
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

bool CKivVideoConverterDlg::eventFilter(QObject* watched, QEvent* event) {
    // Files dropped on the list, or anywhere on the window, are added.
    if (watched == list_->viewport() || watched == this) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            const bool take = !DroppedFiles(drag->mimeData()).isEmpty() && addButton_->isEnabled();
            if (take)
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QStringList files = DroppedFiles(drop->mimeData());
            if (files.isEmpty() || !addButton_->isEnabled()) {
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
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kiv
