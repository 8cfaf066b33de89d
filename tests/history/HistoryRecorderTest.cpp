// SPDX-License-Identifier: GPL-3.0-or-later
// The metered connection in the history across ticks and restarts, the period's totals
// with the running connection, and the alerts.
#include "FixedClock.h"
#include "Locales.h"
#include "TempFolder.h"
#include "history/HistoryRecorder.h"
#include "history/HistoryReports.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <sys/mount.h>
#include <unistd.h>

namespace {

constexpr int64_t kMb = 1048576;

HistorySighting Up(int64_t received, double cost, int64_t online,
                   const QString& name = QStringLiteral("MyISP")) {
    HistorySighting s;
    s.connected = true;
    s.name = name;
    s.linkSource = QStringLiteral("auto");
    s.figures = {{received, received / 10, cost}, online};
    return s;
}

HistorySighting Down(int64_t received, double cost, int64_t online, bool booked = true) {
    HistorySighting s = Up(received, cost, online);
    s.connected = false;
    s.name.clear();
    s.booked = booked;
    return s;
}

class HistoryRecorderTest : public ::testing::Test {
protected:
    HistoryRecorderTest() { Restart(); }

    // A new run of the program on the same folder; the previous one simply stops.
    QStringList Restart() {
        recorder.reset();
        store = std::make_unique<HistoryStore>(folder.File(QLatin1String(kHistoryFile)));
        recorder = std::make_unique<HistoryRecorder>(*store, clock, RussianLocale());
        return recorder->Start();
    }
    // A watcher tick and the sampling tick's alerts, each shown.
    QStringList TickAt(const QDateTime& at, const HistorySighting& sighting) {
        clock.Set(at);
        QStringList told = recorder->Tick(sighting, limits);
        for (const DueAlert& alert : recorder->FreshAlerts(limits, sighting.figures)) {
            recorder->AlertShown(alert);
            told << alert.text;
        }
        return told;
    }
    QList<ConnectionRecord> Rows() {
        return store->Connections(QDateTime(QDate(2000, 1, 1), QTime()),
                                  QDateTime(QDate(2100, 1, 1), QTime()));
    }

    TempFolder folder;
    const QDateTime t0{QDate(2026, 3, 10), QTime(20, 0)};
    FixedClock clock{t0};
    PeriodLimits limits;
    std::unique_ptr<HistoryStore> store;
    std::unique_ptr<HistoryRecorder> recorder;
};

}  // namespace

TEST_F(HistoryRecorderTest, aConnectionGetsARowASampleAMinuteAndItsBooking) {
    EXPECT_TRUE(TickAt(t0, Up(0, 0, 0)).isEmpty());
    TickAt(t0.addSecs(30), Up(3000, 0.3, 30));
    TickAt(t0.addSecs(60), Up(6000, 0.6, 60));  // sampled
    TickAt(t0.addSecs(90), Up(9000, 0.9, 90));
    TickAt(t0.addSecs(122), Up(12200, 1.2, 122));  // sampled
    ASSERT_EQ(Rows().size(), 1);
    EXPECT_TRUE(Rows()[0].Open());
    EXPECT_EQ(Rows()[0].lastSample, t0.addSecs(122).toUTC());
    EXPECT_EQ(Rows()[0].figures.usage.received, 12200);

    TickAt(t0.addSecs(124), Down(12400, 1.25, 124, true));
    TickAt(t0.addSecs(126), Down(12400, 1.25, 124, true));
    const QList<ConnectionRecord> rows = Rows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].start, t0.toUTC());
    EXPECT_EQ(rows[0].end, t0.addSecs(124).toUTC());
    EXPECT_EQ(rows[0].figures.usage, (Usage{12400, 1240, 1.25}));
    EXPECT_TRUE(rows[0].booked);
    EXPECT_FALSE(rows[0].cutShort);
}

TEST_F(HistoryRecorderTest, aConnectionLeftOpenIsClosedCutShortWhenItsLinkIsGone) {
    TickAt(t0, Up(0, 0, 0));
    TickAt(t0.addSecs(60), Up(6000, 0.6, 60));
    TickAt(t0.addSecs(100), Up(9000, 0.9, 100));  // not sampled: lost with the run
    Restart();
    TickAt(t0.addSecs(600), Down(0, 0, 0));
    const QList<ConnectionRecord> rows = Rows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_TRUE(rows[0].cutShort);
    EXPECT_FALSE(rows[0].booked);
    EXPECT_EQ(rows[0].end, t0.addSecs(60).toUTC());
    EXPECT_EQ(rows[0].figures.usage.received, 6000);
}

