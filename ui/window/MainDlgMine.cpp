// The format "My profiles" after the built-in ones: the user's own profiles,
// read from the settings folder each time the format is picked. Picking one
// takes its values and its tracks rule and filters; the selection keeps the
// built-in format it was made from, so the settings file keeps its meaning.

#include "Catalogue.h"
#include "CatalogueNames.h"
#include "FixedText.h"
#include "KeptList.h"
#include "MainDlg.h"
#include "MessageBoxes.h"
#include "Vocabularies.h"

#include <QComboBox>

namespace kiv {

bool CKivVideoConverterDlg::MyProfilesShown() const {
    return ui_.formats->currentIndex() == CategoryCount();
}

void CKivVideoConverterDlg::FillMyProfiles() {
    myProfiles_ = LoadUserProfiles(UserProfilesFolder());
    ui_.profiles->clear();
    for (const StoredProfile& stored : myProfiles_)
        ui_.profiles->addItem(QString::fromStdString(stored.profile.name));
    if (myProfiles_.empty())
        ShowMessage(this, ShownCategoryName(kMyProfilesFormat),
                    tr("You have no profiles of your own yet: \"Save as my profile…\" in the "
                       "profile editor makes one."),
                    MessageIcon::Information);
}

void CKivVideoConverterDlg::TakeMyProfile(int index) {
    if (index < 0 || index >= static_cast<int>(myProfiles_.size()))
        return;
    const UserProfile& mine = myProfiles_[static_cast<std::size_t>(index)].profile;
    const ProfileCategory* category = GetCategory(mine.category);
    ProfileSelection selection = selection_;
    selection.Kind = mine.category;
    selection.Class = 0;
    SelectionFromProfile(mine.values, category->Target, selection);
    selection_ = selection;
    currentProfile_ = mine.values;
    workingProfile_ = currentProfile_;
    workingChoices_ = mine.choices;
    keptList_->Changed();
}

} // namespace kiv
