// Controls, menus and keys of the main window, placed in dialog units.

#include "CButtonST.h"
#include "CHyperLink.h"
#include "CXListCtrl.h"
#include "DialogUnits.h"
#include "FileListView.h"
#include "FittedText.h"
#include "MainDlg.h"
#include "ToolImages.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

namespace kiv {

namespace {

constexpr int kDialogWidth = 326;
constexpr int kDialogHeight = 244;
constexpr int kListX = 2, kListY = 41, kListWidth = 320, kListHeight = 112;
constexpr int kToolY = 4, kToolWidth = 36, kToolHeight = 44;
// A drop-down list's closed height; the template's heights are the opened ones.
constexpr int kComboHeight = 12;

struct ToolPlace {
    const char* objectName;
    const char* glyph;
    int x;
    const char* tooltip;
};

constexpr ToolPlace kTools[] = {
    {"addButton", "add", 2, "Add video files"},
    {"removeButton", "remove", 43, "Remove video files"},
    {"startButton", "start", 83, "Start video conversion"},
    {"pauseButton", "pause", 83, "Pause video conversion"}, // in Start's place, while busy
    {"stopButton", "stop", 123, "Stop video conversion"},
    {"aboutButton", "about", 205, "About"},
    {"helpButton", "help", 245, "Help"},
    {"exitButton", "exit", 285, "Exit"},
};

// A tool button's four images, its tooltip and its accessible name.
void SetToolLook(CButtonST* button, const char* glyph, const char* tooltip, const QRect& visible) {
    const ToolButtonImages images =
        RenderToolButtonImages(QString::fromLatin1(glyph), button->size(), visible);
    button->SetBitmapImages(images.over, Qt::magenta, images.normal, Qt::magenta, images.pressed,
                            Qt::magenta);
    button->SetDisabledImage(images.disabled);
    const QString tip = QString::fromLatin1(tooltip);
    button->SetTooltip(tip, true);
    button->setAccessibleName(tip);
}

// The part of a tool button nothing covers: the list's top edge reaches up
// into the buttons.
QRect VisibleToolPart() {
    return QRect(0, 0, DluToPixelsX(kToolWidth), DluToPixelsY(kListY) - DluToPixelsY(kToolY));
}

CButtonST* MakeToolButton(QWidget* parent, const ToolPlace& place) {
    auto* button = new CButtonST(parent);
    button->setObjectName(QString::fromLatin1(place.objectName));
    button->setGeometry(DluRect(place.x, kToolY, kToolWidth, kToolHeight));
    button->setAutoDefault(false);
    return button;
}

QLabel* MakeLabel(QWidget* parent, const char* text, const QRect& rect) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setGeometry(rect);
    return label;
}

QComboBox* MakeDropDown(QWidget* parent, const char* objectName, int x, int y, QLabel* label) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(objectName));
    combo->setEditable(false);
    combo->setMaxVisibleItems(12);
    combo->setGeometry(DluRect(x, y, 238, kComboHeight));
    // The label names the list for screen readers, with and without the relation.
    label->setBuddy(combo);
    combo->setAccessibleName(label->text().chopped(1));
    return combo;
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* objectName, const char* text,
                        const QRect& rect) {
    auto* box = new QCheckBox(QString::fromLatin1(text), parent);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setGeometry(rect);
    // The caption keeps its blanks; screen readers get the words alone.
    box->setAccessibleName(box->text().trimmed());
    return box;
}

CButtonST* MakeSmallButton(QWidget* parent, const char* objectName, const QRect& rect) {
    auto* button = new CButtonST(parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setGeometry(rect);
    button->setAutoDefault(false);
    button->SetTransparentBackground(false);
    return button;
}

} // namespace