TEST_F(HistoryRecorderTest, aRestartWhileTheConnectionStaysUpGoesOnWithItsRow) {
    TickAt(t0, Up(0, 0, 0));
    TickAt(t0.addSecs(60), Up(6000, 0.6, 60));
    Restart();
    TickAt(t0.addSecs(90), Up(9000, 0.9, 90));
    TickAt(t0.addSecs(150), Up(15000, 1.5, 150));
    TickAt(t0.addSecs(152), Down(15000, 1.5, 150));
    const QList<ConnectionRecord> rows = Rows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_FALSE(rows[0].cutShort);
    EXPECT_TRUE(rows[0].booked);
    EXPECT_EQ(rows[0].figures.usage.received, 15000);
}

TEST_F(HistoryRecorderTest, countersThatFallMeanTheLinkCameBackAsANewConnection) {
    TickAt(t0, Up(0, 0, 0));
    TickAt(t0.addSecs(60), Up(6000, 0.6, 60));
    TickAt(t0.addSecs(62), Up(100, 0.01, 1));  // dropped and redialled between two ticks
    TickAt(t0.addSecs(122), Up(6100, 0.61, 61));
    TickAt(t0.addSecs(124), Down(6200, 0.62, 62));
    const QList<ConnectionRecord> rows = Rows();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].figures.usage.received, 6000);
    EXPECT_FALSE(rows[0].booked);  // only the later connection goes into the books
    EXPECT_TRUE(rows[1].booked);
    EXPECT_EQ(rows[1].figures.usage.received, 6200);
    EXPECT_EQ(store->UsageBetween(t0, t0.addDays(1)).received, 12200);
}

TEST_F(HistoryRecorderTest, aConnectionFoundAlreadyUpStartsWhenItWasMade) {
    TickAt(t0, Up(50 * kMb, 5, 3600));
    TickAt(t0.addSecs(60), Up(51 * kMb, 5.1, 3660));
    ASSERT_EQ(Rows().size(), 1);
    EXPECT_EQ(Rows()[0].start, t0.addSecs(-3600).toUTC());
}

TEST_F(HistoryRecorderTest, thePeriodIncludesTheRunningConnectionBetweenSamples) {
    TickAt(t0.addDays(-1), Up(0, 0, 0));
    TickAt(t0.addDays(-1).addSecs(60), Up(10 * kMb, 4, 60));
    TickAt(t0.addDays(-1).addSecs(62), Down(10 * kMb, 4, 60));
    // A new connection whose first tick still shows the last one's counters.
    TickAt(t0, Up(10 * kMb, 4, 60));
    EXPECT_DOUBLE_EQ(recorder->Report(limits, Up(10 * kMb, 4, 60).figures).used.cost, 4);
    TickAt(t0.addSecs(2), Up(1 * kMb, 0.5, 2));
    const PeriodReport report = recorder->Report(limits, Up(2 * kMb, 1, 30).figures);
    EXPECT_DOUBLE_EQ(report.used.cost, 5);
    EXPECT_EQ(report.used.received, 12 * kMb);
    EXPECT_EQ(report.period.start, QDate(2026, 3, 1));
}

TEST_F(HistoryRecorderTest, alertsAreGivenOncePerThresholdAcrossRestarts) {
    limits.budget = 100;
    limits.capMb = 1000;
    TickAt(t0, Up(0, 0, 0));
    EXPECT_TRUE(TickAt(t0.addSecs(60), Up(100 * kMb, 79.99, 60)).isEmpty());
    const QStringList at80 = TickAt(t0.addSecs(62), Up(100 * kMb, 80, 62));
    ASSERT_EQ(at80.size(), 1);
    EXPECT_EQ(at80[0], QStringLiteral("Израсходовано 80 % бюджета периода: 80,00 из 100,00."));
    EXPECT_TRUE(TickAt(t0.addSecs(64), Up(100 * kMb, 85, 64)).isEmpty());

    Restart();
    EXPECT_TRUE(TickAt(t0.addSecs(120), Up(100 * kMb, 90, 120)).isEmpty());
    // Budget and cap both over: one alert each, the 80 % of the cap not said any more.
    const QStringList over = TickAt(t0.addSecs(180), Up(1000 * kMb, 100.5, 180));
    EXPECT_EQ(over,
              QStringList({QStringLiteral("Бюджет периода исчерпан: 100,50 из 100,00."),
                           QStringLiteral("Лимит трафика периода исчерпан: 1100 МБ из 1000 МБ.")}));
    Restart();
    EXPECT_TRUE(TickAt(t0.addSecs(240), Up(1000 * kMb, 101, 240)).isEmpty());

    // A raised budget is a new limit; the next period starts afresh.
    limits.budget = 120;
    EXPECT_EQ(TickAt(t0.addSecs(242), Up(1000 * kMb, 101, 242)).size(), 1);
    TickAt(t0.addSecs(244), Down(1000 * kMb, 101, 244));
    EXPECT_TRUE(TickAt(QDateTime(QDate(2026, 4, 2), QTime(10, 0)), Down(0, 0, 0)).isEmpty());
}

