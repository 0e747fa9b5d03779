#include "MainWindowControls.h"

#include "CButtonST.h"
#include "CHyperLink.h"
#include "CXListCtrl.h"
#include "DesktopOpen.h"
#include "DialogUnits.h"
#include "FittedText.h"
#include "MakerTexts.h"
#include "MessageBoxes.h"
#include "Settings.h"
#include "ToolImages.h"
#include "Translations.h"
#include "runs/FilesAtOnce.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QUrl>

#include <algorithm>

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
    {"addButton", "add", 2, QT_TRANSLATE_NOOP("kiv::MainWindow", "Add video files")},
    {"removeButton", "remove", 43, QT_TRANSLATE_NOOP("kiv::MainWindow", "Remove video files")},
    {"startButton", "start", 83, QT_TRANSLATE_NOOP("kiv::MainWindow", "Start video conversion")},
    {"pauseButton", "pause", 83,
     QT_TRANSLATE_NOOP("kiv::MainWindow",
                       "Pause video conversion")}, // in Start's place, while busy
    {"stopButton", "stop", 123, QT_TRANSLATE_NOOP("kiv::MainWindow", "Stop video conversion")},
    {"aboutButton", "about", 205, QT_TRANSLATE_NOOP("kiv::MainWindow", "About")},
    {"helpButton", "help", 245, QT_TRANSLATE_NOOP("kiv::MainWindow", "Help")},
    {"exitButton", "exit", 285, QT_TRANSLATE_NOOP("kiv::MainWindow", "Exit")},
};

// A tool button's four images, its tooltip and its accessible name.
void SetToolLook(CButtonST* button, const char* glyph, const char* tooltip, const QRect& visible) {
    const ToolButtonImages images =
        RenderToolButtonImages(QString::fromLatin1(glyph), button->size(), visible);
    button->SetBitmapImages(images.over, Qt::magenta, images.normal, Qt::magenta, images.pressed,
                            Qt::magenta);
    button->SetDisabledImage(images.disabled);
    const QString tip = QCoreApplication::translate("kiv::MainWindow", tooltip);
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
    auto* label = new QLabel(QCoreApplication::translate("kiv::MainWindow", text), parent);
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
    combo->setAccessibleName(label->text().chopped(1).trimmed());
    return combo;
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* objectName, const char* text,
                        const QRect& rect) {
    auto* box = new QCheckBox(QCoreApplication::translate("kiv::MainWindow", text), parent);
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

void SetUpButtonImages(const MainWindowControls& ui) {
    const QRect visible = VisibleToolPart();
    CButtonST* tools[] = {ui.add,  ui.remove, ui.start, ui.pause,
                          ui.stop, ui.about,  ui.help,  ui.exit};
    for (std::size_t i = 0; i < std::size(kTools); ++i)
        SetToolLook(tools[i], kTools[i].glyph, kTools[i].tooltip, visible);

    const struct {
        CButtonST* button;
        const char* glyph;
        const char* name;
    } smallButtons[] = {
        {ui.folder, "folder", QT_TRANSLATE_NOOP("kiv::MainWindow", "Output folder")},
        {ui.edit, "edit", QT_TRANSLATE_NOOP("kiv::MainWindow", "Edit video profile")}};
    for (const auto& small : smallButtons) {
        const QString glyph = QString::fromLatin1(small.glyph);
        small.button->SetIconImages(RenderSmallIcon(glyph, kSmallIconSide), QPixmap());
        small.button->SetDisabledImage(RenderSmallIcon(glyph, kSmallIconSide, true).toImage());
        small.button->setAccessibleName(QCoreApplication::translate("kiv::MainWindow", small.name));
    }
    // The folder menu button has no tooltip; the edit button has one.
    ui.edit->SetTooltip(QCoreApplication::translate("kiv::MainWindow", "Edit video profile"), true);
}

// The links open their pages the desktop's way: a desktop that cannot open
// them at once makes the link say so; one whose opener fails later, the
// window.
void SetUpLinks(const MainWindowControls& ui, QDialog& window) {
    const QString folder = QString::fromStdString(ProgramDirectory());
    const struct {
        CHyperLink* link;
        const char* text;
        const char* page;
    } links[] = {{ui.siteLink, kWebSiteLinkText, kWebSitePage},
                 {ui.faqLink, kFaqLinkText, kFaqPage}};
    for (const auto& l : links) {
        l.link->setText(QCoreApplication::translate("kiv::MainWindow", l.text));
        l.link->SetLinkTarget(folder + HelpPage(folder, QString::fromLatin1(l.page)));
        l.link->setAccessibleName(l.link->text());
        l.link->SetUrlOpener([owner = QPointer<QWidget>(&window)](const QUrl& url) {
            return OpenOnDesktop(url, [owner, url] {
                ShowMessage(owner, QCoreApplication::translate("kiv::MainWindow", "Warning"),
                            DesktopCannotOpenText(url.toLocalFile()), MessageIcon::Warning);
            });
        });
    }
}

} // namespace

