#include "MessageBoxes.h"

#include <QMessageBox>

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

} // namespace

void ShowMessage(QWidget* parent, const QString& title, const QString& text, MessageIcon icon) {
    if (const MessageSink& sink = SinkSlot()) {
        sink(parent, ShownMessage{title, text, icon});
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