TEST_F(HistoryRecorderTest, alertsCanBeTurnedOff) {
    limits.budget = 10;
    limits.alerts = false;
    TickAt(t0, Up(0, 0, 0));
    EXPECT_TRUE(TickAt(t0.addSecs(60), Up(kMb, 50, 60)).isEmpty());
}

TEST_F(HistoryRecorderTest, aHistoryThatCannotBeKeptIsToldOnceAndMeteringGoesOn) {
    recorder.reset();
    store = std::make_unique<HistoryStore>(folder.File(QStringLiteral("gone/history.sqlite")));
    recorder = std::make_unique<HistoryRecorder>(*store, clock, RussianLocale());
    const QStringList told = recorder->Start();
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].startsWith(QStringLiteral("История соединений не ведётся")));
    EXPECT_TRUE(TickAt(t0, Up(0, 0, 0)).isEmpty());
    EXPECT_TRUE(TickAt(t0.addSecs(60), Up(6000, 0.6, 60)).isEmpty());
    EXPECT_TRUE(TickAt(t0.addSecs(62), Down(6000, 0.6, 60)).isEmpty());
    EXPECT_FALSE(recorder->Recording());
}

TEST_F(HistoryRecorderTest, aDamagedFileIsToldAboutWhenMovedAside) {
    recorder.reset();
    store.reset();
    folder.Write(QLatin1String(kHistoryFile), QByteArray(4096, 'x'));
    const QStringList told = Restart();
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(QStringLiteral(".corrupt-"))) << told[0].toStdString();
}

TEST_F(HistoryRecorderTest, damageFoundWhileWritingMovesTheFileAsideAndTheHistoryGoesOn) {
    TickAt(t0, Up(0, 0, 0));
    for (int minute = 1; minute <= 200; ++minute)
        TickAt(t0.addSecs(60 * minute), Up(minute * kMb, minute, 60 * minute));
    recorder.reset();
    store.reset();  // the last connection's close writes everything into the file
    // The header still reads, every page after the first is garbage.
    const QString path = folder.File(QLatin1String(kHistoryFile));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const qint64 size = file.size();
    ASSERT_GT(size, 4 * 4096);
    file.seek(4096);
    file.write(QByteArray(size - 4096, 'x'));
    file.close();

    EXPECT_TRUE(Restart().isEmpty());  // nothing wrong to be seen yet
    QStringList told;
    for (int minute = 201; minute <= 203 && told.isEmpty(); ++minute)
        told = TickAt(t0.addSecs(60 * minute), Up(minute * kMb, minute, 60 * minute));
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(QStringLiteral(".corrupt-"))) << told[0].toStdString();
    EXPECT_EQ(QFileInfo(store->MovedAside()).size(), size);  // kept whole

    // The connection goes on in a new history.
    TickAt(t0.addSecs(60 * 205), Up(205 * kMb, 205, 60 * 205));
    TickAt(t0.addSecs(60 * 266), Up(266 * kMb, 266, 60 * 266));
    TickAt(t0.addSecs(60 * 267), Down(267 * kMb, 267, 60 * 267));
    const QList<ConnectionRecord> rows = Rows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].figures.usage.received, 267 * kMb);
    EXPECT_EQ(rows[0].start, t0.toUTC());  // moved back by its time online
}