void CKivVideoConverterDlg::CreateControls() {
    setObjectName(QStringLiteral("KivVideoConverter"));
    // A normal top-level window (shown in the task bar, can be minimised by
    // the desktop) with a caption, a system menu and a close box, no
    // minimise or maximise box, and a fixed size.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(DluToPixelsX(kDialogWidth), DluToPixelsY(kDialogHeight));
    QFont dialogFont = font();
    dialogFont.setPointSize(8);
    setFont(dialogFont);

    CButtonST** tools[] = {&addButton_,  &removeButton_, &startButton_, &pauseButton_,
                           &stopButton_, &aboutButton_,  &helpButton_,  &exitButton_};
    for (std::size_t i = 0; i < std::size(kTools); ++i)
        *tools[i] = MakeToolButton(this, kTools[i]);

    list_ = new CXListCtrl(this);
    list_->setObjectName(QStringLiteral("fileList"));
    list_->setGeometry(DluRect(kListX, kListY, kListWidth, kListHeight));
    list_->setAccessibleName(QStringLiteral("Video files"));
    // The tool buttons reach down into the list's top edge; the list's
    // header stays whole above them.
    list_->raise();

    QLabel* folderLabel = MakeLabel(this, "Output Directory:", DluRect(3, 162, 57, 10));
    outputFolderEdit_ = new QLineEdit(this);
    outputFolderEdit_->setObjectName(QStringLiteral("outputFolder"));
    outputFolderEdit_->setGeometry(DluRect(61, 160, 236, 15));
    outputFolderEdit_->setEnabled(false);
    outputFolderEdit_->setAccessibleName(QStringLiteral("Output Directory"));
    folderButton_ = MakeSmallButton(this, "folderButton", DluRect(301, 159, 22, 16));

    QLabel* formatLabel = MakeLabel(this, "Output Format:", DluRect(4, 183, 53, 10));
    formatList_ = MakeDropDown(this, "formatList", 61, 180, formatLabel);
    QLabel* profileLabel = MakeLabel(this, "Video Profile:", DluRect(4, 201, 44, 10));
    profileList_ = MakeDropDown(this, "profileList", 62, 198, profileLabel);
    editButton_ = MakeSmallButton(this, "editButton", DluRect(301, 197, 22, 15));

    openFolderBox_ = MakeCheckBox(this, "openFolderBox", " Open Output Directory after finished ",
                                  DluRect(3, 215, 129, 13));
    shutdownBox_ =
        MakeCheckBox(this, "shutdownBox", " Shutdown PC after finished ", DluRect(4, 228, 121, 13));
    FitTextsToWidths({folderLabel, formatLabel, profileLabel});
    FitTextsToWidths({openFolderBox_, shutdownBox_});

    siteLink_ = new CHyperLink(this);
    siteLink_->setObjectName(QStringLiteral("siteLink"));
    siteLink_->setGeometry(DluRect(152, 218, 146, 8));
    faqLink_ = new CHyperLink(this);
    faqLink_->setObjectName(QStringLiteral("faqLink"));
    faqLink_->setGeometry(DluRect(152, 230, 146, 8));

    CreateMenus();
    CreateShortcuts();
}

void CKivVideoConverterDlg::CreateMenus() {
    popMenu_ = new QMenu(QStringLiteral("Pop"), this);
    popMenu_->setObjectName(QStringLiteral("popMenu"));
    addAction_ = popMenu_->addAction(QStringLiteral("&Add"), this, &CKivVideoConverterDlg::OnAdd);
    deleteAction_ =
        popMenu_->addAction(QStringLiteral("&Delete"), this, &CKivVideoConverterDlg::OnRemove);
    clearAction_ =
        popMenu_->addAction(QStringLiteral("&Clear"), this, &CKivVideoConverterDlg::OnClear);
    splitAction_ =
        popMenu_->addAction(QStringLiteral("&Split"), this, &CKivVideoConverterDlg::OnSplit);

    dirMenu_ = new QMenu(QStringLiteral("Dir"), this);
    dirMenu_->setObjectName(QStringLiteral("dirMenu"));
    browseAction_ =
        dirMenu_->addAction(QStringLiteral("Browse"), this, &CKivVideoConverterDlg::OnBrowse);
    openAction_ =
        dirMenu_->addAction(QStringLiteral("Open"), this, &CKivVideoConverterDlg::OnOpenFolder);
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
    addKey(QKeySequence(Qt::Key_Delete), removeButton_, &CKivVideoConverterDlg::OnRemove);
    addKey(QKeySequence(Qt::CTRL | Qt::Key_O), addButton_, &CKivVideoConverterDlg::OnAdd);
    addKey(QKeySequence(Qt::Key_F1), helpButton_, &CKivVideoConverterDlg::OnHelp);
}

void CKivVideoConverterDlg::SetPauseButtonLook(bool paused) {
    if (paused)
        SetToolLook(pauseButton_, "resume", "Resume video conversion", VisibleToolPart());
    else
        SetToolLook(pauseButton_, "pause", "Pause video conversion", VisibleToolPart());
}

void CKivVideoConverterDlg::SetUpButtonImages() {
    const QRect visible = VisibleToolPart();
    CButtonST* tools[] = {addButton_,  removeButton_, startButton_, pauseButton_,
                          stopButton_, aboutButton_,  helpButton_,  exitButton_};
    for (std::size_t i = 0; i < std::size(kTools); ++i)
        SetToolLook(tools[i], kTools[i].glyph, kTools[i].tooltip, visible);

    const struct {
        CButtonST* button;
        const char* glyph;
        const char* name;
    } smallButtons[] = {{folderButton_, "folder", "Output folder"},
                        {editButton_, "edit", "Edit video profile"}};
    for (const auto& small : smallButtons) {
        const QString glyph = QString::fromLatin1(small.glyph);
        small.button->SetIconImages(RenderSmallIcon(glyph, kSmallIconSide), QPixmap());
        small.button->SetDisabledImage(RenderSmallIcon(glyph, kSmallIconSide, true).toImage());
        small.button->setAccessibleName(QString::fromLatin1(small.name));
    }
    // The folder menu button has no tooltip; the edit button has one.
    editButton_->SetTooltip(QStringLiteral("Edit video profile"), true);
}

void CKivVideoConverterDlg::SetUpFileList() {
    listView_ = new FileListView(*list_, table_, this);
    listView_->SetUpColumns();
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        ShowPopMenu(list_->viewport()->mapToGlobal(position));
    });
}

} // namespace kiv
