// SPDX-License-Identifier: GPL-3.0-or-later
// vantoril-history over a real history file: its three reports in each format, and its
// answers when there is no history or the arguments are wrong.
#include "FixedClock.h"
#include "Locales.h"
#include "TempFolder.h"
#include "history/HistoryStore.h"
#include "tools/vantoril-history/HistoryTool.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

constexpr int64_t kMb = 1048576;

QDateTime Local(int m, int d, int h, int min) {
    return QDateTime(QDate(2026, m, d), QTime(h, min));
}

class HistoryToolTest : public ::testing::Test {
protected:
    HistoryToolTest() {
        folder.Write(QStringLiteral("inet.conf"),
                     "[Vantoril]\r\ncycle_day=10\r\nbudget=100\r\ncap_mb=1000\r\n");
        HistoryStore store(folder.File(QLatin1String(kHistoryFile)));
        EXPECT_TRUE(store.Open());
        // Over midnight into the period's first day: a minute before, two after.
        const int64_t night = *store.BeginConnection(
            {QStringLiteral("MyISP"), QStringLiteral("auto"), Local(3, 9, 23, 59), 0});
        EXPECT_TRUE(store.AddSample(night, Local(3, 10, 0, 0), {{1000, 100, 1}, 60}));
        EXPECT_TRUE(
            store.FinishConnection(night, Local(3, 10, 0, 2), {{3000, 300, 3}, 180}, 0, true));
        // A name that needs quoting in CSV, cut short by the end of the program.
        const int64_t day = *store.BeginConnection(
            {QStringLiteral("Дом, \"2\""), QStringLiteral("auto"), Local(3, 12, 10, 0), 0});
        EXPECT_TRUE(store.AddSample(day, Local(3, 12, 10, 5), {{3 * kMb, kMb / 2, 1.25}, 300}));
        EXPECT_TRUE(store.CloseCutShort(day));
    }

    int Run(QStringList arguments, const QLocale& locale = PointLocale()) {
        arguments.prepend(folder.Path());
        arguments.prepend(QStringLiteral("--folder"));
        output.clear();
        errors.clear();
        QTextStream out(&output);
        QTextStream err(&errors);
        return RunHistoryTool(arguments, out, err, clock, locale);
    }
    QJsonDocument Json(const QStringList& arguments) {
        EXPECT_EQ(Run(arguments), 0) << errors.toStdString();
        return QJsonDocument::fromJson(output.toUtf8());
    }

    TempFolder folder;
    FixedClock clock{Local(3, 20, 12, 0)};
    QString output;
    QString errors;
};

QStringList Keys(const QJsonObject& object) {
    QStringList keys = object.keys();
    keys.sort();
    return keys;
}

}  // namespace

TEST_F(HistoryToolTest, connectionsAsJsonHaveTheirKeysAndNumbers) {
    const QJsonArray rows =
        Json({QStringLiteral("connections"), QStringLiteral("--format"), QStringLiteral("json")})
            .array();
    ASSERT_EQ(rows.size(), 2);
    const QJsonObject first = rows[0].toObject();
    EXPECT_EQ(Keys(first), QStringList({"cost", "cut_short", "end", "name", "online_seconds",
                                        "received_bytes", "sent_bytes", "start"}));
    EXPECT_EQ(first["name"].toString(), QStringLiteral("MyISP"));
    EXPECT_EQ(QDateTime::fromString(first["start"].toString(), Qt::ISODate), Local(3, 9, 23, 59));
    EXPECT_EQ(QDateTime::fromString(first["end"].toString(), Qt::ISODate), Local(3, 10, 0, 2));
    EXPECT_TRUE(first["received_bytes"].isDouble());
    EXPECT_EQ(first["received_bytes"].toInteger(), 3000);
    EXPECT_EQ(first["sent_bytes"].toInteger(), 300);
    EXPECT_EQ(first["online_seconds"].toInteger(), 180);
    EXPECT_EQ(first["cost"].toDouble(), 3);
    EXPECT_EQ(first["cut_short"].toBool(true), false);
    const QJsonObject second = rows[1].toObject();
    EXPECT_EQ(second["cut_short"].toBool(), true);
    EXPECT_EQ(QDateTime::fromString(second["end"].toString(), Qt::ISODate), Local(3, 12, 10, 5));

    // Days pick the connections that were up on them.
    const QJsonArray twelfth =
        Json({QStringLiteral("connections"), QStringLiteral("--from"), QStringLiteral("2026-03-11"),
              QStringLiteral("--format"), QStringLiteral("json")})
            .array();
    ASSERT_EQ(twelfth.size(), 1);
    EXPECT_EQ(twelfth[0].toObject()["received_bytes"].toInteger(), 3 * kMb);
}