// A full disk at start: said once in plain words, the file neither moved nor changed; the
// connection of the minute after there is room again is kept.
TEST_F(HistoryRecorderTest, aFullDiskLeavesTheHistoryAsItIsUntilThereIsRoom) {
    recorder.reset();
    store.reset();
    const QByteArray where = QFile::encodeName(folder.Path());
    if (::geteuid() != 0 || ::mount("tmpfs", where.constData(), "tmpfs", 0, "size=512k") != 0)
        GTEST_SKIP() << "mounting a small tmpfs needs root and the right to mount";
    const auto unmount = qScopeGuard([&] { ::umount2(where.constData(), MNT_DETACH); });
    Restart();
    TickAt(t0, Up(0, 0, 0));
    TickAt(t0.addSecs(62), Down(6000, 0.6, 62));
    store.reset();  // closed as the program leaves it: no log beside it
    QFile filler(folder.File(QStringLiteral("filler")));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(4096, 'f')) == 4096) {
    }
    const QByteArray before = folder.Read(QLatin1String(kHistoryFile));
    EXPECT_EQ(Restart(), QStringList(QStringLiteral(
                             "История соединений не записывается: диск заполнен. Программа "
                             "попробует снова через минуту. Учёт трафика продолжается.")));
    EXPECT_TRUE(TickAt(t0.addSecs(600), Up(0, 0, 0)).isEmpty());  // tried again, not told again
    EXPECT_TRUE(folder.Read(QLatin1String(kHistoryFile)) == before && !store->IsOpen());
    filler.remove();
    EXPECT_EQ(TickAt(t0.addSecs(660), Up(6000, 0.6, 60)),
              QStringList(QStringLiteral("История соединений снова записывается.")));
    TickAt(t0.addSecs(662), Down(6000, 0.6, 62));
    EXPECT_EQ(Rows().size(), 2);
}

TEST_F(HistoryRecorderTest, aClockPutBackLosesNeitherUsageNorSamples) {
    const QDateTime second = t0.addSecs(600);
    TickAt(second, Up(0, 0, 0));
    TickAt(second.addSecs(60), Up(kMb / 2, 1, 60));
    TickAt(second.addSecs(120), Up(kMb, 2, 120));
    const QDateTime back = second.addSecs(120 - 3600);  // the clock goes back an hour
    TickAt(back.addSecs(2), Up(3 * kMb / 2, 3, 122));
    EXPECT_EQ(Rows().at(0).lastSample, back.addSecs(2).toUTC());  // sampled at once
    TickAt(back.addSecs(4), Down(2 * kMb, 4, 124));

    const Usage used = recorder->PeriodUsage(limits, ConnectionFigures()).used;
    EXPECT_DOUBLE_EQ(used.cost, 4);
    EXPECT_EQ(used.received, 2 * kMb);
    EXPECT_GE(Rows().at(0).end, Rows().at(0).start);
    // At a moment the clock passed twice, a connection stands at the last sample taken.
    EXPECT_EQ(store->UsageBetween(second.addSecs(90), t0.addDays(1)), Usage());
}

// Caught: last period's traffic using up this period's volume, a sample at the boundary
// counted twice, or a connection's unsampled rest billed as if it were all beyond.
TEST_F(HistoryRecorderTest, theVolumeIsUsedUpInTimeOrderWithinEachPeriod) {
    limits.planFee = 300;
    limits.includedMb = 100;
    const QDateTime lateMarch(QDate(2026, 3, 31), QTime(23, 58));
    TickAt(lateMarch, Up(0, 0, 0));
    TickAt(lateMarch.addSecs(60), Up(50 * kMb, 25, 60));     // 55 MB in March
    TickAt(lateMarch.addSecs(150), Up(100 * kMb, 50, 150));  // 55 MB more, in April
    // Not yet sampled: 55 MB at 75, of which 45 MB fit what is left of April's volume.
    const PeriodReport april = recorder->Report(limits, Up(150 * kMb, 125, 180).figures);
    EXPECT_EQ(april.period.start, QDate(2026, 4, 1));
    EXPECT_DOUBLE_EQ(april.used.cost, 100);
    EXPECT_DOUBLE_EQ(april.bill, 300 + 75.0 * 10 / 55);

    const PeriodUse march = StoredPeriodUse(*store, PeriodContaining(lateMarch.date(), 1), 100);
    EXPECT_DOUBLE_EQ(march.included.mbLeft, 45);
    EXPECT_DOUBLE_EQ(PeriodBill(limits, march), 300);
}

