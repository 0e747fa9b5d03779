#pragma once
// The About box: the application icon, the version and two lines about
// the makers, closed with OK.

#include <QDialog>

namespace kiv {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace kiv
