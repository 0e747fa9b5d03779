// The main window's commands: format and profile picks, the profile
// editor, the output-folder menu, About, Help and Exit, and the list's
// commands as the window offers them.

#include "AboutDlg.h"
#include "CButtonST.h"
#include "Catalogue.h"
#include "CatalogueNames.h"
#include "DesktopOpen.h"
#include "EditorDlg.h"
#include "FileListCommands.h"
#include "FixedText.h"
#include "KeptList.h"
#include "Log.h"
#include "MainDlg.h"
#include "MessageBoxes.h"
#include "OpenFolder.h"
#include "Settings.h"
#include "Translations.h"
#include "Vocabularies.h"
#include "WindowPlaces.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QUrl>

namespace kiv {

int CKivVideoConverterDlg::CurrentCategoryIndex() const {
    // The category whose shown name is the displayed text; else the first.
    const QString shown = ui_.formats->currentText();
    for (int c = 0; c < CategoryCount(); ++c) {
        if (shown == ShownCategoryName(GetCategory(c)->CategoryName))
            return c;
    }
    return 0;
}

int CKivVideoConverterDlg::CurrentTargetKind() const {
    const ProfileCategory* category = GetCategory(selection_.Kind);
    return category ? category->Target : 0;
}

void CKivVideoConverterDlg::FillProfileList(int categoryIndex) {
    ui_.profiles->clear();
    const ProfileCategory* category = GetCategory(categoryIndex);
    if (!category)
        return;
    for (int p = 0; p < category->ProfileCount; ++p)
        ui_.profiles->addItem(ShownProfileName(category->Profiles[p].ProfileName));
}

void CKivVideoConverterDlg::OnFormatPick() {
    const int index = CurrentCategoryIndex();
    const ProfileCategory* category = GetCategory(index);
    FillProfileList(index);
    ui_.profiles->setCurrentIndex(0);
    SelectionFromProfile(category->Profiles[0], category->Target, selection_);
    selection_.Kind = index;
    selection_.Class = 0;
    currentProfile_ = category->Profiles[0];
    workingProfile_ = currentProfile_;
    keptList_->Changed();
}

void CKivVideoConverterDlg::OnProfilePick() {
    const int index = CurrentCategoryIndex();
    const ProfileCategory* category = GetCategory(index);
    const int p = ui_.profiles->currentIndex();
    if (p < 0 || p >= category->ProfileCount)
        return;
    SelectionFromProfile(category->Profiles[p], category->Target, selection_);
    selection_.Kind = index;
    selection_.Class = p;
    currentProfile_ = category->Profiles[p];
    workingProfile_ = currentProfile_;
    keptList_->Changed();
}

void CKivVideoConverterDlg::OnEditProfile() {
    const ProfileCategory* category = GetCategory(CurrentCategoryIndex());
    CEditorDlg editor(this);
    editor.SetTargetKind(category->Target);
    editor.SetProfile(currentProfile_);
    if (editor.exec() != QDialog::Accepted)
        return;
    // Conversions use the edit at once; only Save makes it the profile the
    // selection names (and the settings keep).
    workingProfile_ = editor.Profile();
    ProfileSelection fresh{};
    SelectionFromProfile(workingProfile_, category->Target, fresh);
    if (editor.IsSaved()) {
        selection_ = fresh;
        currentProfile_ = workingProfile_;
        keptList_->Changed();
    }
    ui_.profiles->setCurrentIndex(fresh.Class);
}

void CKivVideoConverterDlg::ShowDirMenu() {
    // At the mouse when the button was clicked; below the button from the keyboard.
    const QPoint cursor = QCursor::pos();
    const bool underMouse = ui_.folder->rect().contains(ui_.folder->mapFromGlobal(cursor));
    dirMenu_->popup(underMouse ? cursor : ui_.folder->mapToGlobal(ui_.folder->rect().bottomLeft()));
}

void CKivVideoConverterDlg::OnBrowse() {
    QString picked =
        QFileDialog::getExistingDirectory(this, tr("Select output folder"), outputFolder_);
    if (!picked.isEmpty()) {
        if (!picked.endsWith(QLatin1Char('/')))
            picked += QLatin1Char('/');
        outputFolder_ = picked;
        keptList_->Changed();
    }
    ui_.outputFolder->setText(outputFolder_);
}

void CKivVideoConverterDlg::OnOpenFolder() {
    OpenFolder(outputFolder_); // says so when the desktop cannot
}

void CKivVideoConverterDlg::OnAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CKivVideoConverterDlg::OnHelp() {
    const QString folder = QString::fromStdString(ProgramDirectory());
    OpenOrSay(this,
              QUrl::fromLocalFile(folder + HelpPage(folder, QStringLiteral("help/index.html"))));
}

void CKivVideoConverterDlg::OnExit() {
    settings_.AFO = ui_.openFolderBox->isChecked() ? 1 : 0;
    settings_.AFC = ui_.shutdownBox->isChecked() ? 1 : 0;
    settings_.FilesAtOnce = ChosenFilesAtOnce(*ui_.filesAtOnce);
    // A folder too long for the settings field is not saved cut short: the
    // settings keep the previous one.
    const QByteArray folder = outputFolder_.toUtf8();
    if (!folder.isEmpty() && FitsField(settings_.Folder, folder.toStdString()))
        SetText(settings_.Folder, folder.toStdString());
    // A settings file that cannot be read is left as it is, and a save that
    // fails is reported: one message for both saves.
    std::string reason;
    if (!SaveSettings(settings_, &reason) || !SaveSelection(selection_, &reason)) {
        WriteLog("Settings: not saved: " + reason);
        ShowMessage(this, tr("Warning"),
                    tr("Your settings were not saved.\n") + QString::fromStdString(reason),
                    MessageIcon::Warning);
    }
    SaveWindowGeometry("Main", saveGeometry());
    // A normal end: the next start begins with an empty list.
    keptList_->Forget();
    EndWindow(QDialog::Accepted);
}

void CKivVideoConverterDlg::OnAdd() {
    listCommands_->Add();
}

void CKivVideoConverterDlg::AddFiles(const QStringList& paths) {
    listCommands_->AddFiles(paths);
}

void CKivVideoConverterDlg::OnRemove() {
    listCommands_->Remove();
}

void CKivVideoConverterDlg::OnClear() {
    listCommands_->Clear();
}

void CKivVideoConverterDlg::OnSplit() {
    listCommands_->Split();
}

void CKivVideoConverterDlg::OnPreview() {
    listCommands_->Preview();
}

void CKivVideoConverterDlg::ShowPopMenu(const QPoint& globalPosition) {
    listCommands_->ShowPopMenu(globalPosition);
}

} // namespace kiv
