// SPDX-License-Identifier: GPL-3.0-or-later
// The program keeps the history of its connection and hands the period to its script.
#include "ApplicationFixture.h"
#include "NextModal.h"
#include "budget/BillingPeriod.h"
#include "history/HistoryStore.h"

namespace {

constexpr uint64_t kMb = 1048576;

using ProgramHistory = ApplicationFixture;

QList<ConnectionRecord> Rows(const TempFolder& folder) {
    HistoryStore store(folder.File(QLatin1String(kHistoryFile)));
    if (!store.Open(HistoryStore::Mode::ReadOnly)) return {};
    return store.Connections(QDateTime(QDate(2000, 1, 1), QTime()),
                             QDateTime(QDate(2100, 1, 1), QTime()));
}

}  // namespace

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
