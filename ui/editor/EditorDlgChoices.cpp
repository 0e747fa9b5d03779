// The editor's way to what goes into the file beyond the profile's values
// (ChoicesDlg) and to profiles of the user's own (MyProfilesDlg).

#include "ChoicesDlg.h"
#include "EditorDlg.h"
#include "FixedText.h"
#include "MyProfilesDlg.h"
#include "TargetKind.h"
#include "UserProfiles.h"

#include <QComboBox>

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
    TakeControlValues();
    UserProfile working;
    working.category = category_;
    working.values = profile_;
    working.choices = choices_;
    MyProfilesDlg dialog(working, this);
    dialog.exec();
}

} // namespace kiv
