// SPDX-License-Identifier: GPL-3.0-or-later
// Reliability: a booking process killed (SIGKILL) at random moments never leaves a
// statistics file truncated, empty or unreadable, and never loses a month or a total.
#include "TempFolder.h"
#include "core/Numbers.h"
#include "stats/ConnectionFileName.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QProcess>

#include <chrono>
#include <gtest/gtest.h>
#include <random>
#include <thread>

namespace {

using MonthTotals = QHash<QString, float>;  // month key -> total

// Every check a statistics file must pass after any kill; returns its months.
MonthTotals ReadWholeFile(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("[Statistic]\r\n")) << bytes.constData();
    EXPECT_TRUE(bytes.endsWith("\r\n")) << bytes.constData();
    MonthTotals months;
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeFirst();
    lines.removeLast();  // after the final line end
    for (const QByteArray& line : lines) {
        const QList<QByteArray> parts = line.trimmed().split('=');
        const auto total = parts.size() == 2
                               ? ReadLocaleSingle(QString::fromLatin1(parts[1]), QLocale::c())
                               : std::nullopt;
        EXPECT_TRUE(total.has_value()) << line.constData();
        if (total) months.insert(QString::fromLatin1(parts[0]), *total);
    }
    return months;
}

// Months never vanish and totals never fall between two kills.
void ExpectNothingLost(const MonthTotals& before, const MonthTotals& after, const QString& file) {
    for (auto month = before.begin(); month != before.end(); ++month) {
        ASSERT_TRUE(after.contains(month.key()))
            << file.toStdString() << " lost " << month.key().toStdString();
        EXPECT_GE(after.value(month.key()), month.value()) << file.toStdString();
    }
}

int Rounds() {
    bool ok = false;
    const int rounds = qEnvironmentVariableIntValue("VANTORIL_CRASH_ROUNDS", &ok);
    return ok && rounds > 0 ? rounds : 300;
}

}  // namespace

TEST(BookingCrash, killedAtRandomMomentsNeverLeavesABrokenFile) {
    TempFolder folder;
    const QString connections = folder.File(QLatin1String(kConnectionsFolder));
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> bookingsFirst(1, 3);
    QHash<QString, MonthTotals> seen;
    int kills = 0;

    for (int round = 0; round < Rounds(); ++round) {
        QProcess booker;
        booker.start(QStringLiteral(STATS_BOOKER), {folder.Path()});
        ASSERT_TRUE(booker.waitForStarted()) << booker.errorString().toStdString();
        // Killed at a random moment of the booking after the first few, as long as the last
        // one took: measured, not guessed (far longer under a sanitizer or on a busy machine).
        QElapsedTimer timer;
        qint64 bookingNs = 0;
        for (int booked = bookingsFirst(random); booked > 0; --booked, booker.readLine()) {
            timer.start();
            ASSERT_TRUE(booker.canReadLine() || booker.waitForReadyRead(60000));
            bookingNs = timer.nsecsElapsed();
        }
        std::uniform_int_distribution<qint64> delayNs(0, bookingNs);
        std::this_thread::sleep_for(std::chrono::nanoseconds(delayNs(random)));
        booker.kill();  // SIGKILL
        ASSERT_TRUE(booker.waitForFinished());
        ASSERT_EQ(booker.exitStatus(), QProcess::CrashExit)
            << booker.readAllStandardError().constData();
        ++kills;

        bool moved = false;
        for (const QString& name :
             QDir(connections).entryList({QStringLiteral("*.vlg")}, QDir::Files)) {
            const QString path = connections + u'/' + name;
            const MonthTotals months = ReadWholeFile(path);
            ExpectNothingLost(seen.value(name), months, name);
            moved = moved || months != seen.value(name);
            seen.insert(name, months);
        }
        EXPECT_TRUE(moved) << "round " << round << ": the bookings it said are not in the files";
        if (::testing::Test::HasFailure()) break;
    }
    std::printf("killed %d times, each during a booking\n", kills);
    ::testing::Test::RecordProperty("kills", kills);
}
