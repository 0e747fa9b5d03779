#include "MyProfilesDlg.h"

#include "FixedText.h"
#include "MessageBoxes.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace kiv {

namespace {

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

std::string Text(const QString& text) {
    return text.trimmed().toStdString();
}

} // namespace

MyProfilesDlg::MyProfilesDlg(const UserProfile& working, QWidget* parent)
    : QDialog(parent), working_(working) {
    setWindowTitle(tr("My profiles"));
    auto* grid = new QGridLayout(this);
    auto* nameLabel = new QLabel(tr("&Name:"), this);
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("profileName"));
    name_->setAccessibleName(tr("Name"));
    nameLabel->setBuddy(name_);
    QPushButton* save = MakeButton(this, "saveAs", tr("&Save as my profile"));
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(name_, 0, 1);
    grid->addWidget(save, 0, 2);

    auto* listLabel = new QLabel(tr("&Your profiles:"), this);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("myProfiles"));
    list_->setAccessibleName(tr("Your profiles"));
    listLabel->setBuddy(list_);
    grid->addWidget(listLabel, 1, 0, 1, 3);
    grid->addWidget(list_, 2, 0, 4, 2);
    QPushButton* rename = MakeButton(this, "rename", tr("&Rename…"));
    QPushButton* remove = MakeButton(this, "delete", tr("&Delete"));
    QPushButton* exportButton = MakeButton(this, "export", tr("&Export…"));
    QPushButton* import = MakeButton(this, "import", tr("&Import…"));
    grid->addWidget(rename, 2, 2);
    grid->addWidget(remove, 3, 2);
    grid->addWidget(exportButton, 4, 2);
    grid->addWidget(import, 5, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    grid->addWidget(buttons, 6, 0, 1, 3);

    connect(save, &QPushButton::clicked, this, [this] { SaveAs(name_->text()); });
    connect(rename, &QPushButton::clicked, this, [this] {
        const QString name = Selected();
        bool given = false;
        QString newName = QInputDialog::getText(this, tr("Rename"), tr("New name:"),
                                                QLineEdit::Normal, name, &given);
        if (!name.isEmpty() && given)
            Rename(name, newName);
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        const QString name = Selected();
        if (!name.isEmpty() &&
            AskYesNo(this, tr("Delete"), tr("Delete your profile \"%1\"?").arg(name)))
            Delete(name);
    });
    connect(exportButton, &QPushButton::clicked, this, [this] {
        const QString name = Selected();
        QString path =
            name.isEmpty()
                ? QString()
                : QFileDialog::getSaveFileName(this, tr("Export"), name + kProfileFileExtension,
                                               tr("Profiles (*%1)").arg(kProfileFileExtension));
        if (!path.isEmpty())
            Export(name, path);
    });
    connect(import, &QPushButton::clicked, this, [this] {
        QString path = QFileDialog::getOpenFileName(
            this, tr("Import"), QString(), tr("Profiles (*%1)").arg(kProfileFileExtension));
        if (!path.isEmpty())
            Import(path);
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Refresh();
}

QStringList MyProfilesDlg::Names() const {
    QStringList names;
    for (int i = 0; i < list_->count(); ++i)
        names << list_->item(i)->text();
    return names;
}

void MyProfilesDlg::Refresh(const QString& selected) {
    list_->clear();
    for (const StoredProfile& stored : LoadUserProfiles(UserProfilesFolder()))
        list_->addItem(QString::fromStdString(stored.profile.name));
    QList<QListWidgetItem*> found = list_->findItems(selected, Qt::MatchExactly);
    list_->setCurrentRow(found.isEmpty() ? 0 : list_->row(found.front()));
}

QString MyProfilesDlg::Selected() const {
    return list_->currentItem() ? list_->currentItem()->text() : QString();
}

bool MyProfilesDlg::Done(bool done, const std::string& reason) {
    if (!done)
        ShowMessage(this, tr("My profiles"),
                    tr("Nothing was changed: %1.").arg(QString::fromStdString(reason)),
                    MessageIcon::Warning);
    return done;
}

bool MyProfilesDlg::SaveAs(const QString& name) {
    UserProfile mine = working_;
    mine.name = Text(name);
    SetText(mine.values.ProfileName, mine.name);
    std::string reason;
    bool saved = SaveUserProfile(UserProfilesFolder(), mine, reason);
    Refresh(name.trimmed());
    return Done(saved, reason);
}

bool MyProfilesDlg::Rename(const QString& name, const QString& newName) {
    std::string reason;
    bool renamed = RenameUserProfile(UserProfilesFolder(), Text(name), Text(newName), reason);
    Refresh(renamed ? newName.trimmed() : name);
    return Done(renamed, reason);
}

bool MyProfilesDlg::Delete(const QString& name) {
    std::string reason;
    bool deleted = DeleteUserProfile(UserProfilesFolder(), Text(name), reason);
    Refresh();
    return Done(deleted, reason);
}

bool MyProfilesDlg::Export(const QString& name, const QString& path) {
    std::string reason;
    return Done(ExportUserProfile(UserProfilesFolder(), Text(name), path.toStdString(), reason),
                reason);
}

bool MyProfilesDlg::Import(const QString& path) {
    std::string reason;
    UserProfile imported;
    bool done = ImportUserProfile(UserProfilesFolder(), path.toStdString(), imported, reason);
    Refresh(QString::fromStdString(imported.name));
    return Done(done, reason);
}

} // namespace kiv
