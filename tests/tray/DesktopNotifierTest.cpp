// SPDX-License-Identifier: GPL-3.0-or-later
// Alerts and history problems reach the user as desktop notifications, or as the tray
// icon's balloon when no notification service answers.
#include "tray/ui/DesktopNotifier.h"
#include "tray/ui/TrayIcon.h"

#include <QDBusConnection>
#include <QMutex>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// The desktop's notification service, served from its own thread as a desktop would.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList Received() {
        const QMutexLocker lock(&mutex_);
        return received_;
    }

public Q_SLOTS:
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints,
                int timeout) {
        Q_UNUSED(replaces);
        Q_UNUSED(actions);
        Q_UNUSED(hints);
        const QMutexLocker lock(&mutex_);
        received_.append(
            QStringList{app, icon, summary, body, QString::number(timeout)}.join(u'|'));
        return uint(received_.size());
    }

private:
    QMutex mutex_;
    QStringList received_;
};

class NotificationBus : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            GTEST_SKIP() << "needs dbus-daemon for a private bus";
        daemon.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--nofork"),
                      QStringLiteral("--print-address=1")});
        ASSERT_TRUE(daemon.waitForReadyRead(5000));
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        serverThread.start();
    }
    void TearDown() override {
        serverThread.quit();
        serverThread.wait();
        QDBusConnection::disconnectFromBus(QStringLiteral("notify-desktop"));
        QDBusConnection::disconnectFromBus(QStringLiteral("notify-program"));
        daemon.terminate();
        daemon.waitForFinished();
    }
    void ServeNotifications() {
        server.moveToThread(&serverThread);
        QDBusConnection desktop =
            QDBusConnection::connectToBus(address, QStringLiteral("notify-desktop"));
        ASSERT_TRUE(desktop.registerObject(QStringLiteral("/org/freedesktop/Notifications"),
                                           &server, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(desktop.registerService(QStringLiteral("org.freedesktop.Notifications")));
    }
    QDBusConnection Program() {
        return QDBusConnection::connectToBus(address, QStringLiteral("notify-program"));
    }

    QProcess daemon;
    QString address;
    QThread serverThread;
    FakeNotifications server;
    TrayIcon tray;
};

}  // namespace

TEST_F(NotificationBus, aNotificationServiceGetsTheTextAndNoBalloonIsShown) {
    ServeNotifications();
    DesktopNotifier notifier(tray, Program());
    QSignalSpy balloon(&notifier, &DesktopNotifier::fellBackToBalloon);
    notifier.Notify(QStringLiteral("Vantoril"), QStringLiteral("Бюджет периода исчерпан"));
    for (int i = 0; i < 50 && server.Received().isEmpty(); ++i) QTest::qWait(20);
    EXPECT_EQ(
        server.Received(),
        QStringList({QStringLiteral("Vantoril|vantoril|Vantoril|Бюджет периода исчерпан|-1")}));
    QTest::qWait(50);
    EXPECT_TRUE(balloon.isEmpty());
}

TEST_F(NotificationBus, withoutANotificationServiceTheTrayBalloonSaysIt) {
    DesktopNotifier notifier(tray, Program());
    QSignalSpy balloon(&notifier, &DesktopNotifier::fellBackToBalloon);
    notifier.Notify(QStringLiteral("Vantoril"), QStringLiteral("Бюджет периода исчерпан"));
    ASSERT_TRUE(!balloon.isEmpty() || balloon.wait(5000));
    EXPECT_EQ(balloon.first().first().toString(), QStringLiteral("Бюджет периода исчерпан"));
}

TEST(DesktopNotifier, withoutASessionBusTheTrayBalloonSaysIt) {
    TrayIcon tray;
    DesktopNotifier notifier(tray, QDBusConnection(QStringLiteral("never connected")));
    QSignalSpy balloon(&notifier, &DesktopNotifier::fellBackToBalloon);
    notifier.Notify(QStringLiteral("Vantoril"), QStringLiteral("Текст"));
    ASSERT_TRUE(!balloon.isEmpty() || balloon.wait(2000));
    EXPECT_EQ(balloon.size(), 1);
}

#include "DesktopNotifierTest.moc"
