// SPDX-License-Identifier: GPL-3.0-or-later
// The history file: rows and samples, spans split where the traffic was, upgrades,
// damaged and full files.
#include "TempFolder.h"
#include "history/HistorySchema.h"
#include "history/HistoryStore.h"
#include "history/SampleBlock.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QThreadPool>

#include <gtest/gtest.h>
#include <random>
#include <unistd.h>

namespace {

QDateTime Utc(int y, int m, int d, int h, int min, int s = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, min, s), Qt::UTC);
}

ConnectionFigures Figures(int64_t received, int64_t sent, double cost, int64_t online = 0) {
    return {{received, sent, cost}, online};
}

ConnectionStart StartOf(const QString& name, const QDateTime& start) {
    return {name, QStringLiteral("scenario:link.scenario"), start, 0};
}

// One sample as given to the store, of the connection `row` (0, 1...).
struct GivenSample {
    int row;
    QDateTime at;
    ConnectionFigures figures;
};

// A file as the program of schema 3 left it: in write-ahead mode, a row per sample, each
// connection's row holding its last sample's figures.
void WriteSchema3(const QString& path, const QList<QDateTime>& starts,
                  const QList<GivenSample>& samples, const QString& badValue = {}) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), path);
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(QStringLiteral("PRAGMA journal_mode=WAL")));
        for (int version = 1; version <= 3; ++version)
            for (const QString& statement : HistoryMigration(version))
                ASSERT_TRUE(query.exec(statement)) << statement.toStdString();
        ASSERT_TRUE(query.exec(QStringLiteral("PRAGMA user_version = 3")));
        for (const QDateTime& start : starts)
            ASSERT_TRUE(query.exec(QStringLiteral("INSERT INTO connections (name, start_utc)"
                                                  " VALUES ('MyISP', '%1')")
                                       .arg(start.toString(Qt::ISODate))));
        for (int i = 0; i < samples.size(); ++i) {
            const GivenSample& s = samples[i];
            ASSERT_TRUE(query.prepare(
                QStringLiteral("INSERT OR REPLACE INTO samples VALUES (?, ?, ?, ?, ?, ?, ?)")));
            const QVariantList values = {s.row + 1,
                                         s.at.toSecsSinceEpoch(),
                                         i == 3 && !badValue.isNull()
                                             ? QVariant(badValue)
                                             : QVariant(qint64(s.figures.usage.received)),
                                         qint64(s.figures.usage.sent),
                                         qint64(s.figures.onlineSeconds),
                                         s.figures.usage.cost,
                                         i + 1};
            for (const QVariant& value : values) query.addBindValue(value);
            ASSERT_TRUE(query.exec()) << query.lastError().text().toStdString();
            ASSERT_TRUE(query.exec(QStringLiteral("UPDATE connections SET received_bytes = %1,"
                                                  " sent_bytes = %2, online_seconds = %3,"
                                                  " cost = %4 WHERE id = %5")
                                       .arg(s.figures.usage.received)
                                       .arg(s.figures.usage.sent)
                                       .arg(s.figures.onlineSeconds)
                                       .arg(s.figures.usage.cost, 0, 'g', 17)
                                       .arg(s.row + 1)));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(path);
}

class HistoryStoreTest : public ::testing::Test {
protected:
    QString Path() const { return folder.File(QLatin1String(kHistoryFile)); }
    int64_t Begin(HistoryStore& store, const QDateTime& start,
                  const QString& name = QStringLiteral("MyISP")) {
        const std::optional<int64_t> id = store.BeginConnection(StartOf(name, start));
        EXPECT_TRUE(id.has_value()) << store.LastError().detail.toStdString();
        return id.value_or(0);
    }
    static QVariant Pragma(const HistoryStore& store, const QString& name) {
        QSqlQuery query(QSqlDatabase::database(store.ConnectionName()));
        if (!query.exec(QStringLiteral("PRAGMA ") + name) || !query.next()) return QVariant();
        return query.value(0);
    }

    TempFolder folder;
};

}  // namespace

