#include "PowerOff.h"

#include "DesktopBus.h"
#include "MessageBoxes.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kiv {

bool RequestPowerOff(QString& error) {
    QDBusConnection system = QDBusConnection::systemBus();
    if (!system.isConnected()) {
        error = QStringLiteral("the system bus cannot be reached");
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
    call << true; // interactive: the desktop may ask for a password
    // Authorisation may wait for the user, so no short time limit here.
    QDBusMessage reply = system.call(call, QDBus::BlockWithGui, 120000);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        error = reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
        return false;
    }
    return true;
}

PowerOffCountdownDlg::PowerOffCountdownDlg(QWidget* parent, int seconds)
    : QDialog(parent), secondsLeft_(seconds), label_(new QLabel(this)), timer_(new QTimer(this)) {
    setWindowTitle(QStringLiteral("Kiv Video Converter"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(buttons);
    label_->setText(Text());
    label_->setAccessibleName(QStringLiteral("Power-off countdown"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(timer_, &QTimer::timeout, this, &PowerOffCountdownDlg::Tick);
    timer_->start(1000);
}

QString PowerOffCountdownDlg::Text() const {
    return secondsLeft_ == 1
               ? QStringLiteral("The computer will power off in 1 second.")
               : QStringLiteral("The computer will power off in %1 seconds.").arg(secondsLeft_);
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
    QString error;
    if (!RequestPowerOff(error))
        ShowMessage(parent, QStringLiteral("Warning"),
                    QStringLiteral("The computer could not be powered off: %1").arg(error),
                    MessageIcon::Warning);
}

} // namespace kiv
