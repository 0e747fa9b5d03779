// The desktop services a batch uses, called for real over a private bus
// where small fake services record every call.

#include "CDisableScreenSave.h"
#include "DesktopNotification.h"
#include "DesktopOpen.h"
#include "MessageBoxes.h"
#include "PowerOff.h"
#include "PrivateBus.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <optional>

using namespace kiv;

class SystemActionsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::PrivateBus> bus_;
    QList<ShownMessage> messages_;

    // Clicks the countdown's Cancel button once the dialog shows.
    static void CancelCountdownSoon() {
        QTimer::singleShot(300, [] {
            auto* countdown =
                qobject_cast<PowerOffCountdownDlg*>(QApplication::activeModalWidget());
            if (countdown)
                countdown->findChild<QPushButton*>()->click();
        });
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
        QVERIFY(settled.wait()); // the calls never keep the caller waiting
        QVERIFY(held->HoldsScreenSaver());
        QVERIFY(held->HoldsSleepLock());
        QTRY_COMPARE(bus_->Calls().mid(1),
                     (QStringList{"ScreenSaverInhibit Kiv Video Converter|Converting videos",
                                  "SleepInhibit idle:sleep|Kiv Video Converter|Converting "
                                  "videos|block"}));
        held.reset();
        QTRY_COMPARE(bus_->Calls().mid(3),
                     (QStringList{"ScreenSaverUnInhibit 7", "SleepLockReleased"}));
    }

    void withoutServicesNothingHappensAndNothingFails() {
        bus_->StopServices();
        CDisableScreenSave held;
        QTRY_VERIFY(held.IsSettled());
        QVERIFY(!held.HoldsScreenSaver());
        QVERIFY(!held.HoldsSleepLock());
        std::optional<bool> taken;
        NotifyDesktop("Kiv Video Converter", "3 files converted", [&](bool t) { taken = t; });
        QTRY_VERIFY(taken.has_value());
        QVERIFY(!*taken);
    }

    void anInhibitionGrantedAfterTheHolderWentIsLetGo() {
        // Gone before the screen saver could answer: what it grants is let
        // go, and sleep is not asked for any more.
        std::make_unique<CDisableScreenSave>().reset();
        QTRY_COMPARE(bus_->Calls().mid(1),
                     (QStringList{"ScreenSaverInhibit Kiv Video Converter|Converting videos",
                                  "ScreenSaverUnInhibit 7"}));
    }

    void aSleepLockAnsweredJustBeforeTheHolderWentIsLetGo() {
        // The lock's answer has arrived but not been dealt with when a very
        // short batch lets go: it must not stay held until the program ends.
        auto held = std::make_unique<CDisableScreenSave>();
        QDeadlineTimer deadline(5000);
        while (!held->HoldsScreenSaver() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        QVERIFY(held->HoldsScreenSaver()); // the sleep lock is being asked for
        QThread::msleep(500);              // its answer arrives, unread
        held.reset();
        const auto released = [this] {
            QStringList calls = bus_->Calls().mid(3);
            calls.sort(); // the lock closes when its answer is dealt with
            return calls;
        };
        QTRY_COMPARE(released(), (QStringList{"ScreenSaverUnInhibit 7", "SleepLockReleased"}));
    }

    void powerOffComesOnlyAfterTheCountdown() {
        bool seenDuringCountdown = false;
        QTimer::singleShot(500, [&] {
            seenDuringCountdown = bus_->Calls().join('\n').contains("PowerOff");
            auto* countdown =
                qobject_cast<PowerOffCountdownDlg*>(QApplication::activeModalWidget());
            QVERIFY(countdown);
            QCOMPARE(countdown->Text(), QString("The computer will power off in 2 seconds."));
        });
        ShutDownComputer(nullptr, 2);
        QVERIFY(!seenDuringCountdown);
        QTRY_VERIFY(bus_->Calls().contains("PowerOff interactive"));
        QVERIFY(messages_.isEmpty());
        QCOMPARE(PowerOffCountdownDlg(nullptr).Text(),
                 QString("The computer will power off in 30 seconds."));
    }

    void cancelKeepsTheComputerOn() {
        CancelCountdownSoon();
        ShutDownComputer(nullptr, 3);
        // A later call on the same bus arrives after any power-off would have.
        CDisableScreenSave later;
        QTRY_VERIFY(bus_->Calls().join('\n').contains("SleepInhibit"));
        QVERIFY(!bus_->Calls().join('\n').contains("PowerOff"));
    }

    void aRefusalIsReported() {
        QVERIFY(bus_->StartServices({"--refuse-poweroff"}));
        ShutDownComputer(nullptr, 1);
        QTRY_COMPARE(messages_.size(), 1);
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
                QTRY_VERIFY(failed);
            } else {
                QTRY_VERIFY(QFile::exists(bin.filePath("opened")));
                QTest::qWait(300); // its end has been seen
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
        QTRY_VERIFY(taken.value_or(false));
        QVERIFY(bus_->Calls().contains(
            "Notify Kiv Video Converter|Kiv Video Converter|3 files converted"));
    }
};

QTEST_MAIN(SystemActionsTest)
#include "SystemActionsTest.moc"
