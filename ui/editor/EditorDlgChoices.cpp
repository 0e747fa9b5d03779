// The editor's way to what goes into the file beyond the profile's values
// (ChoicesDlg) and to profiles of the user's own.

#include "ChoicesDlg.h"
#include "EditorDlg.h"
#include "FixedText.h"
#include "MessageBoxes.h"
#include "TargetKind.h"
#include "UserProfiles.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QInputDialog>

namespace kiv {

void CEditorDlg::onChoices() {
    const bool constantQuality = EncodesAtConstantQuality(targetKind_);
    ChoicesDlg dialog(targetKind_, choices_,
                      constantQuality ? videoBitrate_->currentText() : QString(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    choices_ = dialog.Choices();
    if (int at = videoBitrate_->findText(dialog.Quality()); constantQuality && at >= 0)
        videoBitrate_->setCurrentIndex(at);
}

bool CEditorDlg::SaveAsMyProfile(const QString& name, QString* reason) {
    TakeControlValues();
    UserProfile mine;
    mine.name = name.trimmed().toStdString();
    mine.category = category_;
    mine.values = profile_;
    SetText(mine.values.ProfileName, mine.name);
    mine.choices = choices_;
    std::string why;
    if (SaveUserProfile(UserProfilesFolder(), mine, why))
        return true;
    if (reason)
        *reason = QString::fromStdString(why);
    return false;
}

void CEditorDlg::onSaveMine() {
    bool given = false;
    const QString name =
        QInputDialog::getText(this, tr("Save as my profile"),
                              tr("Name of your profile (one of the same name is replaced):"),
                              QLineEdit::Normal, QString(), &given);
    if (!given)
        return;
    QString reason;
    if (SaveAsMyProfile(name, &reason))
        ShowMessage(this, tr("Save as my profile"),
                    tr("Saved as \"%1\" under \"%2\".")
                        .arg(name.trimmed(),
                             QCoreApplication::translate("kiv::Catalogue", kMyProfilesFormat)),
                    MessageIcon::Information);
    else
        ShowMessage(this, tr("Save as my profile"), tr("Not saved: %1.").arg(reason),
                    MessageIcon::Warning);
}

} // namespace kiv
