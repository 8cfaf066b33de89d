// SPDX-License-Identifier: GPL-3.0-or-later
// The connection watcher: when a connection is booked, to which month, what amount, and
// what happens to the indicator.
#include "FixedClock.h"
#include "Locales.h"
#include "TempFolder.h"
#include "core/Settings.h"
#include "stats/ConnectionFileName.h"
#include "stats/ConnectionWatcher.h"
#include "stats/StatisticsFolder.h"

#include <QDir>

#include <algorithm>
#include <gtest/gtest.h>

namespace {

LinkSighting Up(const QString& name, float totalCost = 0, float timeCost = 0) {
    return {true, name, totalCost, timeCost, 0};
}
// The counters keep their last values once the link is down.
LinkSighting Down(float totalCost = 0, float timeCost = 0) {
    return {false, QString(), totalCost, timeCost, 0};
}

class ConnectionWatcherTest : public ::testing::Test {
protected:
    ConnectionWatcherTest() { settings.auto_show = 1; }

    QByteArray File(const QString& name = QStringLiteral("MyISP")) const {
        return folder.Read(QStringLiteral("connections/") + name + QStringLiteral(".vlg"));
    }

    TempFolder folder;
    FixedClock clock{QDateTime(QDate(2008, 3, 10), QTime(20, 0))};
    Settings settings;
    ConnectionWatcher watcher{ProgramFolder(folder.Path()), clock, RussianLocale()};
};

}  // namespace

TEST_F(ConnectionWatcherTest, bookingHappensOnceWhenTheLinkGoesDown) {
    watcher.Tick(Up(QStringLiteral("MyISP"), 1.0f), settings);
    watcher.Tick(Up(QStringLiteral("MyISP"), 12.5f), settings);
    EXPECT_FALSE(folder.Exists(QStringLiteral("connections/MyISP.vlg")));  // still up

    const WatcherStep end = watcher.Tick(Down(12.5f), settings);
    EXPECT_EQ(end.error, QString());
    EXPECT_FALSE(watcher.LinkUp());
    EXPECT_EQ(File(), "[Statistic]\r\n03.2008=12,5\r\n");

    watcher.Tick(Down(12.5f), settings);
    watcher.Tick(Down(12.5f), settings);
    EXPECT_EQ(File(), "[Statistic]\r\n03.2008=12,5\r\n");
}

TEST_F(ConnectionWatcherTest, nothingIsBookedForALinkNeverSeenUp) {
    for (int i = 0; i < 3; ++i) EXPECT_EQ(watcher.Tick(Down(5.0f), settings).error, QString());
    EXPECT_FALSE(QDir(folder.File(QStringLiteral("connections"))).exists());
}

TEST_F(ConnectionWatcherTest, twoConnectionsInOneMonthAddUp) {
    watcher.Tick(Up(QStringLiteral("MyISP"), 12.5f), settings);
    watcher.Tick(Down(12.5f), settings);
    watcher.Tick(Up(QStringLiteral("MyISP"), 3.25f), settings);
    watcher.Tick(Down(3.25f), settings);
    EXPECT_EQ(File(), "[Statistic]\r\n03.2008=15,75\r\n");
}

TEST_F(ConnectionWatcherTest, monthIsTakenWhenTheEndIsNoticed) {
    clock.Set(QDateTime(QDate(2008, 2, 28), QTime(23, 59, 58)));
    watcher.Tick(Up(QStringLiteral("MyISP"), 4.0f), settings);
    clock.Set(QDateTime(QDate(2008, 3, 1), QTime(0, 0, 2)));
    watcher.Tick(Down(4.0f), settings);
    EXPECT_EQ(File(), "[Statistic]\r\n03.2008=4\r\n");
}

TEST_F(ConnectionWatcherTest, tariffTypeChoosesTrafficOrTimeCost) {
    const struct {
        int32_t type;
        QString name;
        QByteArray booked;
    } cases[] = {{0, QStringLiteral("Traffic"), "2,5"},
                 {1, QStringLiteral("Hourly"), "0,75"},
                 {2, QStringLiteral("Other"), "0,75"}};
    for (const auto& c : cases) {
        settings.Type_tar = c.type;
        watcher.Tick(Up(c.name, 2.5f, 0.75f), settings);
        watcher.Tick(Down(2.5f, 0.75f), settings);
        EXPECT_EQ(File(c.name), "[Statistic]\r\n03.2008=" + c.booked + "\r\n") << c.type;
    }
}

TEST_F(ConnectionWatcherTest, autoShowShowsWhileUpAndHidesAtTheEnd) {
    EXPECT_EQ(watcher.Tick(Down(), settings).indicator, IndicatorAction::Keep);
    EXPECT_EQ(watcher.Tick(Up(QStringLiteral("MyISP")), settings).indicator, IndicatorAction::Show);
    EXPECT_EQ(watcher.Tick(Up(QStringLiteral("MyISP")), settings).indicator, IndicatorAction::Show);
    EXPECT_EQ(watcher.Tick(Down(), settings).indicator, IndicatorAction::Hide);
    EXPECT_EQ(watcher.Tick(Down(), settings).indicator, IndicatorAction::Keep);
}

TEST_F(ConnectionWatcherTest, withoutAutoShowTheIndicatorIsLeftAloneButTheCostBooked) {
    for (int16_t flag : {int16_t(0), int16_t(2), int16_t(-1)}) {
        settings.auto_show = flag;
        EXPECT_EQ(watcher.Tick(Up(QStringLiteral("MyISP"), 1.0f), settings).indicator,
                  IndicatorAction::EnsureLoaded);
        EXPECT_EQ(watcher.Tick(Down(1.0f), settings).indicator, IndicatorAction::Keep);
    }
    EXPECT_EQ(File(), "[Statistic]\r\n03.2008=3\r\n");
}

