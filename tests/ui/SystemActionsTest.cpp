// The desktop services a batch uses, called for real over a private bus
// where small fake services record every call.

#include "CDisableScreenSave.h"
#include "DesktopNotification.h"
#include "DesktopOpen.h"
#include "MessageBoxes.h"
#include "PowerOff.h"
#include "PrivateBus.h"

#include <QApplication>
#include <QDBusPendingCallWatcher>
#include <QDeadlineTimer>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <optional>

using namespace kiv;
using kiv::test::kBusTimeoutMs;

class SystemActionsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::PrivateBus> bus_;
    QList<ShownMessage> messages_;

    // Runs act on the countdown as soon as it shows.
    static void WhenCountdownShows(std::function<void(PowerOffCountdownDlg*)> act) {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [poll, act] {
            if (auto* countdown =
                    qobject_cast<PowerOffCountdownDlg*>(QApplication::activeModalWidget())) {
                poll->stop();
                poll->deleteLater();
                act(countdown);
            }
        });
        poll->start(10);
    }
    // Clicks the countdown's Cancel button once the dialog shows.
    static void CancelCountdownSoon() {
        WhenCountdownShows(
            [](PowerOffCountdownDlg* countdown) { countdown->findChild<QPushButton*>()->click(); });
    }

private slots:
    void initTestCase() {
        bus_ = std::make_unique<test::PrivateBus>();
        QVERIFY(bus_->Up());
        SetMessageSink(
            [this](QWidget*, const ShownMessage& message) { messages_.append(message); });
    }
    void cleanupTestCase() { bus_.reset(); }
    void init() {
        QVERIFY(bus_->StartServices());
        messages_.clear();
    }

    void screenSaverAndSleepAreHeldForTheObjectsLifetime() {
        auto held = std::make_unique<CDisableScreenSave>();
        QSignalSpy settled(held.get(), &CDisableScreenSave::settled);
        QVERIFY(settled.wait(kBusTimeoutMs)); // the calls never keep the caller waiting
        QVERIFY(held->HoldsScreenSaver());
        QVERIFY(held->HoldsSleepLock());
        QTRY_COMPARE_WITH_TIMEOUT(
            bus_->Calls().mid(1),
            (QStringList{"ScreenSaverInhibit Kiv Video Converter|Converting videos",
                         "SleepInhibit idle:sleep|Kiv Video Converter|Converting "
                         "videos|block"}),
            kBusTimeoutMs);
        held.reset();
        QTRY_COMPARE_WITH_TIMEOUT(bus_->Calls().mid(3),
                                  (QStringList{"ScreenSaverUnInhibit 7", "SleepLockReleased"}),
                                  kBusTimeoutMs);
    }

    void withoutServicesNothingHappensAndNothingFails() {
        bus_->StopServices();
        CDisableScreenSave held;
        QTRY_VERIFY_WITH_TIMEOUT(held.IsSettled(), kBusTimeoutMs);
        QVERIFY(!held.HoldsScreenSaver());
        QVERIFY(!held.HoldsSleepLock());
        std::optional<bool> taken;
        NotifyDesktop("Kiv Video Converter", "3 files converted", [&](bool t) { taken = t; });
        QTRY_VERIFY_WITH_TIMEOUT(taken.has_value(), kBusTimeoutMs);
        QVERIFY(!*taken);
    }

    void anInhibitionGrantedAfterTheHolderWentIsLetGo() {
        // Gone before the screen saver could answer: what it grants is let
        // go, and sleep is not asked for any more.
        std::make_unique<CDisableScreenSave>().reset();
        QTRY_COMPARE_WITH_TIMEOUT(
            bus_->Calls().mid(1),
            (QStringList{"ScreenSaverInhibit Kiv Video Converter|Converting videos",
                         "ScreenSaverUnInhibit 7"}),
            kBusTimeoutMs);
    }

    void aSleepLockAnsweredJustBeforeTheHolderWentIsLetGo() {
        // The lock's answer has arrived but not been dealt with when a very
        // short batch lets go: it must not stay held until the program ends.
        auto held = std::make_unique<CDisableScreenSave>();
        // No event is handled here but the screen saver's answer, whose
        // handler asks for the sleep lock; the lock's answer then arrives
        // and waits, unread.
        const auto answered = [](QDBusPendingCallWatcher* call) {
            QDeadlineTimer answer(kBusTimeoutMs);
            while (!call->isFinished() && !answer.hasExpired())
                QThread::msleep(10);
            return call->isFinished();
        };
        auto* screenSaver = held->findChild<QDBusPendingCallWatcher*>();
        QVERIFY(screenSaver && answered(screenSaver));
        // A call reads finished a moment before its answer's event is posted:
        // that event alone is delivered, once it is there.
        QDeadlineTimer posted(kBusTimeoutMs);
        while (!held->HoldsScreenSaver() && !posted.hasExpired()) {
            QCoreApplication::sendPostedEvents(screenSaver, QEvent::MetaCall);
            if (!held->HoldsScreenSaver())
                QThread::msleep(10);
        }
        QVERIFY(held->HoldsScreenSaver());
        QDBusPendingCallWatcher* sleepLock = nullptr;
        for (auto* call : held->findChildren<QDBusPendingCallWatcher*>())
            sleepLock = call != screenSaver ? call : sleepLock;
        QVERIFY(sleepLock && answered(sleepLock));
        QVERIFY(!held->HoldsSleepLock());
        held.reset();
        const auto released = [this] {
            QStringList calls = bus_->Calls().mid(3);
            calls.sort(); // the lock closes when its answer is dealt with
            return calls;
        };
        QTRY_COMPARE_WITH_TIMEOUT(released(),
                                  (QStringList{"ScreenSaverUnInhibit 7", "SleepLockReleased"}),
                                  kBusTimeoutMs);
    }

    void powerOffComesOnlyAfterTheCountdown() {
        std::optional<bool> seenDuringCountdown;
        QString shown;
        WhenCountdownShows([&](PowerOffCountdownDlg* countdown) {
            seenDuringCountdown = bus_->Calls().join('\n').contains("PowerOff");
            shown = countdown->Text();
        });
        ShutDownComputer(nullptr, 2);
        QVERIFY(seenDuringCountdown.has_value()); // the countdown showed
        QVERIFY(!*seenDuringCountdown);
        // A loaded machine may show it a second late.
        QVERIFY2(shown == "The computer will power off in 2 seconds." ||
                     shown == "The computer will power off in 1 second.",
                 qPrintable(shown));
        QTRY_VERIFY_WITH_TIMEOUT(bus_->Calls().contains("PowerOff interactive"), kBusTimeoutMs);
        QVERIFY(messages_.isEmpty());
        QCOMPARE(PowerOffCountdownDlg(nullptr).Text(),
                 QString("The computer will power off in 30 seconds."));
    }

    void cancelKeepsTheComputerOn() {
        CancelCountdownSoon();
        ShutDownComputer(nullptr, 3);
        // A later call on the same bus arrives after any power-off would have.
        CDisableScreenSave later;
        QTRY_VERIFY_WITH_TIMEOUT(bus_->Calls().join('\n').contains("SleepInhibit"), kBusTimeoutMs);
        QVERIFY(!bus_->Calls().join('\n').contains("PowerOff"));
    }

    void aRefusalIsReported() {
        QVERIFY(bus_->StartServices({"--refuse-poweroff"}));
        ShutDownComputer(nullptr, 1);
        QTRY_COMPARE_WITH_TIMEOUT(messages_.size(), 1, kBusTimeoutMs);
        QCOMPARE(messages_[0].title, QString("Warning"));
        QCOMPARE(messages_[0].text,
                 QString("The computer could not be powered off: Permission denied"));
    }

    void anOpenerThatFailsIsHeardOf() {
        // Stand-ins for xdg-open: one that finds nothing to open with, as
        // on a desktop without a file manager, and one that opens.
        QTemporaryDir bin;
        const auto opener = [&bin](const QString& name, const QByteArray& body) {
            QFile script(bin.filePath(name));
            script.open(QIODevice::WriteOnly);
            script.write("#!/bin/sh\n" + body);
            script.close();
            script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            return script.fileName();
        };
        const QString failing = opener(
            "no-method", "echo \"xdg-open: no method available for opening '$1'\" >&2\nexit 3\n");
        const QString opening = opener("opens", "echo \"$1\" > \"$(dirname \"$0\")/opened\"\n");
        const QUrl folder = QUrl::fromLocalFile(bin.path());
        for (const auto& [program, fails] : {std::pair{failing, true}, {opening, false}}) {
            bool failed = false;
            QVERIFY(RunDesktopOpener(program, folder, [&failed] { failed = true; }));
            if (fails) {
                QTRY_VERIFY_WITH_TIMEOUT(failed, kBusTimeoutMs);
            } else {
                // Its end has been seen: its watch is gone.
                QTRY_VERIFY_WITH_TIMEOUT(!qApp->findChild<QObject*>("openerWatch"), kBusTimeoutMs);
                QVERIFY(QFile::exists(bin.filePath("opened")));
                QVERIFY(!failed);
            }
        }
        QFile opened(bin.filePath("opened"));
        QVERIFY(opened.open(QIODevice::ReadOnly));
        QCOMPARE(opened.readAll().trimmed(), bin.path().toLocal8Bit()); // the path, as one argument
        QVERIFY(!RunDesktopOpener(bin.filePath("missing"), folder, [] {}));
    }

    void notificationsReachTheService() {
        std::optional<bool> taken;
        NotifyDesktop("Kiv Video Converter", "3 files converted", [&](bool t) { taken = t; });
        QTRY_VERIFY_WITH_TIMEOUT(taken.value_or(false), kBusTimeoutMs);
        QVERIFY(bus_->Calls().contains(
            "Notify Kiv Video Converter|Kiv Video Converter|3 files converted"));
    }
};

QTEST_MAIN(SystemActionsTest)
#include "SystemActionsTest.moc"