MainWindowControls CreateMainWindowControls(QDialog& window) {
    MainWindowControls ui;
    window.setObjectName(QStringLiteral("KivVideoConverter"));
    // A normal top-level window (shown in the task bar) with a caption, a
    // system menu, minimise, maximise and close boxes; its designed size is
    // its smallest.
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint);
    const QSize smallest(DluToPixelsX(kDialogWidth), DluToPixelsY(kDialogHeight));
    window.setMinimumSize(smallest);
    window.resize(smallest);
    QFont dialogFont = window.font();
    dialogFont.setPointSize(8);
    window.setFont(dialogFont);

    CButtonST** tools[] = {&ui.add,  &ui.remove, &ui.start, &ui.pause,
                           &ui.stop, &ui.about,  &ui.help,  &ui.exit};
    for (std::size_t i = 0; i < std::size(kTools); ++i)
        *tools[i] = MakeToolButton(&window, kTools[i]);

    // Beside the tools, where the batch is started.
    QLabel* filesAtOnceLabel = MakeLabel(&window, "", DluRect(161, 12, 43, 10));
    filesAtOnceLabel->setText(QCoreApplication::translate("kiv::MainWindow", "Files at once:"));
    ui.filesAtOnce = new QComboBox(&window);
    ui.filesAtOnce->setObjectName(QStringLiteral("filesAtOnceList"));
    ui.filesAtOnce->setGeometry(DluRect(161, 23, 43, kComboHeight));
    ui.filesAtOnce->addItem(QCoreApplication::translate("kiv::MainWindow", "Automatic"));
    for (int count = 1; count <= UsableCores(); ++count)
        ui.filesAtOnce->addItem(QString::number(count));
    ui.filesAtOnce->setToolTip(QCoreApplication::translate(
        "kiv::MainWindow", "How many files are converted at once. Automatic chooses from the "
                           "processor's cores, the format and the memory."));
    filesAtOnceLabel->setBuddy(ui.filesAtOnce);
    ui.filesAtOnce->setAccessibleName(filesAtOnceLabel->text().chopped(1));
    FitTextsToWidths({filesAtOnceLabel, ui.filesAtOnce});
    // Reached between the batch's buttons and About, where it stands.
    QWidget::setTabOrder(ui.stop, ui.filesAtOnce);
    QWidget::setTabOrder(ui.filesAtOnce, ui.about);

    ui.list = new CXListCtrl(&window);
    ui.list->setObjectName(QStringLiteral("fileList"));
    ui.list->setGeometry(DluRect(kListX, kListY, kListWidth, kListHeight));
    ui.list->setAccessibleName(QCoreApplication::translate("kiv::MainWindow", "Video files"));
    // The tool buttons reach down into the list's top edge; the list's
    // header stays whole above them.
    ui.list->raise();

    QLabel* folderLabel =
        MakeLabel(&window, QT_TRANSLATE_NOOP("kiv::MainWindow", "Output Directory:"),
                  DluRect(3, 162, 57, 10));
    ui.outputFolder = new QLineEdit(&window);
    ui.outputFolder->setObjectName(QStringLiteral("outputFolder"));
    ui.outputFolder->setGeometry(DluRect(61, 160, 236, 15));
    ui.outputFolder->setEnabled(false);
    ui.outputFolder->setAccessibleName(
        QCoreApplication::translate("kiv::MainWindow", "Output Directory"));
    ui.folder = MakeSmallButton(&window, "folderButton", DluRect(301, 159, 22, 16));

    QLabel* formatLabel = MakeLabel(&window, QT_TRANSLATE_NOOP("kiv::MainWindow", "Output Format:"),
                                    DluRect(4, 183, 53, 10));
    ui.formats = MakeDropDown(&window, "formatList", 61, 180, formatLabel);
    QLabel* profileLabel = MakeLabel(
        &window, QT_TRANSLATE_NOOP("kiv::MainWindow", "Video Profile:"), DluRect(4, 201, 44, 10));
    ui.profiles = MakeDropDown(&window, "profileList", 62, 198, profileLabel);
    ui.edit = MakeSmallButton(&window, "editButton", DluRect(301, 197, 22, 15));

    ui.openFolderBox =
        MakeCheckBox(&window, "openFolderBox",
                     QT_TRANSLATE_NOOP("kiv::MainWindow", " Open Output Directory after finished "),
                     DluRect(3, 215, 129, 13));
    ui.shutdownBox =
        MakeCheckBox(&window, "shutdownBox",
                     QT_TRANSLATE_NOOP("kiv::MainWindow", " Shutdown PC after finished "),
                     DluRect(4, 228, 121, 13));
    FitTextsToWidths({folderLabel, formatLabel, profileLabel});
    FitTextsToWidths({ui.openFolderBox, ui.shutdownBox});

    ui.siteLink = new CHyperLink(&window);
    ui.siteLink->setObjectName(QStringLiteral("siteLink"));
    ui.siteLink->setGeometry(DluRect(152, 218, 146, 8));
    ui.faqLink = new CHyperLink(&window);
    ui.faqLink->setObjectName(QStringLiteral("faqLink"));
    ui.faqLink->setGeometry(DluRect(152, 230, 146, 8));

    SetUpButtonImages(ui);
    SetUpLinks(ui, window);

    const struct {
        QWidget* control;
        unsigned follow;
    } follows[] = {
        {ui.about, Follow::MoveRight},
        {ui.help, Follow::MoveRight},
        {ui.exit, Follow::MoveRight},
        {ui.list, Follow::Widen | Follow::Heighten},
        {folderLabel, Follow::MoveDown},
        {ui.outputFolder, Follow::MoveDown | Follow::Widen},
        {ui.folder, Follow::MoveDown | Follow::MoveRight},
        {formatLabel, Follow::MoveDown},
        {ui.formats, Follow::MoveDown | Follow::Widen},
        {profileLabel, Follow::MoveDown},
        {ui.profiles, Follow::MoveDown | Follow::Widen},
        {ui.edit, Follow::MoveDown | Follow::MoveRight},
        {ui.openFolderBox, Follow::MoveDown},
        {ui.shutdownBox, Follow::MoveDown},
        {ui.siteLink, Follow::MoveDown | Follow::MoveRight},
        {ui.faqLink, Follow::MoveDown | Follow::MoveRight},
    };
    for (const auto& f : follows)
        ui.layout.Add(f.control, f.follow);
    return ui;
}

void ShowFilesAtOnce(QComboBox& list, int value) {
    list.setCurrentIndex(std::clamp(value, 0, list.count() - 1));
}

int ChosenFilesAtOnce(const QComboBox& list) {
    return std::max(0, list.currentIndex());
}

void ShowPauseLook(CButtonST& pause, bool paused) {
    if (paused)
        SetToolLook(&pause, "resume",
                    QT_TRANSLATE_NOOP("kiv::MainWindow", "Resume video conversion"),
                    VisibleToolPart());
    else
        SetToolLook(&pause, "pause", QT_TRANSLATE_NOOP("kiv::MainWindow", "Pause video conversion"),
                    VisibleToolPart());
}

} // namespace kiv
