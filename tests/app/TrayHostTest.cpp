// Telling a StatusNotifierItem host (no double clicks) from other notification areas.
#include "app/TrayHost.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

namespace {
// The watcher a desktop panel registers, served from its own thread as a panel would.
class FakeWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered MEMBER hostRegistered)
public:
    bool hostRegistered = false;
};

class PrivateBus : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            GTEST_SKIP() << "needs dbus-daemon for a private bus";
        daemon.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--nofork"),
                      QStringLiteral("--print-address=1")});
        ASSERT_TRUE(daemon.waitForReadyRead(5000));
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        watcherThread.start();
    }
    void TearDown() override {
        watcherThread.quit();
        watcherThread.wait();
        QDBusConnection::disconnectFromBus(QStringLiteral("panel"));
        QDBusConnection::disconnectFromBus(QStringLiteral("program"));
        daemon.terminate();
        daemon.waitForFinished();
    }

    void RegisterWatcher(bool hostRegistered) {
        watcher.hostRegistered = hostRegistered;
        watcher.moveToThread(&watcherThread);
        QDBusConnection panel = QDBusConnection::connectToBus(address, QStringLiteral("panel"));
        ASSERT_TRUE(panel.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher,
                                         QDBusConnection::ExportAllProperties));
        ASSERT_TRUE(panel.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")));
    }

    QDBusConnection Program() {
        return QDBusConnection::connectToBus(address, QStringLiteral("program"));
    }

    QProcess daemon;
    QString address;
    QThread watcherThread;
    FakeWatcher watcher;
};
}  // namespace

TEST_F(PrivateBus, registeredHostIsFound) {
    RegisterWatcher(true);
    EXPECT_TRUE(StatusNotifierHostRegistered(Program()));
}

TEST_F(PrivateBus, watcherWithoutAHostOrNoWatcherIsNoStatusNotifierArea) {
    EXPECT_FALSE(StatusNotifierHostRegistered(Program()));
    RegisterWatcher(false);
    EXPECT_FALSE(StatusNotifierHostRegistered(Program()));
}

TEST(StatusNotifierHost, noBusAtAllIsNoStatusNotifierArea) {
    EXPECT_FALSE(StatusNotifierHostRegistered(QDBusConnection(QStringLiteral("never connected"))));
}

#include "TrayHostTest.moc"