TEST_F(HistoryStoreTest, anEmptyFileIsUpgradedToTheCurrentSchemaInWriteAheadMode) {
    folder.Write(QLatin1String(kHistoryFile), QByteArray());
    HistoryStore store(Path());
    ASSERT_TRUE(store.Open()) << store.LastError().detail.toStdString();
    EXPECT_EQ(Pragma(store, QStringLiteral("user_version")).toInt(), kHistorySchemaVersion);
    EXPECT_EQ(Pragma(store, QStringLiteral("journal_mode")).toString(), QStringLiteral("wal"));
    EXPECT_TRUE(store.MovedAside().isEmpty());
    EXPECT_TRUE(store.Connections(Utc(2000, 1, 1, 0, 0), Utc(2100, 1, 1, 0, 0)).isEmpty());
    EXPECT_FALSE(store.FirstStart().has_value());
    // A setting that is missing (a null text) is stored as an empty one.
    EXPECT_TRUE(
        store.BeginConnection({QStringLiteral("MyISP"), QString(), Utc(2026, 1, 1, 0, 0), 0}))
        << store.LastError().detail.toStdString();
}

TEST_F(HistoryStoreTest, aConnectionKeepsItsRowItsSamplesAndItsEnd) {
    HistoryStore store(Path());
    ASSERT_TRUE(store.Open());
    const QDateTime start = Utc(2026, 3, 10, 20, 0);
    const int64_t id = Begin(store, start);
    ASSERT_TRUE(store.AddSample(id, start.addSecs(60), Figures(1000, 100, 0.5, 60)));
    ASSERT_TRUE(store.AddSample(id, start.addSecs(120), Figures(5'000'000'000LL, 200, 1.25, 120)));
    ASSERT_EQ(store.OpenConnections().size(), 1);
    ASSERT_TRUE(store.FinishConnection(id, start.addSecs(150),
                                       Figures(6'000'000'000LL, 300, 1.5, 150), 1, true));
    EXPECT_TRUE(store.OpenConnections().isEmpty());

    // Reopened, as the next run or the tool would see it.
    store.Close();
    HistoryStore again(Path());
    ASSERT_TRUE(again.Open(HistoryStore::Mode::ReadOnly));
    const QList<ConnectionRecord> rows = again.Connections(start, start.addDays(1));
    ASSERT_EQ(rows.size(), 1);
    const ConnectionRecord& row = rows[0];
    EXPECT_EQ(row.name, QStringLiteral("MyISP"));
    EXPECT_EQ(row.linkSource, QStringLiteral("scenario:link.scenario"));
    EXPECT_EQ(row.start, start);
    EXPECT_EQ(row.end, start.addSecs(150));
    EXPECT_EQ(row.figures, Figures(6'000'000'000LL, 300, 1.5, 150));  // 64-bit bytes
    EXPECT_EQ(row.tariffType, 1);
    EXPECT_TRUE(row.booked);
    EXPECT_FALSE(row.cutShort);
    EXPECT_EQ(again.UsageBetween(start, start.addDays(1)),
              Figures(6'000'000'000LL, 300, 1.5).usage);
    EXPECT_EQ(again.FirstStart(), start);
}

TEST_F(HistoryStoreTest, spansSplitAConnectionWhereItsTrafficWas) {
    HistoryStore store(Path());
    ASSERT_TRUE(store.Open());
    // Up from 23:58 to 00:02 over midnight, 1000 bytes a minute.
    const QDateTime start = Utc(2026, 3, 31, 23, 58);
    const int64_t id = Begin(store, start);
    for (int minute = 1; minute <= 3; ++minute)
        ASSERT_TRUE(
            store.AddSample(id, start.addSecs(60 * minute), Figures(1000 * minute, 0, minute)));
    ASSERT_TRUE(store.FinishConnection(id, start.addSecs(240), Figures(4000, 0, 4), 0, true));
    // Another connection wholly on the second day.
    const int64_t later = Begin(store, Utc(2026, 4, 1, 10, 0));
    ASSERT_TRUE(
        store.FinishConnection(later, Utc(2026, 4, 1, 10, 5), Figures(500, 50, 0.5), 0, true));

    const QDateTime midnight = Utc(2026, 4, 1, 0, 0);
    const QList<Usage> days =
        store.UsageBySpans({midnight.addDays(-1), midnight, midnight.addDays(1)});
    ASSERT_EQ(days.size(), 2);
    // The sample at 00:00:00 holds the minute before midnight.
    EXPECT_EQ(days[0], (Usage{2000, 0, 2}));
    EXPECT_EQ(days[1], (Usage{2500, 50, 2.5}));

    // A billing period starting at midnight counts only what came after it, and a period
    // ending there only what came before.
    EXPECT_EQ(store.UsageBetween(midnight, midnight.addDays(30)), (Usage{2500, 50, 2.5}));
    EXPECT_EQ(store.UsageBetween(midnight.addDays(-30), midnight), (Usage{2000, 0, 2}));
    EXPECT_EQ(store.Connections(midnight, midnight.addDays(1)).size(), 2);
    EXPECT_EQ(store.Connections(midnight.addSecs(300), midnight.addDays(1)).size(), 1);
}

TEST_F(HistoryStoreTest, aRowLeftOpenIsClosedAtItsLastSampleAsCutShort) {
    HistoryStore store(Path());
    ASSERT_TRUE(store.Open());
    const QDateTime start = Utc(2026, 3, 10, 20, 0);
    const int64_t sampled = Begin(store, start);
    ASSERT_TRUE(store.AddSample(sampled, start.addSecs(60), Figures(700, 70, 0.7, 60)));
    const int64_t bare = Begin(store, start.addSecs(90), QStringLiteral("Other"));

    ASSERT_TRUE(store.CloseCutShort(sampled));
    ASSERT_TRUE(store.CloseCutShort(bare));
    const QList<ConnectionRecord> rows = store.Connections(start, start.addDays(1));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[0].cutShort);
    EXPECT_FALSE(rows[0].booked);
    EXPECT_EQ(rows[0].end, start.addSecs(60));
    EXPECT_EQ(rows[0].figures, Figures(700, 70, 0.7, 60));
    EXPECT_TRUE(rows[1].cutShort);
    EXPECT_EQ(rows[1].end, rows[1].start);  // no sample: it ends where it began
}

TEST_F(HistoryStoreTest, aDamagedFileIsMovedAsideAndANewHistoryBegins) {
    const QByteArray garbage(8192, 'x');
    folder.Write(QLatin1String(kHistoryFile), garbage);
    const QByteArray journal(512, '\0');  // not hot: SQLite leaves it
    folder.Write(QLatin1String(kHistoryFile) + QStringLiteral("-journal"), journal);
    HistoryStore store(Path());
    ASSERT_TRUE(store.Open()) << store.LastError().detail.toStdString();
    const QString aside =
        Path() + QStringLiteral(".corrupt-") + QDate::currentDate().toString(Qt::ISODate);
    EXPECT_EQ(store.MovedAside(), aside);
    QFile kept(aside);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), garbage);
    EXPECT_EQ(folder.Read(QFileInfo(aside).fileName() + QStringLiteral("-journal")), journal);
    EXPECT_TRUE(store.BeginConnection(StartOf(QStringLiteral("MyISP"), Utc(2026, 1, 1, 0, 0))));

    // A second damaged file the same day does not replace the first one kept.
    store.Close();
    folder.Write(QLatin1String(kHistoryFile), QByteArray(4096, 'y'));
    ASSERT_TRUE(store.Open());
    EXPECT_EQ(store.MovedAside(), aside + QStringLiteral("-2"));
    EXPECT_EQ(folder.Read(QFileInfo(aside).fileName()), garbage);

    // Read-only use never moves or changes anything.
    store.Close();
    folder.Write(QLatin1String(kHistoryFile), QByteArray(4096, 'z'));
    HistoryStore reader(Path());
    EXPECT_FALSE(reader.Open(HistoryStore::Mode::ReadOnly));
    EXPECT_EQ(reader.LastError().problem, HistoryProblem::Corrupt);
    EXPECT_EQ(folder.Read(QLatin1String(kHistoryFile)), QByteArray(4096, 'z'));
}

TEST_F(HistoryStoreTest, aFullDiskLosesNothingAlreadyStoredAndWritingResumesOnceOpenAgain) {
    HistoryStore store(Path());
    ASSERT_TRUE(store.Open());
    const QDateTime start = Utc(2026, 3, 10, 20, 0);
    const int64_t id = Begin(store, start);
    ASSERT_TRUE(store.AddSample(id, start.addSecs(60), Figures(100, 10, 0.1, 60)));
    // The database may not grow past its present size: the next pages do not fit.
    const int pages = Pragma(store, QStringLiteral("page_count")).toInt();
    Pragma(store, QStringLiteral("max_page_count = %1").arg(pages));
    bool full = false;
    int minute = 2;
    for (; minute < 5000 && !full; ++minute)
        full = !store.AddSample(id, start.addSecs(60 * minute), Figures(100 * minute, 10, 0.1, 60));
    ASSERT_TRUE(full) << "the size limit never applied";
    EXPECT_EQ(store.LastError().problem, HistoryProblem::DiskFull);
    store.Close();

    HistoryStore again(Path());
    ASSERT_TRUE(again.Open());
    const QList<ConnectionRecord> rows = again.Connections(start, start.addDays(10));
    ASSERT_EQ(rows.size(), 1);
    // Every sample before the failed one is there; the failed one left no trace.
    EXPECT_EQ(rows[0].figures.usage.received, 100 * (minute - 2));
    EXPECT_EQ(rows[0].lastSample, start.addSecs(60 * (minute - 2)));

    // As the recorder's store is opened again when the disk has room: nothing it prepared
    // on the closed file is used.
    ASSERT_TRUE(store.Open());
    EXPECT_TRUE(store.AddSample(id, start.addSecs(60 * minute), Figures(100 * minute, 10, 0.1, 60)))
        << store.LastError().detail.toStdString();
}

TEST_F(HistoryStoreTest, aNewerFileIsLeftAloneAndAMissingOneIsNotCreatedForReading) {
    {
        HistoryStore store(Path());
        ASSERT_TRUE(store.Open());
        Pragma(store, QStringLiteral("user_version = 99"));
    }
    HistoryStore store(Path());
    EXPECT_FALSE(store.Open());
    EXPECT_EQ(store.LastError().problem, HistoryProblem::NewerFormat);
    EXPECT_TRUE(store.MovedAside().isEmpty());

    HistoryStore absent(folder.File(QStringLiteral("none.sqlite")));
    EXPECT_FALSE(absent.Open(HistoryStore::Mode::ReadOnly));
    EXPECT_EQ(absent.LastError().problem, HistoryProblem::NotFound);
    EXPECT_FALSE(folder.Exists(QStringLiteral("none.sqlite")));
}

TEST_F(HistoryStoreTest, aFolderThatCannotBeWrittenIsReported) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
    QFile::setPermissions(folder.Path(), QFile::ReadOwner | QFile::ExeOwner);
    HistoryStore store(Path());
    EXPECT_FALSE(store.Open());
    EXPECT_NE(store.LastError().problem, HistoryProblem::None);
    QFile::setPermissions(folder.Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(HistoryStoreTest, aMissingFolderIsReportedAsNotOpenable) {
    HistoryStore store(folder.File(QStringLiteral("no/such/folder/history.sqlite")));
    EXPECT_FALSE(store.Open());
    EXPECT_EQ(store.LastError().problem, HistoryProblem::CannotOpen);
    EXPECT_FALSE(store.BeginConnection(StartOf(QStringLiteral("MyISP"), Utc(2026, 1, 1, 0, 0))));
}

TEST_F(HistoryStoreTest, theLogIsCopiedIntoTheFileOnlyOnAnotherThread) {
    HistoryStore store(Path());
    ASSERT_TRUE(store.Open());
    const QDateTime start = Utc(2026, 3, 10, 20, 0);
    const int64_t id = Begin(store, start);
    const qint64 before = QFileInfo(Path()).size();
    for (int minute = 1; minute <= 300; ++minute)
        ASSERT_TRUE(store.AddSample(id, start.addSecs(60 * minute), Figures(minute, 0, 0)));
    EXPECT_EQ(QFileInfo(Path()).size(), before);  // every write went to the log only

    store.CheckpointInBackground();
    ASSERT_TRUE(QThreadPool::globalInstance()->waitForDone(5000));
    EXPECT_GT(QFileInfo(Path()).size(), before);
    EXPECT_TRUE(store.AddSample(id, start.addSecs(60 * 301), Figures(301, 0, 0)));
    EXPECT_EQ(store.UsageBetween(start, start.addDays(1)).received, 301);
}

TEST_F(HistoryStoreTest, anotherProgramsLockOrDatabaseLeavesTheFileByteForByte) {
    ASSERT_TRUE(HistoryStore(Path()).Open());
    QByteArray before = folder.Read(QLatin1String(kHistoryFile));
    HistoryStore store(Path());
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
        other.setDatabaseName(Path());
        QSqlQuery lock((other.open(), other));
        ASSERT_TRUE(lock.exec("PRAGMA locking_mode=EXCLUSIVE") && lock.exec("BEGIN EXCLUSIVE") &&
                    lock.exec("SELECT COUNT(*) FROM connections"));
        EXPECT_TRUE(!store.Open() && store.LastError().problem == HistoryProblem::Busy);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    EXPECT_TRUE(folder.Read(QLatin1String(kHistoryFile)) == before && store.MovedAside().isEmpty());
    {
        HistoryStore ours(Path());
        ASSERT_TRUE(ours.Open());
        Pragma(ours, QStringLiteral("user_version = 0"));  // tables the program did not make
    }
    before = folder.Read(QLatin1String(kHistoryFile));
    EXPECT_TRUE(!store.Open() && store.LastError().problem == HistoryProblem::Foreign);
    EXPECT_TRUE(folder.Read(QLatin1String(kHistoryFile)) == before);
}

// Caught: an upgrade that packs the samples losing or reordering one (a clock put back, two
// samples in one second, more than a block of them), or a reader that rewrites an older file.
TEST_F(HistoryStoreTest, anOlderFileIsUpgradedWithEveryFigureAsTheProgramWouldHaveKeptIt) {
    const QDateTime t0 = Utc(2026, 3, 31, 22, 0);
    const QList<QDateTime> starts = {t0, t0.addSecs(5000), t0.addSecs(9000)};
    QList<GivenSample> samples;
    ConnectionFigures figures[3];
    std::mt19937 random(4);
    for (int minute = 1; minute < 300; ++minute) {
        const int row = minute < 80 ? 0 : minute < 150 ? 1 : 2;
        QDateTime at = starts[row].addSecs(60 * minute - (row == 2 && minute > 200 ? 2400 : 0));
        if (minute % 37 == 0) at = samples.last().at;  // a second sample in the same second
        ConnectionFigures& f = figures[row];
        f.usage.received += random() % 100000;
        f.usage.sent += random() % 1000;
        f.usage.cost += double(random() % 1000) / 7;
        f.onlineSeconds += 60;
        samples.append({row, at, f});
    }
    WriteSchema3(folder.File(QStringLiteral("old.sqlite")), starts, samples);
    const QByteArray before = folder.Read(QStringLiteral("old.sqlite"));
    HistoryStore reader(folder.File(QStringLiteral("old.sqlite")));
    EXPECT_FALSE(reader.Open(HistoryStore::Mode::ReadOnly));
    EXPECT_EQ(reader.LastError().problem, HistoryProblem::OlderFormat);
    EXPECT_EQ(folder.Read(QStringLiteral("old.sqlite")), before);

    HistoryStore kept(Path());
    ASSERT_TRUE(kept.Open());
    for (const QDateTime& start : starts) Begin(kept, start);
    for (const GivenSample& s : samples) ASSERT_TRUE(kept.AddSample(s.row + 1, s.at, s.figures));
    HistoryStore upgraded(folder.File(QStringLiteral("old.sqlite")));
    ASSERT_TRUE(upgraded.Open()) << upgraded.LastError().detail.toStdString();
    EXPECT_EQ(Pragma(upgraded, QStringLiteral("user_version")).toInt(), kHistorySchemaVersion);

    const QDateTime from = t0.addDays(-1), to = t0.addDays(1);
    QList<QDateTime> quarters;
    for (QDateTime at = from; at <= to; at = at.addSecs(900)) quarters.append(at);
    EXPECT_EQ(upgraded.UsageBySpans(quarters), kept.UsageBySpans(quarters));
    EXPECT_EQ(upgraded.StepsBetween(t0.addSecs(3000), to), kept.StepsBetween(t0.addSecs(3000), to));
    const QList<ConnectionRecord> rows = upgraded.Connections(from, to);
    const QList<ConnectionRecord> keptRows = kept.Connections(from, to);
    ASSERT_EQ(rows.size(), 3);
    ASSERT_EQ(keptRows.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rows[i].figures, keptRows[i].figures);
        EXPECT_EQ(rows[i].lastSample, keptRows[i].lastSample);
    }
}

TEST_F(HistoryStoreTest, anUpgradeThatFailsLeavesTheOlderFileByteForByte) {
    const QDateTime t0 = Utc(2026, 3, 31, 22, 0);
    QList<GivenSample> samples;
    for (int minute = 1; minute < 6; ++minute)
        samples.append({0, t0.addSecs(60 * minute), Figures(minute * 100, minute, minute * 0.5)});
    // A value no program wrote: a hand-edited file.
    WriteSchema3(Path(), {t0}, samples, QStringLiteral("a lot"));
    const QByteArray before = folder.Read(QLatin1String(kHistoryFile));
    {
        HistoryStore store(Path());
        EXPECT_FALSE(store.Open());
        EXPECT_EQ(store.LastError().problem, HistoryProblem::Failed);
        EXPECT_TRUE(store.MovedAside().isEmpty());
    }
    EXPECT_EQ(folder.Read(QLatin1String(kHistoryFile)), before);
}

// Caught: a damaged block of samples read as nothing used, so a report shows zeros.
TEST_F(HistoryStoreTest, aBlockOfSamplesThatDoesNotReadIsDamage) {
    HistoryStore store(Path());
    ASSERT_TRUE(store.Open());
    const QDateTime start = Utc(2026, 3, 31, 23, 0);
    const int64_t id = Begin(store, start);
    for (int minute = 1; minute <= 90; ++minute)
        ASSERT_TRUE(store.AddSample(id, start.addSecs(60 * minute), Figures(minute, 0, 0)));
    ASSERT_TRUE(QSqlQuery(QSqlDatabase::database(store.ConnectionName()))
                    .exec(QStringLiteral("UPDATE sample_blocks SET samples = x'ff'")));
    EXPECT_TRUE(store.UsageBySpans({start, start.addSecs(3600), start.addDays(1)}).isEmpty());
    EXPECT_EQ(store.LastError().problem, HistoryProblem::Corrupt);
    EXPECT_FALSE(store.StepsBetween(start, start.addDays(1)).has_value());
    EXPECT_FALSE(store.AddSample(id, start.addSecs(6000), Figures(100, 0, 0)));
    EXPECT_EQ(store.LastError().problem, HistoryProblem::Corrupt);
}

// Caught: a packing that gives back a figure changed in its last bit (the money across a
// power of two, counters that fall, the extremes of 64 bits).
TEST(SampleBlockTest, everyFigureComesBackExactly) {
    std::mt19937_64 random(9);
    QList<StoredSample> samples;
    double cost = 0.1;
    for (int i = 0; i < 200; ++i) {
        cost = i % 50 == 0 ? cost * 3.7 : cost + double(random() % 1000) / 3;
        samples.append({int64_t(1774000000 + 60 * i - (i % 17 == 0 ? 7200 : 0)),
                        {{int64_t(random() >> (i % 64)), int64_t(random() % 1000) - 500, cost},
                         i % 31 == 0 ? INT64_MIN : int64_t(60 * i)}});
    }
    samples.append({INT64_MAX, {{INT64_MIN, INT64_MAX, -0.0}, 0}});
    samples.append({0, {{0, 0, 1e308}, INT64_MAX}});
    const std::optional<QList<StoredSample>> back = UnpackSamples(PackSamples(samples));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, samples);
    EXPECT_FALSE(UnpackSamples(QByteArray("\xff\xff", 2)).has_value());
}
