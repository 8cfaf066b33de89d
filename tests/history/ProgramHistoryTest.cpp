// SPDX-License-Identifier: GPL-3.0-or-later
// The program keeps the history of its connection and hands the period to its script.
#include "ApplicationFixture.h"
#include "NextModal.h"
#include "ShippedFiles.h"
#include "budget/BillingPeriod.h"
#include "history/HistoryStore.h"
#include "history/HistoryView.h"

namespace {

constexpr uint64_t kMb = 1048576;

using ProgramHistory = ApplicationFixture;

QList<ConnectionRecord> Rows(const TempFolder& folder) {
    HistoryStore store(folder.File(QLatin1String(kHistoryFile)));
    if (!store.Open(HistoryStore::Mode::ReadOnly)) return {};
    return store.Connections(QDateTime(QDate(2000, 1, 1), QTime()),
                             QDateTime(QDate(2100, 1, 1), QTime()));
}

// Up since `made`, the clock at `now`, with `megabytes` received so far.
LinkStats UpSince(const QDateTime& made, const QDateTime& now, uint64_t megabytes) {
    LinkStats stats;
    stats.bytesReceived = megabytes * kMb;
    stats.connectedMs = uint64_t(made.msecsTo(now));
    return stats;
}

class ProgramRestarts : public ApplicationFixture {
protected:
    void SetUp() override {
        WriteSettings("hide_start=1\r\nType_tar=0\r\n");
        programFolder.Write(QStringLiteral("connections/.keep"), "");
        programFolder.Write(QStringLiteral("script.vsc"), "message(MAL)\r\n");
        programFolder.Write(QStringLiteral("tar.dat"), ShippedDefault(QStringLiteral("tar.dat")));
        programFolder.Write(QStringLiteral("tar.money.dat"),
                            ShippedDefault(QStringLiteral("tar.money.dat")));
    }
    // One sampling and one watcher tick at `at` with the link's figures.
    void TicksAt(const QDateTime& at, const LinkStats& stats) {
        clock.Set(at);
        link->connected = true;
        link->stats = stats;
        app->Indicator().RunSamplingTick();
        app->WatcherTick();
    }
    // The program ends and starts again at `at`, the link up with these figures.
    void Restart(bool graceful, const QDateTime& at, const LinkStats& stats) {
        if (graceful) app->EndSession();  // as SIGTERM and the session's end lead to
        app.reset();                      // without it: as SIGKILL leaves things
        clock.Set(at);
        linkAtStart.connected = true;
        linkAtStart.stats = stats;
        Run();
    }
    // 5 MB in 25 s at the day's 2 a MB; the program ends before the minute's sample, and
    // when it starts again the next connection of the same name is up.
    void ShortConnectionThenAnother(bool graceful) {
        const QDateTime made(day, QTime(12, 0));
        clock.Set(made);
        Run();
        TicksAt(made, UpSince(made, made, 0));
        TicksAt(made.addSecs(25), UpSince(made, made.addSecs(25), 5));
        // The history window's row of the running connection shows where it stands.
        const HistoryView view = LoadHistoryView(ProgramFolder(programFolder.Path()), clock.Now(),
                                                 RussianLocale(), app->CurrentPeriod());
        ASSERT_EQ(view.connections.size(), 1);
        EXPECT_EQ(view.connections[0].seconds, 25);
        EXPECT_DOUBLE_EQ(view.connections[0].cost, 10);
        const QDateTime next = made.addSecs(50);
        Restart(graceful, next.addSecs(10), UpSince(next, next.addSecs(10), 1));
        app->WatcherTick();
        TicksAt(next.addSecs(12), UpSince(next, next.addSecs(12), 1));
    }
    QString Mal() {
        app->ScriptTick();
        return Message();
    }
    const QDate day{2026, 1, 15};
};

}  // namespace

TEST_F(ProgramRestarts, aConnectionOverTheHourAndARestartBooksEachHoursTrafficAtItsPrice) {
    // Night: 0.5 a MB until 08:00, then day: 2 a MB.
    const QDateTime made(day, QTime(7, 58));
    const auto upAt = [&](const QTime& time, uint64_t megabytes) {
        return UpSince(made, QDateTime(day, time), megabytes);
    };
    clock.Set(made);
    Run();
    TicksAt(QDateTime(day, QTime(7, 59)), upAt(QTime(7, 59), 0));
    TicksAt(QDateTime(day, QTime(7, 59, 30)), upAt(QTime(7, 59, 30), 300));
    EXPECT_EQ(Mal(), QStringLiteral("150"));
    Restart(true, QDateTime(day, QTime(8, 0, 30)), upAt(QTime(8, 0, 30), 350));
    EXPECT_EQ(Mal(), QStringLiteral("250"));  // 50 MB while no program ran: at the day's price
    TicksAt(QDateTime(day, QTime(8, 1, 30)), upAt(QTime(8, 1, 30), 400));
    EXPECT_EQ(Mal(), QStringLiteral("350"));
    link->connected = false;
    app->WatcherTick();
    EXPECT_TRUE(QString::fromUtf8(programFolder.Read(QStringLiteral("connections/MyISP.vlg")))
                    .contains(QStringLiteral("01.2026=350")));
    const QList<ConnectionRecord> rows = Rows(programFolder);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_FALSE(rows[0].cutShort);
    EXPECT_DOUBLE_EQ(rows[0].figures.usage.cost, 350);
}

