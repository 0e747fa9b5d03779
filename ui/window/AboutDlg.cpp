#include "AboutDlg.h"

#include "DialogUnits.h"
#include "MakerTexts.h"
#include "ToolImages.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace kiv {

namespace {

constexpr int kIconSide = 32;

QLabel* MakeText(QWidget* parent, const QString& text, int x, int y, const char* objectName) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setGeometry(DluRect(x, y, 180, 8));
    label->adjustSize();
    return label;
}

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutKivVideoConverter"));
    setWindowTitle(tr("About KivVideoConverter"));
    setFixedSize(DluToPixelsX(235), DluToPixelsY(90));
    QFont dialogFont = font();
    dialogFont.setPointSize(8);
    setFont(dialogFont);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setPixmap(ApplicationIcon().pixmap(kIconSide, kIconSide));
    icon->setGeometry(DluToPixelsX(11), DluToPixelsY(17), kIconSide, kIconSide);
    icon->setAccessibleName(QStringLiteral("Kiv Video Converter"));

    MakeText(this, tr("KivVideoConverter Version 1.0"), 40, 10, "version");
    MakeText(this, QCoreApplication::translate("kiv::MainWindow", kMakerLine), 40, 25, "makerLine");
    MakeText(this, QCoreApplication::translate("kiv::MainWindow", kMakerNote), 39, 39, "makerNote");

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setGeometry(DluRect(178, 7, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace kiv
