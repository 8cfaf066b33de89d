// SPDX-License-Identifier: GPL-3.0-or-later
// Years of minute samples for the history benchmarks.
#include "YearOfHistory.h"

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

// One connection of `minutes`: the samples written directly in one transaction (writing
// them one at a time would take minutes), the last one through the store as the program
// writes it, which also sets the row's totals.
void AddConnection(HistoryStore& store, QSqlDatabase& db, const QDateTime& start, int minutes,
                   std::mt19937& random) {
    const std::optional<int64_t> id =
        store.BeginConnection({QStringLiteral("MyISP"), QStringLiteral("auto"), start, 0});
    Check(id.has_value());
    ConnectionFigures figures;
    const auto step = [&] {
        figures.usage.received += 50'000 + random() % 400'000;
        figures.usage.sent += random() % 60'000;
        figures.usage.cost =
            double(figures.usage.received + figures.usage.sent) / (1 << 20) * kPricePerMb;
        figures.onlineSeconds += 60;
    };
    Check(db.transaction());
    QSqlQuery sample(db);
    Check(sample.prepare(
        QStringLiteral("INSERT INTO samples (connection, t, received_bytes, sent_bytes,"
                       " online_seconds, cost, taken) VALUES (?, ?, ?, ?, ?, ?, ?)")));
    for (int minute = 1; minute < minutes; ++minute) {
        step();
        const QVariantList values = {qint64(*id),
                                     start.addSecs(60 * minute).toSecsSinceEpoch(),
                                     qint64(figures.usage.received),
                                     qint64(figures.usage.sent),
                                     qint64(figures.onlineSeconds),
                                     figures.usage.cost,
                                     minute};
        for (int i = 0; i < values.size(); ++i) sample.bindValue(i, values[i]);
        Check(sample.exec());
    }
    Check(db.commit());
    step();
    Check(store.FinishConnection(*id, start.addSecs(60 * minutes), figures, 0, true));
}

}  // namespace

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
    HistoryStore store(dir->filePath(QLatin1String(kHistoryFile)));
    Check(store.Open());
    QSqlDatabase db = QSqlDatabase::database(store.ConnectionName());
    QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous=OFF"));  // a scratch file
    std::mt19937 random(20261220);
    const int slot = kMinutesPerDay / perDay;
    const QDate last = kBenchNow.date().addDays(-1);
    for (QDate day = last.addDays(1 - 365 * years); day <= last; day = day.addDays(1))
        for (int k = 0; k < perDay; ++k)
            AddConnection(store, db, day.startOfDay().addSecs(60 * (30 + k * slot)), slot - 1,
                          random);
    return *dir;  // the store's close copies the log into the file
}
