#include "PowerOff.h"

#include "DesktopBus.h"
#include "MessageBoxes.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kiv {

namespace {
constexpr int kPowerOffTimeoutMs = 120000;
}

void RequestPowerOff(std::function<void(const QString& error)> answered) {
    QDBusConnection system = QDBusConnection::systemBus();
    if (!system.isConnected()) {
        answered(QCoreApplication::translate("kiv::PowerOffCountdownDlg",
                                             "the system bus cannot be reached"));
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
    call << true; // interactive: the desktop may ask for a password
    // Authorisation may wait for the user, so no short time limit here.
    auto* watcher = new QDBusPendingCallWatcher(system.asyncCall(call, kPowerOffTimeoutMs),
                                                QCoreApplication::instance());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [watcher, answered = std::move(answered)] {
                         const QDBusError error = watcher->error();
                         watcher->deleteLater();
                         if (!error.isValid())
                             answered(QString());
                         else
                             answered(error.message().isEmpty() ? error.name() : error.message());
                     });
}

PowerOffCountdownDlg::PowerOffCountdownDlg(QWidget* parent, int seconds)
    : QDialog(parent), secondsLeft_(seconds), label_(new QLabel(this)), timer_(new QTimer(this)) {
    setWindowTitle(QStringLiteral("Kiv Video Converter"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(tr("Cancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(buttons);
    label_->setText(Text());
    label_->setAccessibleName(tr("Power-off countdown"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(timer_, &QTimer::timeout, this, &PowerOffCountdownDlg::Tick);
    timer_->start(1000);
}

QString PowerOffCountdownDlg::Text() const {
    return tr("The computer will power off in %n second(s).", nullptr, secondsLeft_);
}

void PowerOffCountdownDlg::Tick() {
    if (--secondsLeft_ <= 0) {
        timer_->stop();
        accept();
        return;
    }
    label_->setText(Text());
}

void ShutDownComputer(QWidget* parent, int countdownSeconds) {
    PowerOffCountdownDlg countdown(parent, countdownSeconds);
    if (countdown.exec() != QDialog::Accepted)
        return;
    RequestPowerOff([owner = QPointer<QWidget>(parent)](const QString& error) {
        if (!error.isEmpty())
            ShowMessage(
                owner, PowerOffCountdownDlg::tr("Warning"),
                PowerOffCountdownDlg::tr("The computer could not be powered off: %1").arg(error),
                MessageIcon::Warning);
    });
}

} // namespace kiv
