// SPDX-License-Identifier: GPL-3.0-or-later
// Telling a StatusNotifierItem host (no double clicks) from other notification areas, and
// following them as panels come and go.
#include "PrivateBus.h"
#include "tray/TrayHost.h"
#include "tray/TrayHostWatch.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <gtest/gtest.h>
#include <memory>

namespace {
// The watcher a desktop panel registers, served from its own thread as a panel would.
class FakeWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ IsStatusNotifierHostRegistered)
public:
    bool IsStatusNotifierHostRegistered() const { return hostRegistered; }
    std::atomic<bool> hostRegistered = false;
};

constexpr int kSeenWithinMs = 5000;

class TrayOnPrivateBus : public ::testing::Test {
protected:
    void SetUp() override {
        QString why;
        if (!bus.Start(&why)) GTEST_SKIP() << qPrintable(why);
        watcherThread.start();
    }
    void TearDown() override {
        watcherThread.quit();
        watcherThread.wait();
    }

    void RegisterWatcher(bool hostRegistered) {
        watcher.hostRegistered = hostRegistered;
        watcher.moveToThread(&watcherThread);
        QDBusConnection panel = bus.Connect(QStringLiteral("panel"));
        ASSERT_TRUE(panel.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher,
                                         QDBusConnection::ExportAllProperties));
        ASSERT_TRUE(panel.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")));
    }

    QDBusConnection Panel() { return QDBusConnection(QStringLiteral("panel")); }

    // The panel's host starts after its watcher and says so.
    void RegisterHost() {
        watcher.hostRegistered = true;
        Panel().send(QDBusMessage::createSignal(QStringLiteral("/StatusNotifierWatcher"),
                                                QStringLiteral("org.kde.StatusNotifierWatcher"),
                                                QStringLiteral("StatusNotifierHostRegistered")));
    }

    QDBusConnection Program() { return bus.Connect(QStringLiteral("program")); }

    PrivateBus bus;  // outlives the watcher thread: declared first, destroyed last
    QThread watcherThread;
    FakeWatcher watcher;
};
}  // namespace

TEST_F(TrayOnPrivateBus, registeredHostIsFound) {
    RegisterWatcher(true);
    EXPECT_TRUE(StatusNotifierHostRegistered(Program()));
}

TEST_F(TrayOnPrivateBus, watcherWithoutAHostOrNoWatcherIsNoStatusNotifierArea) {
    EXPECT_FALSE(StatusNotifierHostRegistered(Program()));
    RegisterWatcher(false);
    EXPECT_FALSE(StatusNotifierHostRegistered(Program()));
}

TEST(StatusNotifierHost, noBusAtAllIsNoStatusNotifierArea) {
    EXPECT_FALSE(StatusNotifierHostRegistered(QDBusConnection(QStringLiteral("never connected"))));
}

TEST_F(TrayOnPrivateBus, watchFollowsAStatusNotifierHostThatComesAndGoes) {
    TrayHostWatch watch(Program(), {});
    EXPECT_FALSE(watch.Current().available);
    QSignalSpy changes(&watch, &TrayHostWatch::changed);

    RegisterWatcher(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return watch.Current().available; }, kSeenWithinMs));
    EXPECT_TRUE(watch.Current().ShowsExportedMenu());

    ASSERT_TRUE(Panel().unregisterService(QStringLiteral("org.kde.StatusNotifierWatcher")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watch.Current().available; }, kSeenWithinMs));
    EXPECT_EQ(changes.count(), 2);
}

TEST_F(TrayOnPrivateBus, watchSeesAHostThatRegistersAfterItsWatcher) {
    RegisterWatcher(false);
    TrayHostWatch watch(Program(), {});
    EXPECT_FALSE(watch.Current().available);
    RegisterHost();
    ASSERT_TRUE(QTest::qWaitFor([&] { return watch.Current().available; }, kSeenWithinMs));
    EXPECT_FALSE(watch.Current().reportsDoubleClicks);
}

