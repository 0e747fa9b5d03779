#pragma once
// "My profiles", opened by the editor's "Save as my profile…": the working
// profile saved under a name, and the user's own profiles renamed, deleted,
// exported to a file or imported from one. A change that cannot be made is
// told in a message and changes nothing.
//
// The commands (SaveAs, Rename, Delete, Export, Import) are what the
// buttons do after asking for a name or a file; tests call them directly.

#include "UserProfiles.h"

#include <QDialog>

class QLineEdit;
class QListWidget;

namespace kiv {

class MyProfilesDlg : public QDialog {
    Q_OBJECT
public:
    // working: the profile as the editor holds it, with its name unset.
    MyProfilesDlg(const UserProfile& working, QWidget* parent = nullptr);

    // Each returns false with the reason shown in a message.
    bool SaveAs(const QString& name);
    bool Rename(const QString& name, const QString& newName);
    bool Delete(const QString& name);
    bool Export(const QString& name, const QString& path);
    bool Import(const QString& path);

    // The names listed, in order.
    QStringList Names() const;

private:
    void Refresh(const QString& selected = QString());
    QString Selected() const;
    bool Done(bool done, const std::string& reason);

    UserProfile working_;
    QLineEdit* name_ = nullptr;
    QListWidget* list_ = nullptr;
};

} // namespace kiv
