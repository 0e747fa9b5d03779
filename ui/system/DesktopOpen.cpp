#include "DesktopOpen.h"

#include "HyperLinkTarget.h"
#include "MessageBoxes.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QPointer>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

#include <QCoreApplication>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace kiv {

namespace {

constexpr int kPollMs = 100;
constexpr int kReapMs = 1000;

// Watches one started opener until it ends: its verdict while it counts,
// then only reaping it. Lives on the application, so it goes with it (the
// opener, and what it opened, keep running).
class OpenerWatch : public QObject {
public:
    OpenerWatch(pid_t pid, std::function<void()> failed)
        : QObject(QCoreApplication::instance()), pid_(pid), failed_(std::move(failed)) {
        setObjectName(QStringLiteral("openerWatch")); // gone once the opener's end is seen
        clock_.start();
        connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start(kPollMs);
    }

private:
    void Poll() {
        int status = 0;
        const pid_t ended = waitpid(pid_, &status, WNOHANG);
        if (ended == 0) {
            if (clock_.elapsed() > kOpenerVerdictMs)
                timer_.setInterval(kReapMs);
            return;
        }
        timer_.stop();
        const bool failed = ended == pid_ && !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        if (failed && clock_.elapsed() <= kOpenerVerdictMs && failed_)
            failed_();
        deleteLater();
    }

    pid_t pid_;
    std::function<void()> failed_;
    QElapsedTimer clock_;
    QTimer timer_;
};

QString Shown(const QUrl& url) {
    return url.isLocalFile() ? url.toLocalFile() : url.toString();
}

bool OpenerWatchesWork() {
    // Qt's own opening on these platforms is xdg-open, started and left.
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

} // namespace

bool RunDesktopOpener(const QString& program, const QUrl& url, std::function<void()> failed) {
    const QByteArray path = program.toLocal8Bit();
    const QByteArray target = url.isLocalFile() ? url.toLocalFile().toLocal8Bit() : url.toEncoded();
    char* arguments[] = {const_cast<char*>(path.constData()), const_cast<char*>(target.constData()),
                         nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // The opener starts with no signal blocked and every signal at its default.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    const int error =
        posix_spawn(&pid, path.constData(), &actions, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        return false;
    new OpenerWatch(pid, std::move(failed));
    return true;
}

bool OpenOnDesktop(const QUrl& url, std::function<void()> failed) {
    if (OpenerWatchesWork()) {
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (!opener.isEmpty())
            return RunDesktopOpener(opener, url, std::move(failed));
    }
    return QDesktopServices::openUrl(url);
}

bool OpenOrSay(QWidget* parent, const QUrl& url) {
    QPointer<QWidget> owner = parent ? parent : QApplication::activeWindow();
    const auto say = [owner, url] {
        ShowMessage(owner, QCoreApplication::translate("kiv::DesktopOpen", "Warning"),
                    DesktopCannotOpenText(Shown(url)), MessageIcon::Warning);
    };
    if (OpenOnDesktop(url, say))
        return true;
    say();
    return false;
}

} // namespace kiv