// Qt makes the program's tray icon for the first notification area there is and never
// changes its kind; the watch reports that kind's area only.
TEST_F(TrayOnPrivateBus, watchKeepsTheKindOfTheFirstNotificationArea) {
    std::atomic<bool> x11Tray = true;
    TrayHostWatch watch(Program(), {[&] { return x11Tray.load(); }, {}});
    EXPECT_EQ(watch.Current(), (TrayHost{true, true}));

    RegisterWatcher(true);
    x11Tray = false;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watch.Current().available; }, kSeenWithinMs))
        << "a StatusNotifierItem host does not stand in for the X11 tray";
    x11Tray = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return watch.Current().available; }, kSeenWithinMs));
    EXPECT_TRUE(watch.Current().reportsDoubleClicks);
}

TEST_F(TrayOnPrivateBus, watchOfAStatusNotifierHostIgnoresAnX11TrayLater) {
    RegisterWatcher(true);
    std::atomic<bool> x11Tray = false;
    TrayHostWatch watch(Program(), {[&] { return x11Tray.load(); }, {}});
    EXPECT_EQ(watch.Current(), (TrayHost{true, false}));
    x11Tray = true;
    ASSERT_TRUE(Panel().unregisterService(QStringLiteral("org.kde.StatusNotifierWatcher")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watch.Current().available; }, kSeenWithinMs));
    QTest::qWait(1500);  // more than one look at the X11 tray
    EXPECT_FALSE(watch.Current().available);
}

// Without word from the X server the X11 tray is asked every second.
TEST(TrayHostWatchX11, followsAnX11TrayWithoutAnyBus) {
    std::atomic<bool> x11Tray = false;
    TrayHostWatch watch(QDBusConnection(QStringLiteral("never connected")),
                        {[&] { return x11Tray.load(); }, {}});
    EXPECT_FALSE(watch.Current().available);
    x11Tray = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return watch.Current().available; }, kSeenWithinMs));
    EXPECT_TRUE(watch.Current().reportsDoubleClicks) << "an X11 tray reports double clicks";
    x11Tray = false;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watch.Current().available; }, kSeenWithinMs));
}

namespace {
// An X11 tray the test starts and stops, with the X server's word on each change when
// `announces`; it counts the questions asked of it.
struct FakeX11Tray {
    TrayHostWatch::X11Tray Source() {
        return {[this] {
                    ++questions;
                    return present;
                },
                [this](std::function<void()> changed) -> std::unique_ptr<QObject> {
                    if (!announces) return nullptr;
                    announce = std::move(changed);
                    return std::make_unique<QObject>();
                }};
    }
    void Set(bool on) {
        present = on;
        if (announce) announce();
    }

    bool announces = true;
    bool present = false;
    int questions = 0;
    std::function<void()> announce;
};

bool Polls(const TrayHostWatch& watch) {
    return !watch.findChildren<QTimer*>().isEmpty();
}
}  // namespace

TEST(TrayHostWatchX11, followsTheX11TrayByTheServersWordAlone) {
    FakeX11Tray tray;
    TrayHostWatch watch(QDBusConnection(QStringLiteral("never connected")), tray.Source());
    EXPECT_FALSE(Polls(watch));
    EXPECT_FALSE(watch.Current().available);
    QSignalSpy changes(&watch, &TrayHostWatch::changed);

    tray.Set(true);
    EXPECT_EQ(watch.Current(), (TrayHost{true, true}));
    tray.Set(true);  // another tray took over from the first one
    tray.Set(false);
    EXPECT_FALSE(watch.Current().available);
    EXPECT_EQ(changes.count(), 2);

    const int questions = tray.questions;
    EXPECT_EQ(questions, 4) << "once at the start and once per word from the server";
    QTest::qWait(1500);
    EXPECT_EQ(tray.questions, questions) << "nobody asks while the server says nothing";
}

TEST(TrayHostWatchX11, asksEverySecondWhenTheServerCannotSayWhenTheTrayChanges) {
    FakeX11Tray tray;
    tray.announces = false;
    TrayHostWatch watch(QDBusConnection(QStringLiteral("never connected")), tray.Source());
    EXPECT_TRUE(Polls(watch));
    tray.present = true;
    EXPECT_TRUE(QTest::qWaitFor([&] { return watch.Current().available; }, kSeenWithinMs));
}

#include "TrayHostTest.moc"