TEST_F(ConnectionWatcherTest, dropAndReturnBetweenTwoTicksIsOneConnection) {
    watcher.Tick(Up(QStringLiteral("MyISP"), 7.0f), settings);
    // The link dropped and came back within 2 seconds: the counters restarted.
    watcher.Tick(Up(QStringLiteral("MyISP"), 0.5f), settings);
    watcher.Tick(Down(1.5f), settings);
    EXPECT_EQ(File(), "[Statistic]\r\n03.2008=1,5\r\n");
}

TEST_F(ConnectionWatcherTest, nameIsTheLastOneSeenWhileUp) {
    watcher.Tick(Up(QStringLiteral("Не найдено!"), 1.0f), settings);
    watcher.Tick(Up(QStringLiteral("Work"), 2.0f), settings);
    EXPECT_EQ(watcher.ConnectionName(), QStringLiteral("Work"));
    watcher.Tick(Down(2.0f), settings);
    EXPECT_EQ(File(QStringLiteral("Work")), "[Statistic]\r\n03.2008=2\r\n");
    EXPECT_FALSE(folder.Exists(QStringLiteral("connections/Не найдено!.vlg")));
}

TEST_F(ConnectionWatcherTest, refusedBookingIsReportedOnceWhileTheBoxStaysOpen) {
    const QByteArray handEdited = "[Statistic]\r\n03.2008=12.5\r\n";
    folder.Write(QStringLiteral("connections/MyISP.vlg"), handEdited);
    watcher.Tick(Up(QStringLiteral("MyISP"), 3.0f), settings);

    const WatcherStep end = watcher.Tick(Down(3.0f), settings);
    EXPECT_FALSE(end.error.isEmpty());
    // The caller's box is open; its timer goes on ticking and must not report or book again.
    for (int i = 0; i < 5; ++i) EXPECT_EQ(watcher.Tick(Down(3.0f), settings).error, QString());
    EXPECT_EQ(File(), handEdited);
}

TEST_F(ConnectionWatcherTest, unsafeNamesStayInsideConnectionsAndKeepTheirRealName) {
    const QString names[] = {QStringLiteral("../evil"),
                             QStringLiteral("/"),
                             QStringLiteral("."),
                             QStringLiteral(".."),
                             QStringLiteral("a") + QChar(0) + u'b',
                             QStringLiteral("../../x.vlg")};
    for (const QString& name : names) {
        watcher.Tick(Up(name, 1.0f), settings);
        EXPECT_EQ(watcher.Tick(Down(1.0f), settings).error, QString()) << name.toStdString();
    }
    // Nothing beside "connections" in the program folder, nothing hidden or nested inside.
    EXPECT_EQ(QDir(folder.Path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("connections")});
    const QDir connections(folder.File(QStringLiteral("connections")));
    EXPECT_EQ(connections.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot).size(), 0);
    EXPECT_EQ(connections.entryList(QDir::Files | QDir::Hidden).size(), 6);

    QStringList shown;
    for (const StatisticConnection& c :
         StatisticsFolder(ProgramFolder(folder.Path())).Connections())
        shown << c.name;
    shown.sort();
    QStringList expected{QStringLiteral("../evil"),
                         QStringLiteral("/"),
                         QStringLiteral("."),
                         QStringLiteral(".."),
                         QStringLiteral("a") + QChar(0) + u'b',
                         QStringLiteral("../../x.vlg")};
    expected.sort();
    EXPECT_EQ(shown, expected);
}

TEST_F(ConnectionWatcherTest, noNameLosesItsBookingOrSharesAnother) {
    const QString longName = QString(130, u'ж');  // 260 bytes: longer than a file name may be
    const QString longest(kMaxStatisticFileNameBytes - 4, u'x');
    const struct {
        QString name;
        float cost;
        QString shown;
    } connections[] = {
        {QString(), 1.0f, QStringLiteral("(без имени)")},
        {QStringLiteral("Foo"), 2.0f, QStringLiteral("Foo")},
        {QStringLiteral("Foo.vlg"), 4.0f, QStringLiteral("Foo.vlg")},
        {longName, 8.0f, longName},
        {longest, 16.0f, longest},
    };
    for (int round = 0; round < 2; ++round) {
        for (const auto& c : connections) {
            watcher.Tick(Up(c.name, c.cost), settings);
            EXPECT_EQ(watcher.Tick(Down(c.cost), settings).error, QString());
        }
    }

    const StatisticsFolder statistics(ProgramFolder(folder.Path()));
    const QList<StatisticConnection> listed = statistics.Connections();
    ASSERT_EQ(listed.size(), 5);
    for (const auto& c : connections) {
        // A shortened name shows its start and "…".
        const auto found =
            std::find_if(listed.begin(), listed.end(), [&](const StatisticConnection& l) {
                return l.name == c.shown ||
                       (l.name.endsWith(QStringLiteral("…")) && l.name.size() > 100 &&
                        c.shown.startsWith(l.name.chopped(1)));
            });
        ASSERT_NE(found, listed.end()) << c.shown.toStdString();
        // Each booked twice into its own file, never added to another's.
        EXPECT_EQ(statistics.Amount(found->fileName, QStringLiteral("03.2008")),
                  QString::number(2 * c.cost));
    }
}