TEST_F(HistoryToolTest, connectionsAsCsvAreQuotedWithPointDecimals) {
    ASSERT_EQ(
        Run({QStringLiteral("connections"), QStringLiteral("--format"), QStringLiteral("csv")},
            RussianLocale()),
        0);
    const QStringList lines = output.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4) << output.toStdString();
    EXPECT_EQ(
        lines[0],
        QStringLiteral("name,start,end,received_bytes,sent_bytes,online_seconds,cost,cut_short"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("MyISP,2026-03-09T23:59:00")))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(",3000,300,180,3.00,false")))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("\"Дом, \"\"2\"\"\",2026-03-12T10:00:00")));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral(",3145728,524288,300,1.25,true")))
        << lines[2].toStdString();
    EXPECT_EQ(lines[3], QString());
}

TEST_F(HistoryToolTest, connectionsAsATableUseTheLocalesDecimalSeparator) {
    ASSERT_EQ(Run({QStringLiteral("connections")}, RussianLocale()), 0);
    const QStringList lines = output.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Соединение")));
    EXPECT_TRUE(lines[2].contains(QStringLiteral("2026-03-12 10:00:00")));
    EXPECT_TRUE(lines[2].contains(QStringLiteral("3,00  ")));  // MB received
    EXPECT_TRUE(lines[2].contains(QStringLiteral("0:05:00")));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("1,25  да"))) << lines[2].toStdString();
}

TEST_F(HistoryToolTest, daysSplitAtMidnightAndDefaultToTheCurrentPeriod) {
    const QJsonArray period =
        Json({QStringLiteral("days"), QStringLiteral("--format"), QStringLiteral("json")}).array();
    ASSERT_EQ(period.size(), 11);  // 10th to 20th March
    EXPECT_EQ(period[0].toObject()["date"].toString(), QStringLiteral("2026-03-10"));
    EXPECT_EQ(period[0].toObject()["received_bytes"].toInteger(), 2000);
    EXPECT_EQ(period[0].toObject()["cost"].toDouble(), 2);
    EXPECT_EQ(period[2].toObject()["sent_bytes"].toInteger(), kMb / 2);
    EXPECT_EQ(period[10].toObject()["date"].toString(), QStringLiteral("2026-03-20"));

    ASSERT_EQ(Run({QStringLiteral("days"), QStringLiteral("--from"), QStringLiteral("2026-03-09"),
                   QStringLiteral("--to"), QStringLiteral("2026-03-10"), QStringLiteral("--format"),
                   QStringLiteral("csv")}),
              0);
    EXPECT_EQ(output, QStringLiteral("date,received_bytes,sent_bytes,cost\r\n"
                                     "2026-03-09,1000,100,1.00\r\n"
                                     "2026-03-10,2000,200,2.00\r\n"));
    ASSERT_EQ(Run({QStringLiteral("days"), QStringLiteral("--to"), QStringLiteral("2026-03-12")},
                  RussianLocale()),
              0);
    EXPECT_EQ(output.count(u'\n'), 4);  // header and three days
    EXPECT_TRUE(output.contains(QStringLiteral("2026-03-12")));
}

