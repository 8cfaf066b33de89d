// SPDX-License-Identifier: GPL-3.0-or-later
// Years of minute samples for the history benchmarks.
#include "YearOfHistory.h"

#include "history/HistorySchema.h"
#include "history/HistoryStore.h"

#include <QDir>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <memory>
#include <random>

namespace {

constexpr int kMinutesPerDay = 1440;
constexpr double kPricePerMb = 1.5;

void Check(bool done) {
    if (!done) std::abort();
}

QString IsoUtc(const QDateTime& time) {
    return time.toUTC().toString(Qt::ISODate);
}

// One connection of `minutes` with a sample a minute, its last at its end, as the program
// of schema 3 wrote it.
void AddConnection(QSqlDatabase& db, const QDateTime& start, int minutes, std::mt19937& random) {
    QSqlQuery row(db);
    Check(row.prepare(QStringLiteral(
        "INSERT INTO connections (name, link_source, start_utc, end_utc, received_bytes,"
        " sent_bytes, online_seconds, cost, booked) VALUES ('MyISP', 'auto', ?, ?, ?, ?, ?, ?, "
        "1)")));
    QSqlQuery sample(db);
    Check(sample.prepare(
        QStringLiteral("INSERT INTO samples (connection, t, received_bytes, sent_bytes,"
                       " online_seconds, cost, taken) VALUES (?, ?, ?, ?, ?, ?, ?)")));
    const QDateTime end = start.addSecs(60 * minutes);
    const QVariantList first = {IsoUtc(start), IsoUtc(end), 0, 0, 0, 0.0};
    for (int i = 0; i < first.size(); ++i) row.bindValue(i, first[i]);
    Check(row.exec());
    const qint64 id = row.lastInsertId().toLongLong();
    ConnectionFigures figures;
    for (int minute = 1; minute <= minutes; ++minute) {
        figures.usage.received += 50'000 + random() % 400'000;
        figures.usage.sent += random() % 60'000;
        figures.usage.cost =
            double(figures.usage.received + figures.usage.sent) / (1 << 20) * kPricePerMb;
        figures.onlineSeconds += 60;
        const QVariantList values = {id,
                                     start.addSecs(60 * minute).toSecsSinceEpoch(),
                                     qint64(figures.usage.received),
                                     qint64(figures.usage.sent),
                                     qint64(figures.onlineSeconds),
                                     figures.usage.cost,
                                     minute};
        for (int i = 0; i < values.size(); ++i) sample.bindValue(i, values[i]);
        Check(sample.exec());
    }
    QSqlQuery totals(db);
    Check(
        totals.prepare(QStringLiteral("UPDATE connections SET received_bytes = ?, sent_bytes = ?,"
                                      " online_seconds = ?, cost = ? WHERE id = ?")));
    const QVariantList values = {qint64(figures.usage.received), qint64(figures.usage.sent),
                                 qint64(figures.onlineSeconds), figures.usage.cost, id};
    for (int i = 0; i < values.size(); ++i) totals.bindValue(i, values[i]);
    Check(totals.exec());
}

}  // namespace

void WriteSchema3History(const QString& path, int years, int perDay) {
    const QString name = QStringLiteral("bench-schema-3");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        Check(db.open());
        QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous=OFF"));  // a scratch file
        Check(db.transaction());
        for (int version = 1; version <= 3; ++version)
            for (const QString& statement : HistoryMigration(version))
                Check(QSqlQuery(db).exec(statement));
        Check(QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = 3")));
        std::mt19937 random(20261220);
        const int slot = kMinutesPerDay / perDay;
        const QDate last = kBenchNow.date().addDays(-1);
        for (QDate day = last.addDays(1 - 365 * years); day <= last; day = day.addDays(1))
            for (int k = 0; k < perDay; ++k)
                AddConnection(db, day.startOfDay().addSecs(60 * (30 + k * slot)), slot - 1, random);
        Check(db.commit());
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

QString BenchFolderTemplate() {
    const QByteArray chosen = qgetenv("VANTORIL_BENCH_DIR");
    const QString base = chosen.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(chosen);
    return base + QStringLiteral("/vantoril-bench-XXXXXX");
}

QTemporaryDir& HistoryFolder(int years, int perDay) {
    static QMap<QPair<int, int>, std::shared_ptr<QTemporaryDir>> made;
    std::shared_ptr<QTemporaryDir>& dir = made[{years, perDay}];
    if (dir) return *dir;
    dir = std::make_shared<QTemporaryDir>(BenchFolderTemplate());
    if (qEnvironmentVariableIsSet("VANTORIL_BENCH_KEEP")) {
        // Kept to time the real tool on it, or another program beside it.
        dir->setAutoRemove(false);
        qInfo("%d years at %d a day kept in %s", years, perDay, qPrintable(dir->path()));
    }
    const QString path = dir->filePath(QLatin1String(kHistoryFile));
    WriteSchema3History(path, years, perDay);
    HistoryStore store(path);
    Check(store.Open());  // upgraded; its close copies the log into the file
    return *dir;
}