TEST_F(ProgramHistory, theRunningConnectionCountsInThePeriodAndItsRowIsBookedAtItsEnd) {
    WriteSettings("hide_start=1\r\ncycle_day=10\r\n");
    programFolder.Write(QStringLiteral("connections/.keep"), "");
    programFolder.Write(QStringLiteral("script.vsc"), "message(CAL)\r\n");
    Run();
    link->connected = true;
    link->stats.bytesReceived = 3 * kMb;
    link->stats.bytesSent = kMb / 2;
    app->Indicator().RunSamplingTick();
    app->WatcherTick();
    link->stats.connectedMs = 2000;  // the counters move after the row was begun
    app->Indicator().RunSamplingTick();
    app->ScriptTick();
    EXPECT_EQ(Message(), QStringLiteral("3,5"));
    EXPECT_EQ(app->CurrentPeriod().period.start, QDate(2026, 1, 10));

    clock.Set(clock.Now().addSecs(61));
    link->stats.bytesReceived = 5 * kMb;
    link->stats.connectedMs = 63000;
    app->Indicator().RunSamplingTick();
    app->WatcherTick();  // a sample
    ASSERT_EQ(Rows(programFolder).size(), 1);
    EXPECT_TRUE(Rows(programFolder)[0].Open());
    EXPECT_EQ(Rows(programFolder)[0].figures.usage.received, int64_t(5 * kMb));

    link->connected = false;
    app->WatcherTick();
    app->ScriptTick();
    EXPECT_EQ(Message(), QStringLiteral("5,5"));  // the period keeps what the connection used
    const QList<ConnectionRecord> rows = Rows(programFolder);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_FALSE(rows[0].Open());
    EXPECT_TRUE(rows[0].booked);
    EXPECT_EQ(rows[0].name, QStringLiteral("MyISP"));
    EXPECT_EQ(rows[0].figures.usage.sent, int64_t(kMb / 2));
}

TEST_F(ProgramRestarts, aShortConnectionEndedWithTheProgramKeepsItsRowAndItsMoney) {
    ShortConnectionThenAnother(true);
    const QList<ConnectionRecord> rows = Rows(programFolder);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[0].cutShort);
    EXPECT_EQ(rows[0].end, QDateTime(day, QTime(12, 0, 25)).toUTC());
    EXPECT_EQ(rows[0].figures.usage, (Usage{int64_t(5 * kMb), 0, 10}));
    EXPECT_DOUBLE_EQ(app->CurrentPeriod().used.cost, 12);
}

TEST_F(ProgramRestarts, aShortConnectionKilledWithTheProgramIsStillNotMergedIntoTheNext) {
    ShortConnectionThenAnother(false);
    const QList<ConnectionRecord> rows = Rows(programFolder);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[0].cutShort);  // with nothing stored: it had no sample yet
    EXPECT_EQ(rows[0].figures.usage, Usage{});
    EXPECT_DOUBLE_EQ(app->CurrentPeriod().used.cost, 2);
}

TEST_F(ProgramHistory, connectionsAreBookedAndKeptWhileAStatisticsErrorStaysOpen) {
    WriteSettings("hide_start=1\r\n");
    programFolder.Write(QStringLiteral("connections/Bad.vlg"), "[Statistic]\r\n01.2026=abc\r\n");
    QObject test;
    OnNextModal([](QWidget* box) { box->close(); }, &test);  // a box that waits is closed
    Run();
    for (const char* name : {"Bad", "MyISP", "MyISP"}) {
        link->name = QLatin1String(name);
        link->connected = true;
        app->WatcherTick();
        link->connected = false;
        app->WatcherTick();
    }
    int boxes = 0;  // the first connection's, still open
    for (const QWidget* window : QApplication::topLevelWidgets())
        boxes += window->isVisible() && window->windowTitle() == u"Vantoril Statistic Error";
    EXPECT_EQ(boxes, 1);
    const QList<ConnectionRecord> rows = Rows(programFolder);
    ASSERT_EQ(rows.size(), 3);  // each once
    EXPECT_TRUE(!rows[0].booked && rows[1].booked && rows[2].booked);
}
