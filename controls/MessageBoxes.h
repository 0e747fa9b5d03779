#pragma once
// Every message box of the program goes through ShowMessage: an OK-only box with
// a fixed title, text and icon. A text of many lines (a list of files) shows
// its first line as the message and the rest in a list that scrolls, so the
// box never outgrows the screen. Tests install a sink that receives the
// message instead of a box being shown.
//
// GUI thread only: a worker posts its message there (as the window's batch
// does) and never waits for the GUI thread.

#include <QString>

#include <functional>

class QWidget;

namespace kiv {

enum class MessageIcon { NoIcon, Information, Warning, Critical };

struct ShownMessage {
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::NoIcon;
};

using MessageSink = std::function<void(QWidget* parent, const ShownMessage& message)>;

void ShowMessage(QWidget* parent, const QString& title, const QString& text, MessageIcon icon);

// A question with Yes and No (the default; Escape answers it too), with the
// question icon: true for Yes. Always a real box. GUI thread only.
bool AskYesNo(QWidget* parent, const QString& title, const QString& text);

// Routes every later message to sink instead of a box (an empty sink restores
// the boxes). Returns the sink that was installed before. GUI thread only.
MessageSink SetMessageSink(MessageSink sink);

} // namespace kiv
