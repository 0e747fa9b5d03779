// Shows every custom control in its states, for looking at the real thing.
// Usage: kiv-controls-demo [--quit-after MS]

#include "CButtonST.h"
#include "CHyperLink.h"
#include "CRangeSlider.h"
#include "CXHeaderCtrl.h"
#include "CXListCtrl.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace kiv {
namespace {

// A 32 x 32 player image on a black (transparent) key: a triangle in colour.
QImage PlayImage(const QColor& colour) {
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(2, 2, 28, 28);
    p.setBrush(Qt::white);
    const QPoint triangle[3] = {{12, 9}, {12, 23}, {23, 16}};
    p.drawPolygon(triangle, 3);
    return image;
}

QPixmap FolderIcon(const QColor& colour) {
    QPixmap pm(20, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setBrush(colour);
    p.setPen(Qt::black);
    p.drawRect(0, 3, 19, 12);
    p.drawRect(0, 0, 8, 3);
    return pm;
}

CXListCtrl* MakeList(QWidget* parent) {
    auto* list = new CXListCtrl(parent);
    list->InsertColumn(0, QString(), Qt::AlignLeft, 40);
    list->InsertColumn(1, QStringLiteral("File Name"), Qt::AlignLeft, 170);
    list->InsertColumn(2, QStringLiteral("Duration"), Qt::AlignHCenter, 80);
    list->InsertColumn(3, QStringLiteral("Start"), Qt::AlignHCenter, 80);
    list->InsertColumn(4, QStringLiteral("End"), Qt::AlignHCenter, 80);
    list->InsertColumn(5, QStringLiteral("Status"), Qt::AlignLeft, 160);
    list->SetHeaderImageList(CXHeaderCtrl::CheckBoxImages(13, list->palette()));
    list->SetHeaderCheck(0, 1);
    const char* names[] = {"holiday.avi", "interview.mp4", "concert.mkv",
                           "lecture.wmv", "trailer.mov",   "locked.flv"};
    const int progress[] = {-1, 0, 1, 50, 100, -1};
    for (int row = 0; row < 6; ++row) {
        list->AddRow(row, QString());
        list->SetCellCheck(row, 0, row % 2 == 0 ? 1 : 0);
        list->SetCellText(row, 1, QString::fromLatin1(names[row]));
        list->SetCellText(row, 2, QStringLiteral("00:0%1:30").arg(row + 1));
        list->SetCellText(row, 3, QStringLiteral("00:00:00"));
        list->SetCellText(row, 4, QStringLiteral("00:0%1:30").arg(row + 1));
        if (progress[row] >= 0) {
            list->ShowCellProgress(row, 5, true);
            list->SetCellProgress(row, 5, progress[row]);
        } else {
            list->SetCellText(row, 5, QStringLiteral("Ready"));
        }
        list->SetCellTip(row, 1, QStringLiteral("/home/user/Videos/") + names[row]);
    }
    list->SetCellBold(0, 1, true);
    list->SetRowEnabled(5, false);
    list->SetComboBox(2, 3, {"00:00:00", "00:00:10", "00:00:20"}, 3, 1);
    list->SelectRow(2);
    list->SetShowSelectionAlways(true);
    return list;
}

} // namespace
} // namespace kiv

using namespace kiv;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Kiv controls"));
    auto* grid = new QGridLayout(&window);

    CXListCtrl* list = MakeList(&window);
    list->setMinimumSize(640, 190);
    grid->addWidget(list, 0, 0, 1, 6);

    const QImage in = PlayImage(QColor(40, 160, 255));
    const QImage out = PlayImage(QColor(30, 90, 170));
    const QImage pressed = PlayImage(QColor(20, 60, 120));
    const char* captions[] = {"idle", "pressed", "disabled", "icon", "caption", "icon+caption"};
    for (int i = 0; i < 6; ++i) {
        auto* button = new CButtonST(&window);
        button->setFixedSize(i < 3 ? QSize(32, 32) : QSize(i == 5 ? 110 : 70, 32));
        if (i < 3) {
            button->SetBitmapImages(in, Qt::black, out, Qt::black, pressed, Qt::black);
        }
        if (i == 3 || i == 5) {
            button->SetIconImages(FolderIcon(Qt::yellow), FolderIcon(QColor(200, 160, 40)));
        }
        if (i >= 4) {
            button->setText(i == 4 ? QStringLiteral("Start") : QStringLiteral("Output"));
        }
        button->SetTooltip(QString::fromLatin1(captions[i]), true);
        button->setDown(i == 1);
        button->setEnabled(i != 2);
        grid->addWidget(button, 1, i, Qt::AlignLeft);
        grid->addWidget(new QLabel(QString::fromLatin1(captions[i]), &window), 2, i);
    }

    auto* site = new CHyperLink(QStringLiteral("Kiv Video Converter web site"), &window);
    site->SetLinkTarget(QStringLiteral("https://kiv.example.org/"));
    auto* visited = new CHyperLink(QStringLiteral("Online FAQ (visited)"), &window);
    visited->SetUrlOpener([](const QUrl&) { return true; });
    visited->SetLinkTarget(QStringLiteral("https://kiv.example.org/faq"));
    grid->addWidget(site, 3, 0, 1, 3, Qt::AlignLeft);
    grid->addWidget(visited, 3, 3, 1, 3, Qt::AlignLeft);

    auto* slider = new CRangeSlider(&window);
    slider->setFixedHeight(20);
    slider->SetBounds(0, 120);
    slider->SetSelection(20, 75);
    grid->addWidget(slider, 4, 0, 1, 6);
    auto* rangeLabel = new QLabel(&window);
    grid->addWidget(rangeLabel, 5, 0, 1, 6);
    const auto showRange = [slider, rangeLabel](int code) {
        double a = 0, b = 0;
        slider->GetSelection(a, b);
        rangeLabel->setText(QStringLiteral("Selection %1 - %2 s (last change code %3)")
                                .arg(a, 0, 'f', 1)
                                .arg(b, 0, 'f', 1)
                                .arg(code));
    };
    QObject::connect(slider, &CRangeSlider::rangeChanged, showRange);
    showRange(-1);

    window.resize(700, 420);
    window.show();
    slider->setFocus();
    // Open the visited link once so it shows its visited colour.
    QTimer::singleShot(0, visited, [visited] {
        const QPointF centre = visited->rect().center();
        QMouseEvent release(QEvent::MouseButtonRelease, centre, visited->mapToGlobal(centre),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(visited, &release);
    });

    const int quitAt = app.arguments().indexOf(QStringLiteral("--quit-after"));
    if (quitAt > 0 && quitAt + 1 < app.arguments().size()) {
        QTimer::singleShot(app.arguments().at(quitAt + 1).toInt(), &app, &QApplication::quit);
    }
    return app.exec();
}
