#include "MessageBoxes.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace kiv {

namespace {

MessageSink& SinkSlot() {
    static MessageSink sink;
    return sink;
}

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::NoIcon:
        break;
    }
    return QMessageBox::NoIcon;
}

// A box taller than this many lines would leave the screen (its OK button
// out of reach): its first line stays the message, the rest scrolls.
constexpr int kMostBoxLines = 15;

QStyle::StandardPixmap StandardIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QStyle::SP_MessageBoxInformation;
    case MessageIcon::Warning:
        return QStyle::SP_MessageBoxWarning;
    case MessageIcon::Critical:
        return QStyle::SP_MessageBoxCritical;
    case MessageIcon::NoIcon:
        break;
    }
    return QStyle::SP_CustomBase;
}

// The first line as the message, the others in a read-only list that
// scrolls; never taller than two thirds of the screen.
void ShowLongMessage(QWidget* parent, const QString& title, const QString& text, MessageIcon icon) {
    const qsizetype split = text.indexOf(QLatin1Char('\n'));
    QDialog box(parent);
    box.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&box);
    auto* head = new QHBoxLayout;
    if (icon != MessageIcon::NoIcon) {
        auto* picture = new QLabel(&box);
        const int side = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
        picture->setPixmap(box.style()->standardIcon(StandardIcon(icon)).pixmap(side, side));
        head->addWidget(picture, 0, Qt::AlignTop);
    }
    auto* summary = new QLabel(text.left(split), &box);
    summary->setWordWrap(true);
    head->addWidget(summary, 1);
    layout->addLayout(head);
    auto* lines = new QPlainTextEdit(text.mid(split + 1), &box);
    lines->setReadOnly(true);
    lines->setLineWrapMode(QPlainTextEdit::NoWrap);
    lines->setAccessibleName(text.left(split));
    lines->setObjectName(QStringLiteral("messageLines"));
    layout->addWidget(lines, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    layout->addWidget(buttons);
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    box.resize(qMin(room.width() * 2 / 3, 720), qMin(room.height() * 2 / 3, 480));
    buttons->button(QDialogButtonBox::Ok)->setFocus();
    box.exec();
}

} // namespace

void ShowMessage(QWidget* parent, const QString& title, const QString& text, MessageIcon icon) {
    if (const MessageSink& sink = SinkSlot()) {
        sink(parent, ShownMessage{title, text, icon});
        return;
    }
    if (text.count(QLatin1Char('\n')) >= kMostBoxLines) {
        ShowLongMessage(parent, title, text, icon);
        return;
    }
    QMessageBox box(BoxIcon(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool AskYesNo(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

MessageSink SetMessageSink(MessageSink sink) {
    MessageSink previous = std::move(SinkSlot());
    SinkSlot() = std::move(sink);
    return previous;
}

} // namespace kiv