// Caught: the period's usage kept by adding each sample's difference drifting from what
// the stored samples give (a period's change, a clock put back, a restart, a link that
// dropped and came back).
TEST_F(HistoryRecorderTest, thePeriodKeptSampleBySampleEqualsItsRecomputationFromTheFile) {
    limits.cycleDay = 11;  // the period changes at midnight, four hours in
    limits.planFee = 100;
    limits.includedMb = 400;
    std::mt19937 random(27);
    QDateTime at = t0;
    int64_t received = 0;
    double cost = 0;
    int64_t online = 0;
    bool up = false;
    for (int tick = 0; tick < 900; ++tick) {
        at = at.addSecs(random() % 100 == 0 ? -1800 : 15 + random() % 60);
        const unsigned dice = random() % 100;
        if (dice < 2) {
            Restart();
        } else if (dice < 5 && up) {
            TickAt(at, Down(received, cost, online));
            up = false;
            continue;
        } else if (dice < 7) {
            received = cost = online = 0;  // the link came back: counters from nothing
        }
        up = true;
        received += random() % (2 * kMb);
        cost += double(random() % 1000) / 300;
        online += 30;
        TickAt(at, Up(received, cost, online));

        const PeriodUse kept = recorder->PeriodUsage(limits, ConnectionFigures());
        const PeriodUse read =
            StoredPeriodUse(*store, PeriodContaining(at.date(), limits.cycleDay), 400);
        ASSERT_EQ(kept.used.received, read.used.received) << tick;
        ASSERT_EQ(kept.used.sent, read.used.sent) << tick;
        ASSERT_NEAR(kept.used.cost, read.used.cost, 1e-9) << tick;
        ASSERT_NEAR(kept.included.mbLeft, read.included.mbLeft, 1e-9) << tick;
        ASSERT_NEAR(kept.included.covered, read.included.covered, 1e-9) << tick;
    }
}

// Caught: an alert recorded as given although no notification service and no balloon
// showed it, so the user never hears of it.
TEST_F(HistoryRecorderTest, anAlertThatReachedNobodyIsDueAgainUntilShown) {
    limits.budget = 100;
    const auto fresh = [&](const QDateTime& at, const HistorySighting& sighting) {
        clock.Set(at);
        (void)recorder->Tick(sighting, limits);
        return recorder->FreshAlerts(limits, sighting.figures);
    };
    fresh(t0, Up(0, 0, 0));
    const QList<DueAlert> at80 = fresh(t0.addSecs(60), Up(kMb, 85, 60));
    ASSERT_EQ(at80.size(), 1);
    recorder->AlertUnshown(at80[0]);
    EXPECT_TRUE(fresh(t0.addSecs(61), Up(kMb, 86, 61)).isEmpty()) << "not again at every tick";
    const QList<DueAlert> at100 = fresh(t0.addSecs(62), Up(kMb, 101, 62));
    ASSERT_EQ(at100.size(), 1);
    recorder->AlertUnshown(at100[0]);
    const QList<DueAlert> waiting = recorder->TakeUnshown();
    ASSERT_EQ(waiting.size(), 1) << "the later alert of the same budget stands for both";
    EXPECT_EQ(waiting[0].text, at100[0].text);

    Restart();
    const QList<DueAlert> again = fresh(t0.addSecs(120), Up(kMb, 101, 120));
    ASSERT_EQ(again.size(), 1);
    EXPECT_EQ(again[0].text, at100[0].text);
    recorder->AlertShown(again[0]);
    Restart();
    EXPECT_TRUE(fresh(t0.addSecs(180), Up(kMb, 102, 180)).isEmpty());
}

// Caught: an alert that speaks of the tariff's money instead of the bill, of a later tick's
// figure, or without the currency and the decimals the panel shows.
TEST_F(HistoryRecorderTest, anAlertStatesTheBillAtTheTickThatCrossedInThePanelsForm) {
    limits.budget = 20;
    limits.planFee = 10;
    limits.currency = QStringLiteral("₽");
    TickAt(t0, Up(0, 0, 0));
    EXPECT_TRUE(TickAt(t0.addSecs(60), Up(kMb, 5, 60)).isEmpty());  // sampled: 15 of 20
    EXPECT_TRUE(TickAt(t0.addSecs(61), Up(kMb, 5.99, 61)).isEmpty());
    EXPECT_EQ(
        TickAt(t0.addSecs(62), Up(kMb, 6.04, 62)),
        QStringList(QStringLiteral(
            "Израсходовано 80 % бюджета периода: 16,04 ₽ из 20,00 "
            "₽.")));
}