TEST_F(HistoryToolTest, thePeriodReportsItsTotalsLimitsAndProjection) {
    const QJsonObject period =
        Json({QStringLiteral("period"), QStringLiteral("--format"), QStringLiteral("json")})
            .object();
    EXPECT_EQ(Keys(period), QStringList({"budget", "cap_mb", "cost", "days_elapsed", "days_left",
                                         "end", "projected_cost", "projected_mb", "received_bytes",
                                         "safe_per_day", "sent_bytes", "start"}));
    EXPECT_EQ(period["start"].toString(), QStringLiteral("2026-03-10"));
    EXPECT_EQ(period["end"].toString(), QStringLiteral("2026-04-09"));
    EXPECT_EQ(period["days_elapsed"].toInt(), 10);
    EXPECT_EQ(period["days_left"].toInt(), 21);
    EXPECT_EQ(period["received_bytes"].toInteger(), 2000 + 3 * kMb);  // the 9th's minute not
    EXPECT_EQ(period["cost"].toDouble(), 3.25);
    EXPECT_EQ(period["budget"].toDouble(), 100);
    EXPECT_EQ(period["cap_mb"].toDouble(), 1000);
    EXPECT_NEAR(period["safe_per_day"].toDouble(), (100 - 3.25) / 21, 0.005);
    EXPECT_GT(period["projected_cost"].toDouble(), 3.25);

    folder.Write(QStringLiteral("inet.conf"), "[Vantoril]\r\ncycle_day=10\r\n");
    const QJsonObject open =
        Json({QStringLiteral("period"), QStringLiteral("--format"), QStringLiteral("json")})
            .object();
    EXPECT_TRUE(open["budget"].isNull());
    EXPECT_TRUE(open["safe_per_day"].isNull());

    ASSERT_EQ(Run({QStringLiteral("period"), QStringLiteral("--format"), QStringLiteral("csv")}),
              0);
    EXPECT_TRUE(output.startsWith(QStringLiteral("start,end,days_elapsed,days_left,")));
    EXPECT_EQ(output.count(QStringLiteral("\r\n")), 2);
    folder.Write(QStringLiteral("inet.conf"), "[Vantoril]\r\ncycle_day=10\r\ncap_mb=1000\r\n");
    ASSERT_EQ(Run({QStringLiteral("period")}, RussianLocale()), 0);
    EXPECT_TRUE(output.contains(QStringLiteral("Стоимость:")));
    EXPECT_TRUE(output.contains(QStringLiteral("3,25")));
    EXPECT_TRUE(output.contains(QStringLiteral("1000,00")));  // the cap, without grouping
}

TEST_F(HistoryToolTest, noHistoryOrWrongArgumentsEndWithStatus2) {
    TempFolder empty;
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    EXPECT_EQ(RunHistoryTool({QStringLiteral("--folder"), empty.Path(), QStringLiteral("period")},
                             outStream, errStream, clock, PointLocale()),
              2);
    EXPECT_TRUE(err.contains(QStringLiteral("no history"))) << err.toStdString();
    EXPECT_FALSE(empty.Exists(QLatin1String(kHistoryFile)));
    EXPECT_TRUE(Run({"--folder", empty.File("gone"), "period"}) == 2 &&
                errors.contains(QStringLiteral("gone does not exist")));
    // Refused at once, not worked through day by day.
    EXPECT_TRUE(Run({"days", "--from", "0001-01-01", "--to", "9999-12-31"}) == 2 &&
                errors.contains(QStringLiteral("more than 100 years")));

    EXPECT_EQ(Run({QStringLiteral("weekly")}), 2);
    EXPECT_TRUE(errors.contains(QStringLiteral("unknown command: weekly")));
    EXPECT_EQ(Run({QStringLiteral("days"), QStringLiteral("--from"), QStringLiteral("10.03.2026")}),
              2);
    EXPECT_EQ(Run({QStringLiteral("period"), QStringLiteral("--format"), QStringLiteral("xml")}),
              2);
    EXPECT_EQ(
        Run({QStringLiteral("period"), QStringLiteral("--from"), QStringLiteral("2026-03-01")}), 2);
    EXPECT_EQ(Run({QStringLiteral("--help")}), 0);
    EXPECT_TRUE(output.startsWith(QStringLiteral("usage: vantoril-history")));
}

TEST_F(HistoryToolTest, aDamagedHistoryIsReportedAndLeftAsItIs) {
    folder.Write(QLatin1String(kHistoryFile), QByteArray(4096, 'x'));
    folder.Write(QLatin1String(kHistoryFile) + QStringLiteral("-wal"), QByteArray());
    EXPECT_EQ(Run({QStringLiteral("connections")}), 1);
    EXPECT_TRUE(errors.contains(QStringLiteral("damaged"))) << errors.toStdString();
    EXPECT_EQ(folder.Read(QLatin1String(kHistoryFile)), QByteArray(4096, 'x'));
}

// Caught: the tool rewriting a file the program has not yet upgraded, or failing on it
// with words that do not say what to do.
TEST_F(HistoryToolTest, anOlderFileIsLeftForTheProgramToUpgradeAndSaysSo) {
    {
        HistoryStore store(folder.File(QLatin1String(kHistoryFile)));
        ASSERT_TRUE(store.Open());
        QSqlQuery(QSqlDatabase::database(store.ConnectionName()))
            .exec(QStringLiteral("PRAGMA user_version = 3"));
    }
    const QByteArray before = folder.Read(QLatin1String(kHistoryFile));
    EXPECT_EQ(Run({QStringLiteral("days")}), 1);
    EXPECT_TRUE(errors.contains(QStringLiteral("start the program once to upgrade it")))
        << errors.toStdString();
    EXPECT_EQ(folder.Read(QLatin1String(kHistoryFile)), before);
}
