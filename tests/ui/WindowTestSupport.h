#pragma once
// Shared by the main window's tests: a private data directory with freshly
// loaded settings, the messages that would have been shown, URLs that
// would have been opened, and a way to act on a modal dialog once it runs.

#include "MessageBoxes.h"
#include "Settings.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <memory>

namespace kiv::test {

// A data directory of its own (KIV_HOME) with the settings loaded from it.
class FreshHome {
public:
    FreshHome() {
        qputenv("KIV_HOME", dir_.path().toLocal8Bit());
        LoadSettings();
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    // Loads again, after the test wrote a settings file.
    void Reload() const { LoadSettings(); }
    // A settings file that names the output folder, as the user left it.
    void SetOutputFolder(const QString& folder) const {
        QFile settings(Path("kivinfo.ini"));
        if (settings.open(QIODevice::WriteOnly))
            settings.write("[Options]\nFolder=" + QFile::encodeName(folder) + "\n");
        settings.close();
        Reload();
    }

private:
    QTemporaryDir dir_;
};

// Collects every message instead of showing a box, while it lives.
class MessageLog {
public:
    MessageLog() {
        SetMessageSink([this](QWidget*, const ShownMessage& m) { messages_.append(m); });
    }
    ~MessageLog() { SetMessageSink({}); }
    const QList<ShownMessage>& Messages() const { return messages_; }
    void Clear() { messages_.clear(); }

private:
    QList<ShownMessage> messages_;
};

// Takes the file: URLs the desktop would have opened, while it lives.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls.append(url); }
};

// Runs act on the first modal dialog of type T once it is up (the code
// under test is then inside its exec()). Gives up after timeoutMs; the
// result tells whether act ran.
template <typename T>
std::shared_ptr<bool> WhenModal(std::function<void(T*)> act, int timeoutMs = 20000) {
    auto ran = std::make_shared<bool>(false);
    auto* poll = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(poll, &QTimer::timeout, [poll, act, ran, clock, timeoutMs] {
        if (T* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            *ran = true;
            act(dialog);
        } else if (clock->elapsed() > timeoutMs) {
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start(20);
    return ran;
}

} // namespace kiv::test
