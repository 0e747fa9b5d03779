#pragma once
// Powering the computer off after a batch: a countdown the user can cancel,
// then logind's PowerOff on the system bus (interactive, so the desktop may
// ask for authorisation). A refusal is reported, never swallowed.

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QTimer;

namespace kiv {

// Asks logind to power off without waiting for it: the answer may wait for
// the user's authorisation. answered later gets the reason of a failure, or
// an empty text when the call was taken. GUI thread.
void RequestPowerOff(std::function<void(const QString& error)> answered);

// "The computer will power off in 30 seconds." with a Cancel button,
// counting down each second; accepted when the count reaches 0.
class PowerOffCountdownDlg : public QDialog {
    Q_OBJECT
public:
    explicit PowerOffCountdownDlg(QWidget* parent, int seconds = 30);
    int SecondsLeft() const { return secondsLeft_; }
    QString Text() const;

private:
    int secondsLeft_;
    QLabel* label_;
    QTimer* timer_;

    void Tick();
};

// The countdown, then the power-off; a refusal shows one message box when
// it comes. GUI thread.
void ShutDownComputer(QWidget* parent, int countdownSeconds = 30);

} // namespace kiv
