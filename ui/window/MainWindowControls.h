#pragma once
// The main window's controls, made in their places (dialog units), with
// their images, tooltips, accessible names and the links' targets. The
// window connects them to its commands, and places them as it grows.
//
//     MainWindowControls ui = CreateMainWindowControls(window);
//     connect(ui.add, &QAbstractButton::clicked, ...);
//     ui.layout.Place(window.minimumSize(), window.size());  // resizeEvent

#include "GrowingLayout.h"

class QCheckBox;
class QComboBox;
class QDialog;
class QLineEdit;

namespace kiv {

class CButtonST;
class CHyperLink;
class CXListCtrl;

struct MainWindowControls {
    CButtonST* add = nullptr;
    CButtonST* remove = nullptr;
    CButtonST* start = nullptr;
    CButtonST* pause = nullptr; // in Start's place while a batch runs
    CButtonST* stop = nullptr;
    CButtonST* about = nullptr;
    CButtonST* help = nullptr;
    CButtonST* exit = nullptr;
    // "Files at once": Automatic, then 1 up to the cores.
    QComboBox* filesAtOnce = nullptr;
    CXListCtrl* list = nullptr;
    QLineEdit* outputFolder = nullptr;
    CButtonST* folder = nullptr; // opens the "Dir" menu
    QComboBox* formats = nullptr;
    QComboBox* profiles = nullptr;
    CButtonST* edit = nullptr;
    QCheckBox* openFolderBox = nullptr;
    QCheckBox* shutdownBox = nullptr;
    CHyperLink* siteLink = nullptr;
    CHyperLink* faqLink = nullptr;
    // The list takes the room the window gains; the controls below it move
    // down, those at the right edge move right, the fields widen.
    GrowingLayout layout;
};

// Makes every control of the window, as a child of window, and gives the
// window its smallest size (the size it was designed at), its font and
// flags.
MainWindowControls CreateMainWindowControls(QDialog& window);

// The "Files at once" list's entry for a settings value (0 Automatic, else
// a count; a count beyond the list picks its last entry), and the value of
// its current entry.
void ShowFilesAtOnce(QComboBox& list, int value);
int ChosenFilesAtOnce(const QComboBox& list);

// The Pause button as Pause, or as Resume while the batch is paused.
void ShowPauseLook(CButtonST& pause, bool paused);

} // namespace kiv
